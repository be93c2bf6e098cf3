#include "platform/Memo.h"

#include <QPlainTextEdit>

#include "ClipboardText.h"
#include "ControlHost.h"
#include "Guard.h"
#include "Publish.h"
#include "platform/Messages.h"

namespace {

QPlainTextEdit* EditOf(const TControl* Control) { return static_cast<QPlainTextEdit*>(Control->Host().Widget.data()); }

// Qt breaks lines with LF alone.
QString ToQtLines(const String& Value)
{
    QString text = QString::fromStdString(Value);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

String FromQtLines(const QString& Value)
{
    QString text = Value;
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text.toStdString();
}

// A memo's widget: whatever brings it data that carries no text (a paste
// key, the middle button, a drop) leaves its text as it is, where the
// toolkit's multi-line edit crashed on data of no format.
class MemoWidget final : public pl::LayerWidget<QPlainTextEdit> {
public:
    explicit MemoWidget(TMemo* Memo) : LayerWidget(Memo, true) {}

protected:
    bool canInsertFromMimeData(const QMimeData* Source) const override
    {
        return pl::CarriesText(Source) && LayerWidget::canInsertFromMimeData(Source);
    }

    void insertFromMimeData(const QMimeData* Source) override
    {
        if (pl::CarriesText(Source)) LayerWidget::insertFromMimeData(Source);
    }
};

}  // namespace

TClass TMemo::StaticClassInfo()
{
    using C = TMemo;
    static const TClassInfo info = [] {
        TClassBuilder<C, TWinControl> b("TMemo");
        pl::PublishAlign(b);
        pl::PublishColor(b, clWindow, false);
        pl::PublishFont(b)
            .Bool("ReadOnly", &C::ReadOnly, &C::SetReadOnly).Default(false)
            .Bool("WantReturns", &C::WantReturns, &C::SetWantReturns).Default(true)
            .Bool("WordWrap", &C::WordWrap, &C::SetWordWrap).Default(true);
        pl::PublishState(b);
        pl::PublishTab(b, true);
        b.String("Text", &C::Text, &C::SetText).Default(String()).Event("OnChange", &C::OnChange, &C::OnChange);
        pl::PublishMouseEvents(b);
        pl::PublishKeyEvents(b);
        return b.Build();
    }();
    return &info;
}

TMemo::TMemo(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle = {csCaptureMouse, csClickEvents, csDoubleClicks};
    SetParentColor(false);
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 185, 89);
}

void TMemo::CreateWnd()
{
    auto* edit = new MemoWidget(this);
    edit->setFocusPolicy(Qt::StrongFocus);
    edit->setTabChangesFocus(true);
    QObject::connect(edit, &QPlainTextEdit::textChanged, [alive = TWeakRef<TMemo>(this)] {
        if (TMemo* memo = alive.Get()) pl::Guard([memo] { memo->Change(); });
    });
    pl::AttachWidget(this, edit, true);
    // The mouse reaches the text area, not the memo's own widget.
    pl::RouteInnerWidget(this, edit->viewport());
    SetReadOnly(FReadOnly);
    SetWordWrap(FWordWrap);
}

String TMemo::GetTextValue() const
{
    auto* edit = EditOf(this);
    return edit ? FromQtLines(edit->toPlainText()) : String();
}

void TMemo::SetTextValue(const String& Value)
{
    // textChanged fires OnChange: a change from code is a real change too.
    if (auto* edit = EditOf(this)) edit->setPlainText(ToQtLines(Value));
}

void TMemo::Change()
{
    if (OnChange) OnChange(this);
}

void TMemo::SetReadOnly(bool Value)
{
    FReadOnly = Value;
    if (auto* edit = EditOf(this)) edit->setReadOnly(Value);
}

void TMemo::SetWordWrap(bool Value)
{
    FWordWrap = Value;
    if (auto* edit = EditOf(this)) edit->setLineWrapMode(Value ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

Integer TMemo::LineCount() const
{
    auto* edit = EditOf(this);
    return edit && !edit->document()->isEmpty() ? edit->document()->blockCount() : 0;
}

void TMemo::SelectAll()
{
    if (auto* edit = EditOf(this)) edit->selectAll();
}

Integer TMemo::WMGetDlgCode() { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

// Return alone: Esc still reaches the form's cancel button.
Integer TMemo::CMWantSpecialKey(Word& CharCode) { return FWantReturns && CharCode == VK_RETURN ? 1 : 0; }
