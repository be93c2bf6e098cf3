#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "components/foundation/kCustomComponent.h"
#include "platform/Forms.h"
#include "platform/SysApi.h"
#include "platform/SysUtils.h"
#include "platform/Testing.h"
#include "support/ExceptionCatcher.h"
#include "support/LockingWorker.h"
#include "support/TwoControlForm.h"

namespace {

struct TKeyCall {
    Word Key;
    TShiftState Shift;
    bool UserGenerated;
    friend bool operator==(const TKeyCall&, const TKeyCall&) = default;
};

// Records what reaches the hooks.
class TProbe : public TkCustomComponent {
public:
    using TkCustomComponent::TkCustomComponent;

    void kPaintTo(TCanvas* Canvas) override
    {
        if (Draw)
            Draw(Canvas);
        else
            DrawBackGround(Canvas, BackGroundColor());
    }
    void kKeyDown(Word& Key, TShiftState Shift) override
    {
        KeyDowns.push_back({Key, Shift, UserGenerated()});
        if (FailKeyDown) throw Exception("key failure");
    }
    void kSetFocus() override
    {
        TkCustomComponent::kSetFocus();
        if (FailSetFocus) throw Exception("focus failure");
    }
    void kKeyUp(Word& Key, TShiftState Shift) override { KeyUps.push_back({Key, Shift, UserGenerated()}); }
    void kMouseDown(TMouseButton, TShiftState, Integer X, Integer Y) override
    {
        MouseDowns.push_back({X, Y});
        MouseDownWasUser = UserGenerated();
        if (FailMouseDown) throw Exception("mouse failure");
    }
    void kMouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override
    {
        MouseUps.push_back({X, Y});
        LastUpButton = Button;
        LastUpShift = Shift;
    }
    bool kMouseWheel(Integer WheelDelta, TShiftState, TPoint) override
    {
        WheelDeltas.push_back(WheelDelta);
        return true;
    }

    std::function<void(TCanvas*)> Draw;
    std::vector<TKeyCall> KeyDowns, KeyUps;
    std::vector<TPoint> MouseDowns, MouseUps;
    std::vector<Integer> WheelDeltas;
    bool MouseDownWasUser = false;
    bool FailMouseDown = false;
    bool FailKeyDown = false;
    bool FailSetFocus = false;
    TMouseButton LastUpButton = mbRight;
    TShiftState LastUpShift{ssCtrl};
};

// Two probes side by side; the one under test has the focus.
class FormTest : public TwoControlForm<TProbe> {
protected:
    void SetUp() override
    {
        ShowForm(300, 200, [](TProbe* Probe, bool UnderTest) {
            Probe->SetBounds(UnderTest ? 10 : 150, 10, 100, 80);
            Probe->SetTabStop(true);
        });
        Control->SetFocus();
        Testing::Input::Flush();
    }

