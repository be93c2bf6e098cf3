#include "widgets/QdEdit.h"

#include "platform/Consts.h"
#include "platform/Math.h"
#include "platform/Menus.h"
#include "platform/SysUtils.h"
#include "platform/Threads.h"
#include "platform/TypInfo.h"

namespace {

// Digits after the separator that the fixed format can show.
constexpr Integer kMaxDecimals = 18;

// The published properties both edits share, in their order; Text and
// CharCase only for the text edit.
template <class C, class B>
void PublishEditProperties(TClassBuilder<C, B>& b, bool WithText)
{
    b.Enum("Alignment", &C::Alignment, &C::SetAlignment).Default(taLeftJustify)
        .Event("OnMouseEnter", &C::OnMouseEnter)
        .Event("OnMouseLeave", &C::OnMouseLeave)
        .Enum("Align", &C::Align, &C::SetAlign).Default(alNone)
        .Set("Anchors", &C::Anchors, &C::SetAnchors).Default(TAnchors{akLeft, akTop})
        .Bool("AutoSelect", &C::AutoSelect, &C::SetAutoSelect).Default(true)
        .Bool("AutoSize", &C::AutoSize, &C::SetAutoSize).Default(true)
        .Enum("BiDiMode", &C::BiDiMode, &C::SetBiDiMode).Default(bdLeftToRight)
        .Stored([](C& c) { return !c.ParentBiDiMode(); })
        .Enum("BorderStyle", &C::BorderStyle, &C::SetBorderStyle).Default(bsSingle);
    if (WithText) b.Enum("CharCase", &C::CharCase, &C::SetCharCase).Default(ecNormal);
    b.Color("Color", &C::Color, &C::SetColor).Default(clBlack).Stored([](C& c) { return !c.ParentColor(); })
        .Object("Constraints", &C::Constraints, &C::SetConstraints)
        .Bool("Ctl3D", &C::Ctl3D, &C::SetCtl3D).Stored([](C& c) { return !c.ParentCtl3D(); })
        .Cursor("DragCursor", &C::DragCursor, &C::SetDragCursor).Default(crDrag)
        .Enum("DragKind", &C::DragKind, &C::SetDragKind).Default(dkDrag)
        .Enum("DragMode", &C::DragMode, &C::SetDragMode).Default(dmManual)
        .Bool("Enabled", &C::Enabled, &C::SetEnabled).Default(true)
        .Object("Font", &C::Font, &C::SetFont).Stored([](C& c) { return !c.ParentFont(); })
        .Bool("HideSelection", &C::HideSelection, &C::SetHideSelection).Default(true)
        .Enum("ImeMode", &C::ImeMode, &C::SetImeMode).Default(imDontCare)
        .String("ImeName", &C::ImeName, &C::SetImeName).Default(String())
        .Integer("MaxLength", &C::MaxLength, &C::SetMaxLength).Default(0)
        .Bool("OEMConvert", &C::OEMConvert, &C::SetOEMConvert).Default(false)
        .Bool("ParentBiDiMode", &C::ParentBiDiMode, &C::SetParentBiDiMode).Default(true)
        .Bool("ParentColor", &C::ParentColor, &C::SetParentColor).Default(false)
        .Bool("ParentCtl3D", &C::ParentCtl3D, &C::SetParentCtl3D).Default(true)
        .Bool("ParentFont", &C::ParentFont, &C::SetParentFont).Default(true)
        .Bool("ParentShowHint", &C::ParentShowHint, &C::SetParentShowHint).Default(true)
        .Char("PasswordChar", &C::PasswordChar, &C::SetPasswordChar).Default(0)
        .Reference("PopupMenu", &C::PopupMenu, &C::SetPopupMenu)
        .Bool("ReadOnly", &C::ReadOnly, &C::SetReadOnly).Default(false)
        .Bool("ShowHint", &C::ShowHint, &C::SetShowHint).Stored([](C& c) { return !c.ParentShowHint(); })
        .Integer("TabOrder", &C::TabOrder, &C::SetTabOrder).Default(-1);
    if (WithText) b.String("Text", &C::Text, &C::SetText).Default(String());
    b.Bool("Visible", &C::Visible, &C::SetVisible).Default(true)
        .Event("OnChange", &C::OnChange)
        .Event("OnClick", &C::OnClick)
        .Event("OnContextPopup", &C::OnContextPopup)
        .Event("OnDblClick", &C::OnDblClick)
        .Event("OnDragDrop", &C::OnDragDrop)
        .Event("OnDragOver", &C::OnDragOver)
        .Event("OnEndDock", &C::OnEndDock)
        .Event("OnEndDrag", &C::OnEndDrag)
        .Event("OnEnter", &C::OnEnter)
        .Event("OnExit", &C::OnExit)
        .Event("OnKeyDown", &C::OnKeyDown)
        .Event("OnKeyPress", &C::OnKeyPress)
        .Event("OnKeyUp", &C::OnKeyUp)
        .Event("OnMouseDown", &C::OnMouseDown)
        .Event("OnMouseMove", &C::OnMouseMove)
        .Event("OnMouseUp", &C::OnMouseUp)
        .Event("OnStartDock", &C::OnStartDock)
        .Event("OnStartDrag", &C::OnStartDrag);
}

}  // namespace

