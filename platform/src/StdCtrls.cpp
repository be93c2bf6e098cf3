#include "platform/StdCtrls.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QValidator>

#include "ControlHost.h"
#include "GraphicsFonts.h"
#include "Guard.h"
#include "InputRouting.h"
#include "QtGraphics.h"
#include "Publish.h"
#include "platform/Forms.h"
#include "platform/SysApi.h"

namespace {

QString ToQt(const String& s) { return QString::fromStdString(s); }
String FromQt(const QString& s) { return s.toStdString(); }

template <class W>
W* WidgetOf(const TControl* Control)
{
    return static_cast<W*>(Control->Host().Widget.data());
}

// A push button's focus frame stands inside its bevel.
QRect ButtonFocusFrame(const QWidget* Button) { return Button->rect().adjusted(3, 3, -3, -3); }

// A check box's focus frame surrounds its caption, where the style puts it.
QRect CheckBoxFocusFrame(const QWidget* Box)
{
    const auto* box = static_cast<const QCheckBox*>(Box);
    QStyleOptionButton option;
    option.initFrom(box);
    option.text = box->text();
    option.iconSize = box->iconSize();
    return box->style()->subElementRect(QStyle::SE_CheckBoxFocusRect, &option, box);
}

// A drop-down list's focus frame surrounds the chosen item's text; an
// editable box shows the focus by its edit's caret and selection.
QRect ComboBoxFocusFrame(const QWidget* Box)
{
    const auto* combo = static_cast<const QComboBox*>(Box);
    if (combo->isEditable()) return QRect();
    QStyleOptionComboBox option;
    option.initFrom(combo);
    // Two pixels left of the text, which the style sets flush with the field.
    return combo->style()
        ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo)
        .adjusted(-2, 0, 0, 0);
}

Qt::Alignment QtAlignment(TAlignment Value)
{
    switch (Value) {
        case taRightJustify: return Qt::AlignRight | Qt::AlignVCenter;
        case taCenter: return Qt::AlignHCenter | Qt::AlignVCenter;
        default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

// Changes the case of typed text before it is inserted, so that the edit
// changes once.
class CaseValidator : public QValidator {
public:
    CaseValidator(bool Upper, QObject* Parent) : QValidator(Parent), FUpper(Upper) {}
    State validate(QString& Input, int&) const override
    {
        Input = FUpper ? Input.toUpper() : Input.toLower();
        return Acceptable;
    }

private:
    bool FUpper;
};

// An edit's widget. Qt drops the selection of an edit when the focus
// leaves it, and again when its window is activated while another control
// has the focus; an edit that does not hide its selection keeps it shown.
class EditWidget final : public pl::LayerWidget<QLineEdit> {
public:
    explicit EditWidget(TCustomEdit* Edit) : LayerWidget(Edit, true) {}

protected:
    bool event(QEvent* Event) override
    {
        if (Event->type() == QEvent::WindowActivate && KeepsSelection()) return QWidget::event(Event);
        return LayerWidget::event(Event);
    }

    void focusOutEvent(QFocusEvent* Event) override
    {
        if (!KeepsSelection()) {
            QLineEdit::focusOutEvent(Event);
            return;
        }
        // Leaving the window keeps the selection: so does this.
        QFocusEvent keeping(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        QLineEdit::focusOutEvent(&keeping);
    }

private:
    bool KeepsSelection() const
    {
        const auto* edit = static_cast<const TCustomEdit*>(LinkedControl);
        return edit && !edit->HideSelection();
    }
};

// Calls Method on the control behind a Qt signal, if it still exists.
template <class C>
auto Guarded(C* Control, void (C::*Method)())
{
    TWeakRef<C> alive(Control);
    return [alive, Method] {
        if (C* c = alive.Get()) pl::Guard([c, Method] { (c->*Method)(); });
    };
}

bool IsLoading(const TComponent* c) { return c->ComponentState().Contains(csLoading); }

// The caption of a Qt button, without the Alt shortcut Qt would grab for
// its "&": accelerators go through the key pipeline (CMDialogChar).
void SetButtonCaption(QAbstractButton* Button, const String& Caption)
{
    Button->setText(ToQt(Caption));
    Button->setShortcut(QKeySequence());
}

}  // namespace

// ---------------------------------------------------------------------------
// TCustomLabel
// ---------------------------------------------------------------------------

TClass TCustomLabel::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TCustomLabel, TGraphicControl>("TCustomLabel").Build();
    return &info;
}

TClass TLabel::StaticClassInfo()
{
    using C = TLabel;
    static const TClassInfo info = [] {
        TClassBuilder<C, TCustomLabel> b("TLabel");
        pl::PublishAlign(b)
            .Enum("Alignment", &C::Alignment, &C::SetAlignment).Default(taLeftJustify)
            .Bool("AutoSize", &C::AutoSize, &C::SetAutoSize).Default(true)
            .String("Caption", &C::Caption, &C::SetCaption).Default(String());
        pl::PublishColor(b, clBtnFace, true).Reference("FocusControl", &C::FocusControl, &C::SetFocusControl);
        pl::PublishFont(b).Bool("ShowAccelChar", &C::ShowAccelChar, &C::SetShowAccelChar).Default(true)
            .Bool("Transparent", &C::Transparent, &C::SetTransparent).Default(false)
            .Enum("Layout", &C::Layout, &C::SetLayout).Default(tlTop)
            .Bool("WordWrap", &C::WordWrap, &C::SetWordWrap).Default(false);
        pl::PublishState(b);
        pl::PublishMouseEvents(b);
        return b.Build();
    }();
    return &info;
}

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    FControlStyle += TControlStyle{csOpaque, csReplicatable};
    SetBounds(0, 0, 65, 17);
}

