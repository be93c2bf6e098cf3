#include "widgets/QdRunOnce.h"

#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "platform/TypInfo.h"

// The Booleans have no stream default: they are always stored.
TClass TQdRunOnce::StaticClassInfo()
{
    using R = TQdRunOnce;
    static const TClassInfo info = TClassBuilder<R, TQdComponent>("TQdRunOnce")
                                       .Bool("RestorePrevInst", &R::RestorePrevInst, &R::SetRestorePrevInst)
                                       .Bool("Terminate", &R::Terminate, &R::SetTerminate)
                                       .String("MessageText", &R::MessageText, &R::SetMessageText).Default(String())
                                       .Bool("ShowMessage", &R::ShowMessage, &R::SetShowMessage)
                                       .Event("OnExists", &R::OnExists)
                                       .Build();
    return &info;
}

TQdRunOnce::~TQdRunOnce() = default;

void TQdRunOnce::Loaded()
{
    TQdComponent::Loaded();
    if (FInitialized || ComponentState().Contains(csDesigning)) return;
    FInitialized = true;
    auto instance = std::make_unique<TSingleInstance>(Application->Title);
    if (instance->Acquire()) {
        instance->OnActivate = [this] { BringForward(); };
        FInstance = std::move(instance);
        return;
    }
    TWeakRef<TQdRunOnce> alive(this);
    if (OnExists) OnExists(this);
    if (!alive) return;
    if (FRestorePrevInst) instance->ActivateFirst();
    if (!FTerminate) return;
    if (FShowMessage) MessageDlg(FMessageText, mtInformation, {mbOK});
    Application->Terminate();
}

void TQdRunOnce::BringForward()
{
    TCustomForm* form = Application->MainForm();
    if (!form) return;
    if (form->WindowState() == wsMinimized) form->SetWindowState(wsNormal);
    form->Show();
    form->BringToFront();
}
