#include "widgets/QdKeyStatus.h"

#include <array>

#include "platform/TypInfo.h"
#include "widgets/QdInterface.h"

namespace {

constexpr UINT kPollTimer = 1;
constexpr UINT kPollInterval = 100;
constexpr const char* SOutOfResources = "Out of resources.";
constexpr Word kKeyCodes[] = {VK_NUMLOCK, VK_CAPITAL, VK_SCROLL};

}  // namespace

TClass TQdKeyStatus::StaticClassInfo()
{
    using K = TQdKeyStatus;
    static const TClassInfo info = TClassBuilder<K, TQdComponent>("TQdKeyStatus")
                                       .Bool("MonitorEvents", &K::MonitorEvents, &K::SetMonitorEvents).Default(false)
                                       .Set("Keys", &K::Keys, &K::SetKeys).Default(TQdKeyStateTypes{})
                                       .Event("OnChange", &K::OnChange)
                                       .Build();
    return &info;
}

void TQdKeyStatus::BeforeDestruction()
{
    FMonitorEvents = false;
    if (FHandle) Qi_DeallocateHWnd(FHandle);
    FHandle = nullptr;
    TQdComponent::BeforeDestruction();
}

void TQdKeyStatus::SetKeys(TQdKeyStateTypes Value)
{
    if (Value == FKeys) return;
    FKeys = Value;
    for (Integer key = ksNUM; key <= ksSCROLL; ++key)
        ChangeState(kKeyCodes[key], Value.Contains(static_cast<TQdKeyStateType>(key)));
    Changed();
}

void TQdKeyStatus::SetMonitorEvents(bool Value)
{
    if (Value == FMonitorEvents) return;
    FMonitorEvents = Value;
    UpdateTimer();
}

void TQdKeyStatus::Changed()
{
    if (OnChange) OnChange(this);
}

void TQdKeyStatus::UpdateTimer()
{
    if (!FHandle && !FMonitorEvents) return;
    if (!FHandle) FHandle = Qi_AllocateHWnd([this](TMessage& Message) { WndProc(Message); });
    KillTimer(FHandle, kPollTimer);
    if (FMonitorEvents && SetTimer(FHandle, kPollTimer, kPollInterval) == 0) throw EOutOfResources(SOutOfResources);
}

void TQdKeyStatus::WndProc(TMessage& Message)
{
    if (Message.Msg != WM_TIMER) {
        Message.Result = DefWindowProc(FHandle, Message.Msg, Message.WParam, Message.LParam);
        return;
    }
    Timer();
    Message.Result = 0;
}

void TQdKeyStatus::Timer()
{
    TQdKeyStateTypes keys;
    for (Integer key = ksNUM; key <= ksSCROLL; ++key)
        if (GetKeyState(kKeyCodes[key]) != 0) keys.Include(static_cast<TQdKeyStateType>(key));
    if (ComponentState().Contains(csDesigning) || keys == FKeys) return;
    FKeys = keys;
    Changed();
}

void TQdKeyStatus::ChangeState(Word Key, bool Active)
{
    std::array<Byte, 256> table;
    GetKeyboardState(table);
    if (Active && GetKeyState(Key) == 0)
        table[Key] = 1;
    else if (!Active)
        table[Key] = 0;
    else
        return;
    SetKeyboardState(table);
}