void QdEditInitialization() { RegisterClasses({TQdStrEdit::StaticClassInfo(), TQdNumEdit::StaticClassInfo()}); }

// ---------------------------------------------------------------------------
// TQdCustomEdit
// ---------------------------------------------------------------------------

TClass TQdCustomEdit::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TQdCustomEdit, TCustomEdit>("TQdCustomEdit")
                                       .Bool("TabStop", &TQdCustomEdit::TabStop, &TQdCustomEdit::SetTabStop)
                                       .Default(true)
                                       .Build();
    return &info;
}

TQdCustomEdit::TQdCustomEdit(TComponent* AOwner) : TCustomEdit(AOwner)
{
    // The component's name never becomes its text.
    FControlStyle.Exclude(csSetCaption);
    SetColor(clBlack);
    Font()->SetColor(clLime);
    SetAutoSize(true);
}

void TQdCustomEdit::SetAlignment(TAlignment Value)
{
    if (Value != Alignment()) TCustomEdit::SetAlignment(Value);
}

void TQdCustomEdit::SetBiDiMode(TBiDiMode Value)
{
    FParentBiDiMode = false;
    FBiDiMode = Value;
}

void TQdCustomEdit::SetParentBiDiMode(bool Value)
{
    FParentBiDiMode = Value;
    if (Value) FBiDiMode = bdLeftToRight;
}

// ---------------------------------------------------------------------------
// TQdStrEdit
// ---------------------------------------------------------------------------

TClass TQdStrEdit::StaticClassInfo()
{
    static const TClassInfo info = [] {
        TClassBuilder<TQdStrEdit, TQdCustomEdit> b("TQdStrEdit");
        b.String("ValidKeys", &TQdStrEdit::ValidKeys, &TQdStrEdit::SetValidKeys).Default(String());
        PublishEditProperties(b, true);
        return b.Build();
    }();
    return &info;
}

void TQdStrEdit::SetValidKeys(const String& Value)
{
    FValidKeys = Value;
    if (!ComponentState().Contains(csLoading) && !ComponentState().Contains(csDesigning)) Clear();
}

void TQdStrEdit::KeyPress(Char& Key)
{
    if (!FValidKeys.empty() && (Utf8ToUtf16(FValidKeys) + u'\b').find(Key) == UnicodeString::npos) Key = 0;
    TQdCustomEdit::KeyPress(Key);
}

// ---------------------------------------------------------------------------
// TQdNumEdit
// ---------------------------------------------------------------------------

