#include <gtest/gtest.h>

#include <functional>

#include "components/foundation/kClasses.h"
#include "platform/SysUtils.h"
#include "platform/Testing.h"

namespace {

// A paced control reduced to the update interface.
class TFakeControl : public IkUpdateControl {
public:
    Boolean GetUpdateActive() const override { return UpdateActive; }
    Boolean GetNeedsRepaint() const override { return NeedsRepaint; }
    Integer GetUpdateFrameRate() const override { return FrameRate; }
    Int64 GetLastUpdate() const override { return LastUpdate; }
    void DoRepaint() override
    {
        ++Repaints;
        NeedsRepaint = false;
        LastUpdate = MonotonicNow();
        if (OnRepaint) OnRepaint();
    }

    Boolean UpdateActive = false;
    Boolean NeedsRepaint = true;
    Integer FrameRate = 60;
    Int64 LastUpdate = MonotonicNow();
    Integer Repaints = 0;
    std::function<void()> OnRepaint;
};

TEST(kUpdateObject, TimerRunsFromCreationStopsWithTheLastControlAndRestartsWithTheNext)
{
    TOwned<TkUpdateObject> updater(Create<TkUpdateObject>());
    EXPECT_TRUE(updater->TimerEnabled());
    TFakeControl a, b;
    updater->AddUpdateControl(&a);
    updater->AddUpdateControl(&b);
    updater->RemoveUpdateControl(&a);
    EXPECT_TRUE(updater->TimerEnabled());
    updater->RemoveUpdateControl(&a);  // not present: nothing
    EXPECT_EQ(updater->ControlCount(), 1);
    updater->RemoveUpdateControl(&b);
    EXPECT_FALSE(updater->TimerEnabled());

    // Stopped: nothing is repainted; the next registration starts it again.
    b.LastUpdate -= 1000;
    Testing::VirtualClock::Advance(2000);
    EXPECT_EQ(b.Repaints, 0);
    updater->AddUpdateControl(&b);
    EXPECT_TRUE(updater->TimerEnabled());
    Testing::VirtualClock::Advance(999);
    EXPECT_EQ(b.Repaints, 0);
    Testing::VirtualClock::Advance(1);
    EXPECT_EQ(b.Repaints, 1);
    updater->RemoveUpdateControl(&b);
}

TEST(kUpdateObject, TickRepaintsOnlyDueControls)
{
    TOwned<TkUpdateObject> updater(Create<TkUpdateObject>());
    TFakeControl due, bracketed, clean, recent, rateZero;
    bracketed.UpdateActive = true;
    clean.NeedsRepaint = false;
    rateZero.FrameRate = 0;
    for (TFakeControl* c : {&due, &bracketed, &clean, &recent, &rateZero}) {
        c->LastUpdate -= 100;
        updater->AddUpdateControl(c);
    }
    recent.LastUpdate = MonotonicNow() + 1000;  // repainted just before the tick
    updater->UpdateTimerTick();
    EXPECT_EQ(due.Repaints, 1);
    EXPECT_EQ(bracketed.Repaints, 0);
    EXPECT_EQ(clean.Repaints, 0);
    EXPECT_EQ(recent.Repaints, 0);
    EXPECT_EQ(rateZero.Repaints, 1);
    updater->UpdateTimerTick();
    EXPECT_EQ(due.Repaints, 1);
}

TEST(kUpdateObject, ControlsLeavingDuringATickAreSkipped)
{
    TOwned<TkUpdateObject> updater(Create<TkUpdateObject>());
    TFakeControl first, second, third;
    first.OnRepaint = [&] {
        updater->RemoveUpdateControl(&second);
        updater->RemoveUpdateControl(&first);
    };
    for (TFakeControl* c : {&first, &second, &third}) {
        c->LastUpdate -= 100;
        updater->AddUpdateControl(c);
    }
    updater->UpdateTimerTick();
    EXPECT_EQ(first.Repaints, 1);
    EXPECT_EQ(second.Repaints, 0);
    EXPECT_EQ(third.Repaints, 1);
    EXPECT_EQ(updater->ControlCount(), 1);
}

}  // namespace
