#include "components/editor/kEditorEdit.h"

#include <cmath>

#include "components/editor/kEditorForm.h"
#include "platform/Messages.h"
#include "platform/SysUtils.h"

TClass TkComponentEditorEdit::StaticClassInfo()
{
    using C = TkComponentEditorEdit;
    static const TClassInfo info =
        TClassBuilder<C, TEdit>("TkComponentEditorEdit").Event("OnUpdate", &C::OnUpdate, &C::OnUpdate).Build();
    return &info;
}

TkComponentEditorEdit::TkComponentEditorEdit(TComponent* AOwner) : TEdit(AOwner) { SetHeight(21); }

// ---- Values ----

String TkComponentEditorEdit::AsString() const { return Text(); }

void TkComponentEditorEdit::SetAsString(const String& Value)
{
    kWithoutEvents(
        FBlockingEvents,
        [&] {
            SetText(Value);
            FOriginalText = Value;
            FHasLoadedFloat = false;
        },
        OnChange);
}

Integer TkComponentEditorEdit::AsInteger() const
{
    Integer value = 0;
    return TryStrToInt(Trim(Text()), value) ? value : 0;
}

void TkComponentEditorEdit::SetAsInteger(Integer Value) { SetAsString(IntToStr(Value)); }

Double TkComponentEditorEdit::AsFloat() const
{
    const String text = Text();
    if (FHasLoadedFloat && text == FLoadedFloatText) return FLoadedFloat;
    Double value = 0.0;
    return TryStrToFloat(Trim(text), value) && std::isfinite(value) ? value : 0.0;
}

void TkComponentEditorEdit::SetAsFloat(Double Value)
{
    SetAsString(FloatToStr(Value));
    FHasLoadedFloat = std::isfinite(Value);
    FLoadedFloat = Value;
    FLoadedFloatText = Text();
}

// ---- As the user would ----

void TkComponentEditorEdit::SetStringWithEvent(const String& Value)
{
    SetText(Value);
    kEditorUserChange(this);
    DoUpdate();
}

void TkComponentEditorEdit::SetIntegerWithEvent(Integer Value) { SetStringWithEvent(IntToStr(Value)); }
void TkComponentEditorEdit::SetDoubleWithEvent(Double Value) { SetStringWithEvent(FloatToStr(Value)); }

void TkComponentEditorEdit::DoUpdate()
{
    const String text = Text();
    if (text == FOriginalText) return;
    FOriginalText = text;
    if (OnUpdate) OnUpdate(this);
    if (!FBlockingEvents) kEditorUserChange(this);
}

void TkComponentEditorEdit::CommitAndSelect()
{
    SelectAll();
    DoUpdate();
}

// ---- Enabled state ----

void TkComponentEditorEdit::Disable()
{
    kWithoutEvents(
        FBlockingEvents,
        [this] {
            SetEnabled(false);
            SetText(String());
            FOriginalText.clear();
            FHasLoadedFloat = false;
        },
        OnChange);
}

void TkComponentEditorEdit::DisableNoClear() { SetEnabled(false); }
void TkComponentEditorEdit::Enable() { SetEnabled(true); }

void TkComponentEditorEdit::SetEnabled(bool Value)
{
    TEdit::SetEnabled(Value);
    SetColor(Value ? clWindow : clBtnFace);
}

// ---- Keys and focus ----

void TkComponentEditorEdit::KeyDown(Word& Key, TShiftState Shift)
{
    TEdit::KeyDown(Key, Shift);
    if (Key != VK_RETURN) return;
    Key = 0;
    CommitAndSelect();
}

void TkComponentEditorEdit::KeyPress(Char& Key)
{
    TEdit::KeyPress(Key);
    if (kEditorTabKey(this, Key)) return;
    switch (Key) {
        case 13:
            Key = 0;
            CommitAndSelect();
            break;
        case 10: Key = 0; break;
        case 27:
            Key = 0;
            SetText(FOriginalText);
            SelectAll();
            break;
        default: break;
    }
}

Integer TkComponentEditorEdit::WMGetDlgCode() { return TEdit::WMGetDlgCode() | DLGC_WANTARROWS | DLGC_WANTTAB; }

Integer TkComponentEditorEdit::CMWantSpecialKey(Word& CharCode)
{
    return CharCode == VK_LEFT || CharCode == VK_RIGHT ? 1 : 0;
}

// Disabling the focused edit moves the focus away; that is no commit.
void TkComponentEditorEdit::CMExit()
{
    if (!FBlockingEvents) DoUpdate();
    TEdit::CMExit();
}

void TkComponentEditorEdit::WMKillFocus(TWinControl* FocusedTo)
{
    if (!FBlockingEvents) DoUpdate();
    TEdit::WMKillFocus(FocusedTo);
}

void kEditorEditInitialization() { RegisterClass(TkComponentEditorEdit::StaticClassInfo()); }