void TCustomLabel::SetAutoSize(bool Value)
{
    SetIfDifferent(FAutoSize, Value, [this] { AdjustBounds(); });
}

void TCustomLabel::SetAlignment(TAlignment Value)
{
    SetIfDifferent(FAlignment, Value, [this] { Invalidate(); });
}

void TCustomLabel::SetLayout(TTextLayout Value)
{
    SetIfDifferent(FLayout, Value, [this] { Invalidate(); });
}

void TCustomLabel::SetTransparent(bool Value)
{
    SetIfDifferent(FTransparent, Value, [this] { Invalidate(); });
}

void TCustomLabel::SetWordWrap(bool Value)
{
    SetIfDifferent(FWordWrap, Value, [this] {
        AdjustBounds();
        Invalidate();
    });
}

void TCustomLabel::SetShowAccelChar(bool Value)
{
    SetIfDifferent(FShowAccelChar, Value, [this] {
        AdjustBounds();
        Invalidate();
    });
}

void TCustomLabel::SetFocusControl(TWinControl* Value)
{
    if (FFocusControl == Value) return;
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = Value;
    if (Value) Value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

Cardinal TCustomLabel::TextFlags() const
{
    static const Cardinal alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    Cardinal flags = DT_EXPANDTABS | alignments[FAlignment];
    if (FWordWrap) flags |= DT_WORDBREAK;
    if (!FShowAccelChar) flags |= DT_NOPREFIX;
    return flags;
}

void TCustomLabel::AdjustBounds()
{
    if (!FAutoSize || IsLoading(this) || ComponentState().Contains(csDestroying)) return;
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    String text = Caption();
    // An empty caption still takes the height of a line.
    if (text.empty() || (FShowAccelChar && text == "&")) text += ' ';
    TRect r = ClientRect();
    DrawText(canvas, text, r, TextFlags() | DT_CALCRECT);
    Integer left = Left();
    if (FAlignment == taRightJustify) left += Width() - r.Right;
    SetBounds(left, Top(), r.Right, r.Bottom);
}

void TCustomLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::CMTextChanged()
{
    TGraphicControl::CMTextChanged();
    AdjustBounds();
}

void TCustomLabel::CMFontChanged()
{
    TGraphicControl::CMFontChanged();
    AdjustBounds();
}

void TCustomLabel::Paint()
{
    TCanvas* canvas = Canvas();
    TRect r = ClientRect();
    if (!FTransparent) {
        canvas->Brush()->SetColor(Color());
        canvas->Brush()->SetStyle(bsSolid);
        canvas->FillRect(r);
    }
    canvas->Brush()->SetStyle(bsClear);
    canvas->SetFont(Font());
    const String text = Caption();
    if (FLayout != tlTop) {
        TRect measured = r;
        DrawText(canvas, text, measured, TextFlags() | DT_CALCRECT);
        const Integer room = r.Height() - measured.Height();
        r.Top += FLayout == tlBottom ? room : room / 2;
    }
    if (Enabled()) {
        DrawText(canvas, text, r, TextFlags());
        return;
    }
    // The disabled look: a highlight copy one pixel down-right, then shadow.
    TRect shifted = r;
    OffsetRect(shifted, 1, 1);
    canvas->Font()->SetColor(clBtnHighlight);
    DrawText(canvas, text, shifted, TextFlags());
    canvas->Font()->SetColor(clBtnShadow);
    DrawText(canvas, text, r, TextFlags());
}

bool TCustomLabel::CMDialogChar(Char Key, bool)
{
    if (!FFocusControl || !Enabled() || !FShowAccelChar || !IsAccel(Key, Caption())) return false;
    if (FFocusControl->CanFocus()) FFocusControl->SetFocus();
    return true;
}

// ---------------------------------------------------------------------------
// TButton
// ---------------------------------------------------------------------------

TClass TButton::StaticClassInfo()
{
    using C = TButton;
    static const TClassInfo info = [] {
        TClassBuilder<C, TWinControl> b("TButton");
        pl::PublishAlign(b)
            .Bool("Cancel", &C::Cancel, &C::SetCancel).Default(false)
            .String("Caption", &C::Caption, &C::SetCaption).Default(String())
            .Bool("Default", &C::Default, &C::SetDefault).Default(false)
            .Integer("ModalResult", &C::ModalResult, &C::SetModalResult).Default(0);
        pl::PublishFont(b);
        pl::PublishState(b);
        pl::PublishTab(b, true);
        pl::PublishMouseEvents(b);
        pl::PublishKeyEvents(b);
        return b.Build();
    }();
    return &info;
}

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner), FGlyph(CreateOwned<TBitmap>())
{
    FControlStyle = {csSetCaption, csDoubleClicks};
    SetTabStop(true);
    SetBounds(0, 0, 75, 25);
}

