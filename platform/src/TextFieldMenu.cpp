#include "TextFieldMenu.h"

#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <memory>

#include "ControlHost.h"
#include "TestHooks.h"

namespace {

// Qt's own menu for the control's text field; nullptr for other controls.
QMenu* CreateMenuOf(TControl* Control)
{
    QWidget* field = Control->Host().KeyWidget();
    if (auto* line = qobject_cast<QLineEdit*>(field)) return line->createStandardContextMenu();
    if (auto* text = qobject_cast<QPlainTextEdit*>(field)) return text->createStandardContextMenu();
    return nullptr;
}

// An entry's words without its hot key and its shortcut ("Co&pier\tCtrl+C").
String CaptionOf(const QAction* Action)
{
    return StripHotkey(Action->text().section(QLatin1Char('\t'), 0, 0).toStdString());
}

// A test's queued answer chooses, as the user would click, an entry that
// is there and enabled.
void ChooseAnswer(const QMenu& Menu)
{
    const String what = "menu de saisie";
    String caption;
    if (!pl::TakeMenuAnswer(caption)) pl::RaiseUnanswered(what);
    if (caption.empty()) return;
    for (QAction* action : Menu.actions()) {
        if (action->isSeparator() || CaptionOf(action) != StripHotkey(caption)) continue;
        if (!action->isEnabled()) pl::RaiseUnanswered(what + " : « " + caption + " » est grisé");
        action->trigger();
        return;
    }
    pl::RaiseUnanswered(what + " sans élément « " + caption + " »");
}

}  // namespace

void pl::ShowTextFieldMenu(TControl* Control, TPoint ScreenPos)
{
    QMenu* menu = CreateMenuOf(Control);
    if (!menu) return;
    if (TestAnswering()) {
        const std::unique_ptr<QMenu> owned(menu);
        ChooseAnswer(*owned);
        return;
    }
    ReleaseCapture();
    // The menu belongs to the field: it goes when it closes, or with the
    // field should the control be freed while it is open.
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(QPoint(ScreenPos.X, ScreenPos.Y));
}
