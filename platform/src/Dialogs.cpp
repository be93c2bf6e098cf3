#include "platform/Dialogs.h"

#include <QMessageBox>
#include <QPushButton>

#include "DialogBridge.h"
#include "TestHooks.h"
#include "platform/Forms.h"

namespace {

struct ButtonInfo {
    TMsgDlgBtn Button;
    Integer Result;
    QMessageBox::ButtonRole Role;
    const char* Text;
};

constexpr ButtonInfo Buttons[] = {
    {mbYes, mrYes, QMessageBox::YesRole, "&Oui"},
    {mbNo, mrNo, QMessageBox::NoRole, "&Non"},
    {mbOK, mrOk, QMessageBox::AcceptRole, "OK"},
    {mbCancel, mrCancel, QMessageBox::RejectRole, "Annuler"},
    {mbAbort, mrAbort, QMessageBox::RejectRole, "&Abandonner"},
    {mbRetry, mrRetry, QMessageBox::AcceptRole, "&Réessayer"},
    {mbIgnore, mrIgnore, QMessageBox::AcceptRole, "&Ignorer"},
    {mbAll, mrAll, QMessageBox::YesRole, "&Tous"},
    {mbNoToAll, mrNoToAll, QMessageBox::NoRole, "Non à &tout"},
    {mbYesToAll, mrYesToAll, QMessageBox::YesRole, "Oui à t&out"},
    {mbHelp, mrHelp, QMessageBox::HelpRole, "&Aide"},
    {mbClose, mrClose, QMessageBox::RejectRole, "&Fermer"},
};

String ApplicationTitle() { return Application && !Application->Title.empty() ? Application->Title : String(); }

// The modal box; answers from the test answerer come first.
Integer ShowBox(const String& Text, const String& Caption, QMessageBox::Icon Icon, TMsgDlgButtons Chosen,
                const QPoint* Position = nullptr)
{
    Integer answer = mrNone;
    if (pl::TakeMessageAnswer(Text, answer)) return answer;
    if (pl::TestAnswering()) pl::RaiseUnanswered("message « " + Text + " »");
    ReleaseCapture();
    QMessageBox box(Icon, QString::fromStdString(Caption), QString::fromStdString(Text));
    std::vector<std::pair<QAbstractButton*, Integer>> results;
    for (const ButtonInfo& info : Buttons) {
        if (!Chosen.Contains(info.Button)) continue;
        QPushButton* button = box.addButton(QString::fromUtf8(info.Text), info.Role);
        results.emplace_back(button, info.Result);
        if (info.Result == mrCancel || info.Result == mrNo) box.setEscapeButton(button);
    }
    if (Position) box.move(*Position);
    box.exec();
    for (auto& [button, result] : results)
        if (box.clickedButton() == button) return result;
    return mrCancel;
}

QMessageBox::Icon IconOf(TMsgDlgType Type)
{
    switch (Type) {
        case mtWarning: return QMessageBox::Warning;
        case mtError: return QMessageBox::Critical;
        case mtInformation: return QMessageBox::Information;
        case mtConfirmation: return QMessageBox::Question;
        default: return QMessageBox::NoIcon;
    }
}

String CaptionOf(TMsgDlgType Type)
{
    switch (Type) {
        case mtWarning: return "Avertissement";
        case mtError: return "Erreur";
        case mtInformation: return "Information";
        case mtConfirmation: return "Confirmation";
        default: return ApplicationTitle();
    }
}

}  // namespace

Integer MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, Integer)
{
    return ShowBox(Msg, CaptionOf(DlgType), IconOf(DlgType), Buttons);
}

Integer MessageDlgPos(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, Integer, Integer X, Integer Y)
{
    const QPoint position(X, Y);
    return ShowBox(Msg, CaptionOf(DlgType), IconOf(DlgType), Buttons, X >= 0 && Y >= 0 ? &position : nullptr);
}

void ShowMessage(const String& Msg) { ShowBox(Msg, ApplicationTitle(), QMessageBox::NoIcon, {mbOK}); }

Integer pl::RunMessageBox(const String& Text, const String& Caption, Integer Flags)
{
    static const TMsgDlgButtons buttonSets[] = {{mbOK}, mbOKCancel, mbAbortRetryIgnore, mbYesNoCancel, mbYesNo,
                                               {mbRetry, mbCancel}};
    const Integer set = Flags & 0x0F;
    const TMsgDlgButtons buttons = set < 6 ? buttonSets[set] : TMsgDlgButtons{mbOK};
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (Flags & 0xF0) {
        case MB_ICONSTOP: icon = QMessageBox::Critical; break;
        case MB_ICONQUESTION: icon = QMessageBox::Question; break;
        case MB_ICONWARNING: icon = QMessageBox::Warning; break;
        case MB_ICONINFORMATION: icon = QMessageBox::Information; break;
        default: break;
    }
    return ShowBox(Text, Caption.empty() ? ApplicationTitle() : Caption, icon, buttons);
}