void TButton::CreateWnd()
{
    auto* button = new pl::LayerWidget<QPushButton>(this, true);
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::StrongFocus);
    SetButtonCaption(button, Caption());
    button->setDefault(FDefault);
    QObject::connect(button, &QPushButton::clicked, Guarded<TControl>(this, &TControl::Click));
    Host().FocusFrame = ButtonFocusFrame;
    pl::AttachWidget(this, button, true);
    ShowGlyph();
}

void TButton::SetGlyph(TBitmap* Value)
{
    FGlyph->Assign(Value);
    ShowGlyph();
}

void TButton::ShowGlyph()
{
    auto* button = WidgetOf<QPushButton>(this);
    if (!button) return;
    if (FGlyph->Empty()) {
        button->setIcon(QIcon());
        return;
    }
    QImage picture = BitmapImage(*FGlyph).convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = picture.pixel(0, picture.height() - 1);
    for (Integer y = 0; y < picture.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (Integer x = 0; x < picture.width(); ++x)
            if (row[x] == transparent) row[x] = 0;
    }
    button->setIcon(QIcon(QPixmap::fromImage(picture)));
    button->setIconSize(picture.size());
}

void TButton::SetDefault(bool Value)
{
    FDefault = Value;
    if (auto* button = WidgetOf<QPushButton>(this)) button->setDefault(Value);
}

void TButton::Click()
{
    TWeakRef<TButton> self(this);
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
    if (self) TWinControl::Click();
}