    ExceptionCatcher Escaped;
};

TEST_F(FormTest, EachKeyReachesTheHooksOnceWithTheRealShiftState)
{
    const TShiftState shiftCtrl{ssShift, ssCtrl};
    Testing::Input::Key('A', shiftCtrl);
    Testing::Input::Key(VK_RETURN, {ssShift});  // wanted by the control
    Testing::Input::Key(VK_F5);
    const std::vector<TKeyCall> expected = {{'A', shiftCtrl, true}, {VK_RETURN, {ssShift}, true}, {VK_F5, {}, true}};
    EXPECT_EQ(Control->KeyDowns, expected);
    EXPECT_EQ(Control->KeyUps, expected);
    EXPECT_FALSE(Control->UserGenerated());

    // Tab is taken by the form as a dialog key: the hook still sees it,
    // once, after the focus moved on (whose handlers cleared UserGenerated).
    Control->KeyDowns.clear();
    Testing::Input::KeyDown(VK_TAB, {ssShift});
    ASSERT_EQ(Control->KeyDowns.size(), 1u);
    EXPECT_EQ(Control->KeyDowns[0].Key, VK_TAB);
    EXPECT_EQ(Control->KeyDowns[0].Shift, TShiftState{ssShift});
    EXPECT_TRUE(Other->Focused());
    EXPECT_TRUE(Other->HasFocus());
    EXPECT_FALSE(Control->HasFocus());
    Testing::Input::KeyUp(VK_TAB, {ssShift});
}

TEST_F(FormTest, MouseHooksRunAsUserActionsAndTheirFailuresAreDropped)
{
    Control->FailMouseDown = true;
    Testing::Input::Click(Control, mbLeft, 12, 7);
    EXPECT_EQ(Control->MouseDowns, (std::vector<TPoint>{{12, 7}}));
    EXPECT_TRUE(Control->MouseDownWasUser);
    EXPECT_FALSE(Control->UserGenerated());
    EXPECT_TRUE(Escaped.Messages.empty());

    bool clickRaised = false;
    Control->OnClick = [&](TObject*) {
        clickRaised = true;
        throw Exception("click failure");
    };
    Click(12, 7);
    EXPECT_TRUE(clickRaised);
    EXPECT_TRUE(Escaped.Messages.empty());

    Testing::Input::Wheel(Control, 240, 5, 5);
    EXPECT_EQ(Control->WheelDeltas, (std::vector<Integer>{240}));
}

TEST_F(FormTest, AFailingKeyOrFocusHookStillEndsTheUserAction)
{
    Control->FailKeyDown = true;
    Testing::Input::Key('A');
    ASSERT_FALSE(Control->KeyDowns.empty());
    EXPECT_TRUE(Control->KeyDowns.back().UserGenerated);
    EXPECT_FALSE(Control->UserGenerated());

    Other->FailSetFocus = true;
    EXPECT_THROW(Other->SetFocus(), Exception);
    EXPECT_FALSE(Other->UserGenerated());
}

TEST_F(FormTest, LosingTheFocusReleasesTheLeftButtonAtTheOrigin)
{
    Control->MouseUps.clear();
    Other->SetFocus();
    EXPECT_FALSE(Control->HasFocus());
    EXPECT_EQ(Control->MouseUps, (std::vector<TPoint>{{0, 0}}));
    EXPECT_EQ(Control->LastUpButton, mbLeft);
    EXPECT_EQ(Control->LastUpShift, TShiftState{});
}

TEST_F(FormTest, TransparentControlShowsWhatLiesUnderIt)
{
    // On the form: the form's colour.
    Form->SetColor(clTeal);
    Control->SetTransparent(true);
    EXPECT_TRUE(Control->NeedsTransparentCapture());
    Control->PaintCycle(Control->ClientRect());
    EXPECT_FALSE(Control->NeedsTransparentCapture());
    EXPECT_EQ(Control->Canvas()->Pixels(50, 40), clTeal);

    // On a painted control: its pixels under the child.
    auto* host = Create<TProbe>(Form);
    host->SetParent(Form);
    host->SetBounds(0, 100, 100, 100);
    host->Draw = [](TCanvas* Canvas) {
        Canvas->Brush()->SetColor(clYellow);
        Canvas->FillRect(TRect{0, 0, 100, 100});
        Canvas->Brush()->SetColor(clNavy);
        Canvas->FillRect(TRect{20, 20, 30, 30});
    };
    host->PaintCycle(host->ClientRect());
    auto* child = Create<TProbe>(host);
    child->SetParent(host);
    child->SetBounds(20, 20, 40, 40);
    child->SetTransparent(true);
    child->PaintCycle(child->ClientRect());
    EXPECT_EQ(child->Canvas()->Pixels(5, 5), clNavy);
    EXPECT_EQ(child->Canvas()->Pixels(15, 15), clYellow);

    // Turned off: the control's own background again, and no bitmap.
    child->SetTransparent(false);
    EXPECT_EQ(child->TransparentBitmap(), nullptr);
    child->SetBackGroundColor(clRed);
    child->PaintCycle(child->ClientRect());
    EXPECT_EQ(child->Canvas()->Pixels(5, 5), clRed);
}

// ---------------------------------------------------------------------------
// Bounds and foreign canvases
// ---------------------------------------------------------------------------

class TCounting : public TProbe {
public:
    using TProbe::TProbe;
    void Invalidate() override
    {
        ++Invalidations;
        TProbe::Invalidate();
    }
    Integer Invalidations = 0;
};

TEST(kVCLComponentBounds, UnchangedBoundsRepaintNothingNewBoundsResizeTheBitmaps)
{
    TOwned<TCounting> c(Create<TCounting>(nullptr));
    c->SetBounds(1, 2, 30, 20);
    c->SetTransparent(true);
    c->Invalidations = 0;
    c->SetBounds(1, 2, 30, 20);
    EXPECT_EQ(c->Invalidations, 0);
    c->SetBounds(1, 2, 50, 40);
    EXPECT_GT(c->Invalidations, 0);
    EXPECT_EQ(c->TransparentBitmap()->Width(), 50);
    EXPECT_EQ(c->GetBackGroundBitmap()->Height(), 40);
    c->SetCachedDrawing(false);
    c->SetBounds(1, 2, 60, 40);
    EXPECT_EQ(c->TransparentBitmap()->Width(), 60);
}

TEST(kVCLComponentPaintToDC, DrawsAtTheOffsetClippedToTheControlAndRestoresTheCanvas)
{
    TOwned<TProbe> c(Create<TProbe>(nullptr));
    c->SetBounds(0, 0, 20, 10);
    bool cachedWhileDrawing = true;
    c->Draw = [&](TCanvas* Canvas) {
        cachedWhileDrawing = c->CachedDrawing();
        Canvas->Brush()->SetColor(clRed);
        Canvas->FillRect(TRect{-100, -100, 1000, 1000});
    };
    auto page = CreateOwned<TBitmap>();
    page->SetSize(100, 100);
    TCanvas* canvas = page->Canvas();
    canvas->Brush()->SetColor(clBlue);
    canvas->FillRect(TRect{0, 0, 100, 100});

    c->kPaintToDC(30, 40, false, canvas);
    EXPECT_FALSE(cachedWhileDrawing);
    EXPECT_TRUE(c->CachedDrawing());
    EXPECT_EQ(canvas->Pixels(30, 40), clRed);
    EXPECT_EQ(canvas->Pixels(49, 49), clRed);
    EXPECT_EQ(canvas->Pixels(50, 45), clBlue);
    EXPECT_EQ(canvas->Pixels(29, 45), clBlue);
    EXPECT_EQ(canvas->Pixels(35, 50), clBlue);
    canvas->SetPixels(0, 0, clLime);
    EXPECT_EQ(canvas->Pixels(0, 0), clLime);

    // Transparent: the background is the canvas's own content.
    c->Draw = nullptr;
    c->SetBackGroundColor(clYellow);
    c->kPaintToDC(0, 0, true, canvas);
    EXPECT_EQ(canvas->Pixels(1, 1), clBlue);
    c->kPaintToDC(0, 0, false, canvas);
    EXPECT_EQ(canvas->Pixels(1, 1), clYellow);
}

// ---------------------------------------------------------------------------
// Timer window
// ---------------------------------------------------------------------------

class TimerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Component = Create<TProbe>(nullptr);
        Component->OnInternalTimer = [this](TObject* Sender) {
            if (Sender == Component) ++Ticks;
        };
    }
    void TearDown() override { FreeAndNil(Component); }
    Integer TicksAfter(Cardinal Ms)
    {
        Testing::VirtualClock::Advance(Ms);
        return Ticks;
    }

    TProbe* Component = nullptr;
    Integer Ticks = 0;
};