TClass TQdNumEdit::StaticClassInfo()
{
    using C = TQdNumEdit;
    static const TClassInfo info = [] {
        TClassBuilder<C, TQdCustomEdit> b("TQdNumEdit");
        b.Float("MaxValue", &C::MaxValue, &C::SetMaxValue)
            .Float("MinValue", &C::MinValue, &C::SetMinValue)
            .Integer("Decimals", &C::Decimals, &C::SetDecimals).Default(0)
            .Float("Value", &C::Value, &C::SetValue)
            .Bool("RestoreOnEsc", &C::RestoreOnEsc, &C::SetRestoreOnEsc).Default(false)
            .Event("OnError", &C::OnError);
        PublishEditProperties(b, false);
        return b.Build();
    }();
    return &info;
}

void TQdNumEdit::SetMinValue(double Value)
{
    if (IsNan(Value)) return;
    if (Loading()) {
        FMinValue = Value;
        return;
    }
    if (Value == FMinValue || !(Value < FMaxValue)) return;
    FMinValue = Value;
    Validate();
}

void TQdNumEdit::SetMaxValue(double Value)
{
    if (IsNan(Value)) return;
    if (Loading()) {
        FMaxValue = Value;
        return;
    }
    if (Value == FMaxValue || !(Value > FMinValue)) return;
    FMaxValue = Value;
    Validate();
}

void TQdNumEdit::SetDecimals(Integer Value)
{
    SetIfDifferent(FDecimals, Value, [this] { Validate(); });
}

double TQdNumEdit::Value() const
{
    const String text = Text();
    if (text.empty()) return FMinValue;
    double value = 0.0;
    if (TryStrToFloat(text, value)) return value;
    // Not a number at all raises the conversion's own error; a number past
    // the double range raises here.
    StrToFloat(text);
    throw EConvertError(Format(SFloatOutOfRange, text));
}

void TQdNumEdit::SetValue(double Value)
{
    if (!IsFinite(Value)) return;
    SetText(FloatToStr(Value));
    Validate();
}

void TQdNumEdit::Validate()
{
    const String text = Text();
    if (Trim(text).empty()) return;
    double value = 0.0;
    if (TryStrToFloat(text, value) && FMinValue <= value && value <= FMaxValue) {
        SetText(FloatToStrF(value, ffFixed, 18, EnsureRange(FDecimals, 0, kMaxDecimals)));
        return;
    }
    ReportError();
}

void TQdNumEdit::ReportError()
{
    bool canExit = true;
    if (OnError) OnError(this, canExit);
    if (canExit) return;
    // Validate runs while the focus leaves: the focus comes back once the
    // move has ended.
    TWeakRef<TQdNumEdit> alive(this);
    QueueOnMainThread([alive] {
        if (TQdNumEdit* edit = alive.Get(); edit && edit->CanFocus()) edit->SetFocus();
    });
}

void TQdNumEdit::KeyPress(Char& Key)
{
    const Char separator = static_cast<unsigned char>(FormatSettings.DecimalSeparator);
    if (Key == 27 && FRestoreOnEsc) {
        SetText(FOrgValue);
        Key = 0;
    }
    const bool accepted = Key == 8 || Key == u'-' || (Key >= u'0' && Key <= u'9') || Key == separator;
    if (!accepted) Key = 0;
    if (Key == u'-') {
        ToggleSign();
        Key = 0;
    }
    if (Key == separator && (FDecimals == 0 || Text().find(FormatSettings.DecimalSeparator) != String::npos)) Key = 0;
    TQdCustomEdit::KeyPress(Key);
}

void TQdNumEdit::ToggleSign()
{
    Integer caret = SelStart();
    String text = Text();
    if (!text.empty() && text[0] == '-') {
        text.erase(0, 1);
        caret = std::max(caret - 1, 0);
    } else {
        text.insert(0, 1, '-');
        ++caret;
    }
    SetText(text);
    SetSelStart(caret);
}

void TQdNumEdit::CMEnter()
{
    TQdCustomEdit::CMEnter();
    FOrgValue = Text();
}

void TQdNumEdit::CMExit()
{
    TQdCustomEdit::CMExit();
    Validate();
}