bool TButton::CMDialogKey(Word& CharCode, TShiftState Shift)
{
    TWinControl* focused = pl::FocusedControl();
    // The focused button answers Return; else the default button does.
    const bool active = focused == this || (FDefault && !dynamic_cast<TButton*>(focused));
    const bool mine = (CharCode == VK_RETURN && active) || (CharCode == VK_ESCAPE && FCancel);
    if (!mine || !Shift.Empty() || !CanFocus()) return false;
    Click();
    return true;
}

bool TButton::CMDialogChar(Char Key, bool)
{
    if (!IsAccel(Key, Caption()) || !CanFocus()) return false;
    Click();
    return true;
}

void TButton::CMTextChanged()
{
    TWinControl::CMTextChanged();
    if (auto* button = WidgetOf<QPushButton>(this)) SetButtonCaption(button, Caption());
}

// ---------------------------------------------------------------------------
// TCustomEdit
// ---------------------------------------------------------------------------

TClass TCustomEdit::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TCustomEdit, TWinControl>("TCustomEdit").Build();
    return &info;
}

TClass TEdit::StaticClassInfo()
{
    using C = TEdit;
    static const TClassInfo info = [] {
        TClassBuilder<C, TCustomEdit> b("TEdit");
        pl::PublishAlign(b)
            .Bool("AutoSelect", &C::AutoSelect, &C::SetAutoSelect).Default(true)
            .Enum("BorderStyle", &C::BorderStyle, &C::SetBorderStyle).Default(bsSingle)
            .Enum("CharCase", &C::CharCase, &C::SetCharCase).Default(ecNormal);
        pl::PublishColor(b, clWindow, false);
        pl::PublishFont(b)
            .Integer("MaxLength", &C::MaxLength, &C::SetMaxLength).Default(0)
            .Char("PasswordChar", &C::PasswordChar, &C::SetPasswordChar).Default(0)
            .Bool("ReadOnly", &C::ReadOnly, &C::SetReadOnly).Default(false);
        pl::PublishState(b);
        pl::PublishTab(b, true);
        b.String("Text", &C::Text, &C::SetText).Default(String()).Event("OnChange", &C::OnChange, &C::OnChange);
        pl::PublishMouseEvents(b);
        pl::PublishKeyEvents(b);
        return b.Build();
    }();
    return &info;
}

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    SetParentColor(false);
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 121, 21);
}

void TCustomEdit::CreateWnd()
{
    auto* edit = new EditWidget(this);
    edit->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(edit, &QLineEdit::textChanged, Guarded<TCustomEdit>(this, &TCustomEdit::Change));
    QObject::connect(edit, &QLineEdit::textEdited, Guarded<TCustomEdit>(this, &TCustomEdit::UserEdited));
    pl::AttachWidget(this, edit, true);
    SetReadOnly(FReadOnly);
    SetCharCase(FCharCase);
    SetMaxLength(FMaxLength);
    SetPasswordChar(FPasswordChar);
    SetBorderStyle(FBorderStyle);
    SetAlignment(FAlignment);
}

String TCustomEdit::GetTextValue() const
{
    auto* edit = WidgetOf<QLineEdit>(this);
    return edit ? FromQt(edit->text()) : String();
}

void TCustomEdit::SetTextValue(const String& Value)
{
    // textChanged fires OnChange: a change from code is a real change too.
    if (auto* edit = WidgetOf<QLineEdit>(this)) edit->setText(ToQt(Value));
}

void TCustomEdit::UserEdited() { FModified = true; }

void TCustomEdit::CMEnter()
{
    if (FAutoSelect && GetKeyState(VK_LBUTTON) >= 0) SelectAll();
    TWinControl::CMEnter();
}

void TCustomEdit::Change()
{
    if (OnChange) OnChange(this);
}