TEST_F(TimerTest, FirstIntervalThenRepeatIntervalUntilStopped)
{
    Component->TimerStart(500, 50);
    EXPECT_TRUE(Component->TimerRunning());
    EXPECT_EQ(TicksAfter(499), 0);
    EXPECT_EQ(TicksAfter(1), 1);
    // A second start while running changes nothing.
    Component->TimerStart(10, 10);
    EXPECT_EQ(TicksAfter(49), 1);
    EXPECT_EQ(TicksAfter(1), 2);
    EXPECT_EQ(TicksAfter(100), 4);

    Component->TimerStop();
    EXPECT_FALSE(Component->TimerRunning());
    EXPECT_EQ(TicksAfter(1000), 4);

    // Restarted with new intervals.
    Component->TimerStart(200, 20);
    EXPECT_EQ(TicksAfter(199), 4);
    EXPECT_EQ(TicksAfter(1), 5);
    EXPECT_EQ(TicksAfter(40), 7);
    Component->TimerStop();
}

TEST_F(TimerTest, ZeroIntervals)
{
    Component->TimerStart(0, 0);
    EXPECT_FALSE(Component->TimerRunning());
    EXPECT_EQ(TicksAfter(1000), 0);

    Component->TimerStart(0, 30);
    EXPECT_EQ(TicksAfter(29), 0);
    EXPECT_EQ(TicksAfter(31), 2);
    Component->TimerStop();

    // A first interval alone repeats at the shortest period afterwards.
    Ticks = 0;
    Component->TimerStart(100, 0);
    EXPECT_EQ(TicksAfter(100), 1);
    EXPECT_EQ(TicksAfter(30), 4);
}

