#include "components/editor/kEditorControls.h"

#include "components/editor/kEditorForm.h"
#include "platform/Messages.h"

// ---------------------------------------------------------------------------
// Page control and button
// ---------------------------------------------------------------------------

TClass TkComponentEditorPageControl::StaticClassInfo()
{
    using C = TkComponentEditorPageControl;
    static const TClassInfo info = TClassBuilder<C, TPageControl>("TkComponentEditorPageControl")
                                       .Integer("TabIndex", &C::TabIndex, &C::SetTabIndex).Default(-1)
                                       .Build();
    return &info;
}

Integer TkComponentEditorPageControl::WMGetDlgCode()
{
    return TPageControl::WMGetDlgCode() | DLGC_WANTTAB | DLGC_WANTALLKEYS;
}

void TkComponentEditorPageControl::KeyPress(Char& Key)
{
    TPageControl::KeyPress(Key);
    kEditorTabKey(this, Key);
}

TClass TkComponentEditorButton::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TkComponentEditorButton, TButton>("TkComponentEditorButton").Build();
    return &info;
}

void TkComponentEditorButton::KeyPress(Char& Key)
{
    TButton::KeyPress(Key);
    kEditorTabKey(this, Key);
}

// ---------------------------------------------------------------------------
// Check box
// ---------------------------------------------------------------------------

TClass TkComponentEditorCheckBox::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TkComponentEditorCheckBox, TkCheckBox>("TkComponentEditorCheckBox").Build();
    return &info;
}

void TkComponentEditorCheckBox::SetAsBoolean(bool Value)
{
    kWithoutEvents(FBlockingEvents, [&] { SetChecked(Value); }, OnClick);
}

void TkComponentEditorCheckBox::Disable()
{
    SetEnabled(false);
    kWithoutEvents(FBlockingEvents, [this] { SetChecked(false); }, OnClick, OnChange);
}

void TkComponentEditorCheckBox::DoChange()
{
    TkCheckBox::DoChange();
    if (!FBlockingEvents) kEditorUserChange(this);
    if (OnClick) OnClick(this);
}

void TkComponentEditorCheckBox::KeyPress(Char& Key)
{
    TkCheckBox::KeyPress(Key);
    kEditorTabKey(this, Key);
}

// ---------------------------------------------------------------------------
// Radio group
// ---------------------------------------------------------------------------

TClass TkComponentEditorRadioGroup::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TkComponentEditorRadioGroup, TkRadioGroup>("TkComponentEditorRadioGroup").Build();
    return &info;
}

void TkComponentEditorRadioGroup::SetAsInteger(Integer Value)
{
    kWithoutEvents(FBlockingEvents, [&] { SetItemIndex(Value); }, OnClick, OnChange);
}

void TkComponentEditorRadioGroup::Disable()
{
    SetEnabled(false);
    SetAsInteger(-1);
}

void TkComponentEditorRadioGroup::DoChange()
{
    TkRadioGroup::DoChange();
    if (!FBlockingEvents) kEditorUserChange(this);
}

void TkComponentEditorRadioGroup::KeyPress(Char& Key)
{
    TkRadioGroup::KeyPress(Key);
    kEditorTabKey(this, Key);
}

// ---------------------------------------------------------------------------
// Combo box
// ---------------------------------------------------------------------------

TClass TkComponentEditorComboBox::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TkComponentEditorComboBox, TComboBox>("TkComponentEditorComboBox").Build();
    return &info;
}

void TkComponentEditorComboBox::SetAsInteger(Integer Value)
{
    kWithoutEvents(FBlockingEvents, [&] { SetItemIndex(Value); }, OnClick, OnChange);
}

void TkComponentEditorComboBox::SetAsString(const String& Value)
{
    kWithoutEvents(FBlockingEvents, [&] { SetText(Value); }, OnClick, OnChange);
}

void TkComponentEditorComboBox::Disable()
{
    kWithoutEvents(
        FBlockingEvents,
        [this] {
            SetEnabled(false);
            SetColor(clBtnFace);
            SetItemIndex(-1);
            SetText(String());
        },
        OnClick, OnChange);
}

void TkComponentEditorComboBox::SetOnUserChange(TNotifyEvent Handler)
{
    if (Style() == csDropDownList) OnClick = std::move(Handler);
    else OnChange = std::move(Handler);
}

void TkComponentEditorComboBox::Enable()
{
    SetEnabled(true);
    SetColor(clWindow);
}

void TkComponentEditorComboBox::Click()
{
    TComboBox::Click();
    if (!FBlockingEvents) kEditorUserChange(this);
}

Integer TkComponentEditorComboBox::WMGetDlgCode() { return TComboBox::WMGetDlgCode() | DLGC_WANTARROWS | DLGC_WANTTAB; }

Integer TkComponentEditorComboBox::CMWantSpecialKey(Word& CharCode)
{
    return CharCode == VK_LEFT || CharCode == VK_RIGHT ? 1 : 0;
}

void TkComponentEditorComboBox::KeyPress(Char& Key)
{
    TComboBox::KeyPress(Key);
    kEditorTabKey(this, Key);
}

// ---------------------------------------------------------------------------
// Group box and paint box
// ---------------------------------------------------------------------------

TClass TkComponentEditorGroupBox::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TkComponentEditorGroupBox, TGroupBox>("TkComponentEditorGroupBox").Build();
    return &info;
}

TClass TkPaintBox::StaticClassInfo()
{
    using C = TkPaintBox;
    static const TClassInfo info =
        TClassBuilder<C, TCustomControl>("TkPaintBox").Event("OnPaint", &C::OnPaint, &C::OnPaint).Build();
    return &info;
}

TkPaintBox::TkPaintBox(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
    SetBounds(0, 0, 105, 105);
}

void TkPaintBox::Paint()
{
    if (OnPaint) OnPaint(this);
}

void kEditorControlsInitialization()
{
    RegisterClasses({TkComponentEditorPageControl::StaticClassInfo(), TkComponentEditorButton::StaticClassInfo(),
                     TkComponentEditorCheckBox::StaticClassInfo(), TkComponentEditorRadioGroup::StaticClassInfo(),
                     TkComponentEditorComboBox::StaticClassInfo(), TkComponentEditorGroupBox::StaticClassInfo(),
                     TkPaintBox::StaticClassInfo()});
}