Integer TCustomEdit::WMGetDlgCode() { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

void TCustomEdit::SetReadOnly(bool Value)
{
    FReadOnly = Value;
    if (auto* edit = WidgetOf<QLineEdit>(this)) edit->setReadOnly(Value);
}

void TCustomEdit::SetMaxLength(Integer Value)
{
    FMaxLength = std::max(Value, 0);
    if (auto* edit = WidgetOf<QLineEdit>(this)) edit->setMaxLength(FMaxLength > 0 ? FMaxLength : 32767);
}

void TCustomEdit::SetCharCase(TEditCharCase Value)
{
    FCharCase = Value;
    if (auto* edit = WidgetOf<QLineEdit>(this)) {
        delete edit->validator();
        edit->setValidator(Value == ecNormal ? nullptr : new CaseValidator(Value == ecUpperCase, edit));
    }
    if (Value == ecUpperCase) SetText(AnsiUpperCase(Text()));
    if (Value == ecLowerCase) SetText(AnsiLowerCase(Text()));
}

void TCustomEdit::SetPasswordChar(Char Value)
{
    FPasswordChar = Value;
    if (auto* edit = WidgetOf<QLineEdit>(this)) edit->setEchoMode(Value ? QLineEdit::Password : QLineEdit::Normal);
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value)
{
    FBorderStyle = Value;
    if (auto* edit = WidgetOf<QLineEdit>(this)) edit->setFrame(Value != bsNone);
    AdjustHeight();
}

void TCustomEdit::SetAutoSize(bool Value)
{
    SetIfDifferent(FAutoSize, Value, [this] { AdjustHeight(); });
}

void TCustomEdit::SetCtl3D(bool Value)
{
    FParentCtl3D = false;
    SetIfDifferent(FCtl3D, Value, [this] { AdjustHeight(); });
}

void TCustomEdit::SetParentCtl3D(bool Value)
{
    FParentCtl3D = Value;
    if (Value) SetIfDifferent(FCtl3D, true, [this] { AdjustHeight(); });
}

void TCustomEdit::AdjustHeight()
{
    if (!FAutoSize || FBorderStyle != bsSingle || IsLoading(this) || ComponentState().Contains(csDestroying)) return;
    const Integer frame = FCtl3D ? 8 : 6;
    SetBounds(Left(), Top(), Width(), FontEntryOf(*Font())->Height() + frame);
}

void TCustomEdit::Loaded()
{
    TWinControl::Loaded();
    AdjustHeight();
}

void TCustomEdit::CMFontChanged()
{
    TWinControl::CMFontChanged();
    AdjustHeight();
}

void TCustomEdit::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    if (auto* edit = WidgetOf<QLineEdit>(this)) edit->setAlignment(QtAlignment(Value));
}

Integer TCustomEdit::SelStart() const
{
    auto* edit = WidgetOf<QLineEdit>(this);
    if (!edit) return 0;
    return edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
}

void TCustomEdit::SetSelStart(Integer Value)
{
    if (auto* edit = WidgetOf<QLineEdit>(this)) edit->setCursorPosition(std::clamp(Value, 0, int(edit->text().size())));
}

Integer TCustomEdit::SelLength() const
{
    auto* edit = WidgetOf<QLineEdit>(this);
    return edit ? static_cast<Integer>(edit->selectedText().size()) : 0;
}

void TCustomEdit::SetSelLength(Integer Value)
{
    if (auto* edit = WidgetOf<QLineEdit>(this)) edit->setSelection(SelStart(), std::max(Value, 0));
}

String TCustomEdit::SelText() const
{
    auto* edit = WidgetOf<QLineEdit>(this);
    return edit ? FromQt(edit->selectedText()) : String();
}

void TCustomEdit::SetSelText(const String& Value)
{
    if (auto* edit = WidgetOf<QLineEdit>(this)) edit->insert(ToQt(Value));
}

void TCustomEdit::SelectAll()
{
    if (auto* edit = WidgetOf<QLineEdit>(this)) edit->selectAll();
}

// ---------------------------------------------------------------------------
// TComboBox
// ---------------------------------------------------------------------------