TEST_F(TimerTest, TheTimerDiesWithItsComponent)
{
    Component->TimerStart(100, 100);
    FreeAndNil(Component);
    EXPECT_EQ(TicksAfter(500), 0);
}

// ---------------------------------------------------------------------------
// Lock
// ---------------------------------------------------------------------------

TEST(kVCLComponentLock, ReentrantOnOneThreadAndHeldByAPaintAgainstOtherThreads)
{
    TOwned<TProbe> c(Create<TProbe>(nullptr));
    c->SetBounds(0, 0, 10, 10);
    c->Lock();
    c->Lock();
    c->Unlock();
    c->Unlock();

    bool acquiredDuringPaint = true;
    std::unique_ptr<TLockingWorker> worker;
    c->Draw = [&](TCanvas*) {
        worker = std::make_unique<TLockingWorker>(c.get());
        worker->WaitStarted();
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        acquiredDuringPaint = worker->Acquired;
    };
    c->PaintCycle(c->ClientRect());
    EXPECT_FALSE(acquiredDuringPaint);
    worker.reset();  // joins: the paint released the lock

    // A failing paint releases it too.
    c->Draw = [](TCanvas*) { throw Exception("failed"); };
    c->OnPaint = [](TObject*, TCanvas*) { throw Exception("failed again"); };
    c->PaintCycle(c->ClientRect());
    TLockingWorker after(c.get());
    after.Join();
    EXPECT_TRUE(after.Acquired);
}

TEST(kVCLComponentPaintToDC, AFailingDrawingPassesOnAndGivesBackTheCanvasCachingAndLock)
{
    TOwned<TProbe> c(Create<TProbe>(nullptr));
    c->SetBounds(0, 0, 20, 10);
    c->Draw = [](TCanvas*) { throw Exception("drawing failure"); };
    auto page = CreateOwned<TBitmap>();
    page->SetSize(100, 100);
    TCanvas* canvas = page->Canvas();

    EXPECT_THROW(c->kPaintToDC(30, 40, true, canvas), Exception);
    EXPECT_TRUE(c->CachedDrawing());
    // Origin and clip are back: the page's corner is reachable again.
    canvas->SetPixels(0, 0, clLime);
    EXPECT_EQ(canvas->Pixels(0, 0), clLime);
    TLockingWorker other(c.get());
    other.Join();
    EXPECT_TRUE(other.Acquired);
}

}  // namespace
