#include "platform/AutoRepeat.h"

#include "platform/ExtCtrls.h"

TAutoRepeat::TAutoRepeat(Cardinal FirstDelay, Cardinal Interval, std::function<void()> OnRepeat)
    : FFirstDelay(FirstDelay), FInterval(Interval), FOnRepeat(std::move(OnRepeat))
{
}

TAutoRepeat::~TAutoRepeat() = default;

void TAutoRepeat::Start()
{
    if (!FTimer) {
        FTimer = CreateOwned<TTimer>(nullptr);
        FTimer->SetEnabled(false);
        FTimer->SetOnTimer([this](TObject*) { Tick(); });
    }
    // Disabled first, so that a repeat already running starts its pause again.
    FTimer->SetEnabled(false);
    FTimer->SetInterval(FFirstDelay);
    FTimer->SetEnabled(true);
}

void TAutoRepeat::Stop() noexcept
{
    if (FTimer) FTimer->SetEnabled(false);
}

bool TAutoRepeat::Running() const { return FTimer && FTimer->Enabled(); }

void TAutoRepeat::Tick()
{
    // Before the handler, which may free the repeat.
    FTimer->SetInterval(FInterval);
    FOnRepeat();
}