namespace {

// Tells the control when the user opens the list.
//
// The list is a window of its own, made by the combo box on first use, and a
// font change would make it at once to pass the font on: a form with dozens
// of combo boxes paid for dozens of windows while it was read. Until the
// list is made, a font change only drops the cached size, and the list
// takes the font when it is first shown.
class ComboWidget : public pl::LayerWidget<QComboBox> {
public:
    explicit ComboWidget(TComboBox* Control) : LayerWidget<QComboBox>(Control, true) {}
    void showPopup() override
    {
        Tell(true);
        if (FListFontDeferred) {
            FListFontDeferred = false;
            view()->window()->setFont(font());
            view()->doItemsLayout();
        }
        QComboBox::showPopup();
    }
    void hidePopup() override
    {
        QComboBox::hidePopup();
        Tell(false);
    }

protected:
    void changeEvent(QEvent* Event) override
    {
        if (Event->type() != QEvent::FontChange || ListMade()) {
            QComboBox::changeEvent(Event);
            return;
        }
        // Its cached size hint stays as it was: the layer places every
        // widget itself and never asks for one. The line edit of an
        // editable box is placed again as on a resize.
        FListFontDeferred = true;
        QWidget::changeEvent(Event);
        if (lineEdit()) {
            QResizeEvent resize(size(), size());
            QComboBox::resizeEvent(&resize);
        }
    }

private:
    void Tell(bool Shown)
    {
        if (auto* combo = dynamic_cast<TComboBox*>(LinkedControl)) pl::Guard([combo, Shown] { combo->ListShown(Shown); });
    }
    // The list view lives in the list window, a child of the combo box.
    bool ListMade() const { return findChild<QAbstractItemView*>() != nullptr; }

    bool FListFontDeferred = false;
};

}  // namespace

TClass TComboBox::StaticClassInfo()
{
    using C = TComboBox;
    static const TClassInfo info = [] {
        TClassBuilder<C, TWinControl> b("TComboBox");
        pl::PublishAlign(b).Enum("Style", &C::Style, &C::SetStyle).Default(csDropDown);
        pl::PublishColor(b, clWindow, false)
            .Integer("DropDownCount", &C::DropDownCount, &C::SetDropDownCount).Default(8);
        pl::PublishFont(b)
            .Integer("ItemIndex", &C::ItemIndex, &C::SetItemIndex).Default(-1)
            .Integer("MaxLength", &C::MaxLength, &C::SetMaxLength).Default(0)
            .Bool("Sorted", &C::Sorted, &C::SetSorted).Default(false);
        pl::PublishState(b);
        pl::PublishTab(b, true);
        b.String("Text", &C::Text, &C::SetText).Default(String())
            .Event("OnChange", &C::OnChange, &C::OnChange)
            .Event("OnCloseUp", &C::OnCloseUp, &C::OnCloseUp)
            .Event("OnDropDown", &C::OnDropDown, &C::OnDropDown)
            .Event("OnSelect", &C::OnSelect, &C::OnSelect);
        pl::PublishMouseEvents(b);
        pl::PublishKeyEvents(b);
        b.Object("Items", &C::Items, &C::SetItems);
        return b.Build();
    }();
    return &info;
}

TComboBox::TComboBox(TComponent* AOwner) : TWinControl(AOwner), FItems(CreateOwned<TStringList>())
{
    FItems->OnChange = [this](TObject*) { ItemsChanged(); };
    SetParentColor(false);
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 145, 21);
}

TComboBox::~TComboBox() { FItems->OnChange = nullptr; }

void TComboBox::CreateWnd()
{
    auto* combo = new ComboWidget(this);
    combo->setFocusPolicy(Qt::StrongFocus);
    combo->setInsertPolicy(QComboBox::NoInsert);
    // Only the user's choice fires; currentIndexChanged is never connected.
    QObject::connect(combo, qOverload<int>(&QComboBox::activated), Guarded<TComboBox>(this, &TComboBox::UserSelected));
    pl::AttachWidget(this, combo, true);
    Host().FocusFrame = ComboBoxFocusFrame;
    // The box is made with the default style, which a form usually replaces;
    // each switch between editable and not makes the list window.
    FStyleDeferred = Owner() && Owner()->ComponentState().Contains(csLoading);
    SetStyle(FStyle);
    SetDropDownCount(FDropDownCount);
}

void TComboBox::Loaded()
{
    TWinControl::Loaded();
    if (!FStyleDeferred) return;
    FStyleDeferred = false;
    SetStyle(FStyle);
    FDeferredText.reset();
}

