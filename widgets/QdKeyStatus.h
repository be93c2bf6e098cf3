#pragma once
// Watches and sets the Num, Caps and Scroll lock keys.
//
// The keys are those of the program's key-state table, which follows the
// lock-key presses the program receives. The toolkit under the platform
// can neither read the keyboard's own locks nor switch them, so setting
// Keys changes what the program sees, not the keyboard or its lights.

#include "platform/Messages.h"
#include "widgets/QdControls.h"

enum TQdKeyStateType { ksNUM, ksCAPS, ksSCROLL };
PL_ENUM_NAMES(TQdKeyStateType, "ksNUM", "ksCAPS", "ksSCROLL")
using TQdKeyStateTypes = TSet<TQdKeyStateType>;

class TQdKeyStatus : public TQdComponent {
    PL_CLASSINFO()
public:
    using TQdComponent::TQdComponent;
    void BeforeDestruction() override;

    // The locks on (or held down) at the last look.
    TQdKeyStateTypes Keys() const { return FKeys; }
    // Switches the locks in the order Num, Caps, Scroll, then OnChange.
    void SetKeys(TQdKeyStateTypes Value);
    // While set, the keys are looked at every 100 ms and a change fires
    // OnChange (the keys themselves are left alone).
    bool MonitorEvents() const { return FMonitorEvents; }
    void SetMonitorEvents(bool Value);

    TNotifyEvent OnChange;

protected:
    virtual void Changed();

private:
    void UpdateTimer();
    void WndProc(TMessage& Message);
    void Timer();
    static void ChangeState(Word Key, bool Active);

    HWND FHandle = nullptr;
    bool FMonitorEvents = false;
    TQdKeyStateTypes FKeys;
};
