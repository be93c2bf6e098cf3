#pragma once
// Keeps one instance of the program running: once the form holding it is
// loaded, a later instance finds the first (by the application's title),
// asks it to come forward and, by default, ends itself.

#include <memory>

#include "platform/SysServices.h"
#include "widgets/QdControls.h"

class TQdRunOnce : public TQdComponent {
    PL_CLASSINFO()
public:
    using TQdComponent::TQdComponent;
    ~TQdRunOnce() override;
    // The check; it runs once, at the end of loading.
    void Loaded() override;

    bool RestorePrevInst() const { return FRestorePrevInst; }
    void SetRestorePrevInst(bool Value) { FRestorePrevInst = Value; }
    bool Terminate() const { return FTerminate; }
    void SetTerminate(bool Value) { FTerminate = Value; }
    const String& MessageText() const { return FMessageText; }
    void SetMessageText(const String& Value) { FMessageText = Value; }
    bool ShowMessage() const { return FShowMessage; }
    void SetShowMessage(bool Value) { FShowMessage = Value; }
    // True once the check has run.
    bool Initialized() const { return FInitialized; }

    // In a later instance, when the first one was found.
    TNotifyEvent OnExists;

protected:
    // In the first instance, asked by a later one: the main form shown,
    // restored when minimised, and brought to the front.
    virtual void BringForward();

private:
    String FMessageText;
    bool FShowMessage = false;
    bool FTerminate = true;
    bool FRestorePrevInst = true;
    bool FInitialized = false;
    std::unique_ptr<TSingleInstance> FInstance;
};