TStrings* TComboBox::Items() const { return FItems.get(); }

void TComboBox::SetItems(TStrings* Value) { FItems->Assign(Value); }

void TComboBox::ItemsChanged()
{
    auto* combo = WidgetOf<QComboBox>(this);
    if (!combo) return;
    // Qt chooses the first item added to an empty box; the class library
    // keeps the index and the text.
    const Integer index = combo->currentIndex();
    const String text = Text();
    QSignalBlocker block(combo);
    combo->clear();
    for (Integer i = 0; i < FItems->Count(); ++i) combo->addItem(ToQt(FItems->Strings(i)));
    combo->setCurrentIndex(index < FItems->Count() ? index : -1);
    if (combo->isEditable()) {
        QSignalBlocker blockEdit(combo->lineEdit());
        combo->lineEdit()->setText(ToQt(text));
    }
}

Integer TComboBox::ItemIndex() const
{
    auto* combo = WidgetOf<QComboBox>(this);
    return combo ? combo->currentIndex() : -1;
}

void TComboBox::SetItemIndex(Integer Value)
{
    auto* combo = WidgetOf<QComboBox>(this);
    if (!combo) return;
    QSignalBlocker block(combo);
    combo->setCurrentIndex(Value >= 0 && Value < combo->count() ? Value : -1);
}

String TComboBox::GetTextValue() const
{
    auto* combo = WidgetOf<QComboBox>(this);
    if (!combo) return String();
    if (FDeferredText) return *FDeferredText;
    return FromQt(combo->isEditable() ? combo->lineEdit()->text() : combo->currentText());
}

void TComboBox::SetTextValue(const String& Value)
{
    auto* combo = WidgetOf<QComboBox>(this);
    if (!combo) return;
    if (FStyleDeferred && Editable()) {
        FDeferredText = Value;
        return;
    }
    QSignalBlocker block(combo);
    if (combo->isEditable()) {
        QSignalBlocker blockEdit(combo->lineEdit());
        combo->lineEdit()->setText(ToQt(Value));
    } else {
        combo->setCurrentIndex(FItems->IndexOf(Value));
    }
}

void TComboBox::SetStyle(TComboBoxStyle Value)
{
    FStyle = Value;
    auto* combo = WidgetOf<QComboBox>(this);
    if (!combo || FStyleDeferred) return;
    const String text = Text();
    const bool editable = Editable();
    QSignalBlocker block(combo);
    combo->setEditable(editable);
    // Keys typed into an editable box arrive at its line edit.
    Host().FocusWidget = editable ? combo->lineEdit() : nullptr;
    if (!editable) return;
    QLineEdit* edit = combo->lineEdit();
    edit->setMaxLength(FMaxLength > 0 ? FMaxLength : 32767);
    {
        QSignalBlocker blockEdit(edit);
        edit->setText(ToQt(text));
    }
    // The line edit lives as long as the box stays editable: connect once.
    if (edit->property("pl.userEdits").toBool()) return;
    edit->setProperty("pl.userEdits", true);
    QObject::connect(edit, &QLineEdit::textEdited, Guarded<TComboBox>(this, &TComboBox::UserEdited));
    pl::RouteInnerWidget(this, edit);
}

void TComboBox::SetDropDownCount(Integer Value)
{
    FDropDownCount = std::max(Value, 1);
    if (auto* combo = WidgetOf<QComboBox>(this)) combo->setMaxVisibleItems(FDropDownCount);
}

bool TComboBox::Sorted() const { return FItems->Sorted(); }

void TComboBox::SetSorted(bool Value) { FItems->SetSorted(Value); }

void TComboBox::SetMaxLength(Integer Value)
{
    FMaxLength = std::max(Value, 0);
    auto* combo = WidgetOf<QComboBox>(this);
    if (combo && combo->lineEdit()) combo->lineEdit()->setMaxLength(FMaxLength > 0 ? FMaxLength : 32767);
}

bool TComboBox::DroppedDown() const
{
    auto* combo = WidgetOf<QComboBox>(this);
    return combo && combo->view() && combo->view()->isVisible();
}

void TComboBox::SetDroppedDown(bool Value)
{
    auto* combo = WidgetOf<QComboBox>(this);
    if (!combo || Value == DroppedDown()) return;
    if (Value)
        combo->showPopup();
    else
        combo->hidePopup();
}

void TComboBox::Clear()
{
    FItems->Clear();
    SetText(String());
}

Integer TComboBox::WMGetDlgCode() { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

void TComboBox::UserSelected()
{
    TWeakRef<TComboBox> self(this);
    Click();
    if (self) Select();
}

void TComboBox::UserEdited() { Change(); }

void TComboBox::ListShown(bool Shown)
{
    const TNotifyEvent& event = Shown ? OnDropDown : OnCloseUp;
    if (event) event(this);
}

void TComboBox::Change()
{
    if (OnChange) OnChange(this);
}

void TComboBox::Select()
{
    if (OnSelect)
        OnSelect(this);
    else
        Change();
}

// ---------------------------------------------------------------------------
// TCheckBox
// ---------------------------------------------------------------------------

TClass TCheckBox::StaticClassInfo()
{
    using C = TCheckBox;
    static const TClassInfo info = [] {
        TClassBuilder<C, TWinControl> b("TCheckBox");
        pl::PublishAlign(b)
            .Enum("Alignment", &C::Alignment, &C::SetAlignment).Default(taRightJustify)
            .Bool("AllowGrayed", &C::AllowGrayed, &C::SetAllowGrayed).Default(false)
            .String("Caption", &C::Caption, &C::SetCaption).Default(String())
            .Bool("Checked", &C::Checked, &C::SetChecked).Default(false);
        pl::PublishColor(b, clBtnFace, true);
        pl::PublishFont(b);
        pl::PublishState(b).Enum("State", &C::State, &C::SetState).Default(cbUnchecked);
        pl::PublishTab(b, true);
        pl::PublishMouseEvents(b);
        pl::PublishKeyEvents(b);
        return b.Build();
    }();
    return &info;
}

TCheckBox::TCheckBox(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle = {csSetCaption, csDoubleClicks};
    SetTabStop(true);
    SetBounds(0, 0, 97, 17);
}

void TCheckBox::CreateWnd()
{
    auto* box = new pl::LayerWidget<QCheckBox>(this, true);
    box->setFocusPolicy(Qt::StrongFocus);
    SetButtonCaption(box, Caption());
    QObject::connect(box, &QCheckBox::clicked, Guarded<TCheckBox>(this, &TCheckBox::Toggle));
    Host().FocusFrame = CheckBoxFocusFrame;
    pl::AttachWidget(this, box, true);
    SetAllowGrayed(FAllowGrayed);
}

void TCheckBox::SetState(TCheckBoxState Value)
{
    if (auto* box = WidgetOf<QCheckBox>(this)) {
        // The widget may already show the user's toggle; it follows FState.
        QSignalBlocker block(box);
        box->setCheckState(Value == cbChecked ? Qt::Checked : Value == cbGrayed ? Qt::PartiallyChecked : Qt::Unchecked);
    }
    if (FState == Value) return;
    FState = Value;
    if (!IsLoading(this)) Click();
}

void TCheckBox::SetAllowGrayed(bool Value)
{
    FAllowGrayed = Value;
    if (auto* box = WidgetOf<QCheckBox>(this)) box->setTristate(Value);
}

void TCheckBox::Toggle()
{
    switch (FState) {
        case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
        case cbChecked: SetState(cbUnchecked); break;
        case cbGrayed: SetState(cbChecked); break;
    }
}

bool TCheckBox::CMDialogChar(Char Key, bool)
{
    if (!IsAccel(Key, Caption()) || !CanFocus()) return false;
    SetFocus();
    if (Focused()) Toggle();
    return true;
}

void TCheckBox::CMTextChanged()
{
    TWinControl::CMTextChanged();
    if (auto* box = WidgetOf<QCheckBox>(this)) SetButtonCaption(box, Caption());
}
