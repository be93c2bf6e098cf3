#include <gtest/gtest.h>

#include <vector>

#include "components/foundation/kCustomComponent.h"
#include "platform/Forms.h"
#include "platform/SysUtils.h"
#include "platform/Testing.h"
#include "platform/TypInfo.h"
#include "platform/Variants.h"

namespace {

// Counts the window invalidations, which is what every repaint request
// ends in; draws its background unless a test gives it something else.
class TPacedComponent : public TkCustomComponent {
public:
    using TkCustomComponent::TkCustomComponent;

    void Invalidate() override
    {
        ++Invalidations;
        TkCustomComponent::Invalidate();
    }
    void kPaintTo(TCanvas* Canvas) override
    {
        if (Draw)
            Draw(Canvas);
        else
            DrawBackGround(Canvas, BackGroundColor());
    }

    Integer Invalidations = 0;
    std::function<void(TCanvas*)> Draw;
};

// Each test starts with its component alone on the update object, whose
// timer therefore starts at the component's creation: the first tick is
// exactly one second later.
class PacingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(UpdateObject()->ControlCount(), 0);
        Free(Create<TPacedComponent>(nullptr));
        ASSERT_FALSE(UpdateObject()->TimerEnabled());
        Component = Create<TPacedComponent>(nullptr);
        ASSERT_TRUE(UpdateObject()->TimerEnabled());
    }
    void TearDown() override { FreeAndNil(Component); }

    // AutoFrameRate on at Rate, and the first frame period long gone.
    void Pace(Integer Rate)
    {
        Component->SetUpdateFrameRate(Rate);
        Component->SetAutoFrameRate(true);
        Testing::VirtualClock::Advance(100);
        Component->Invalidations = 0;
    }

    TPacedComponent* Component = nullptr;
};

TEST_F(PacingTest, ChangesWithinOneFramePeriodGiveOneRepaintNowAndOneAtTheNextTick)
{
    Pace(60);  // the update tick comes at 1000 ms, 900 ms from now
    Component->InvalidateChange();
    EXPECT_EQ(Component->Invalidations, 1);
    Testing::VirtualClock::Advance(5);
    Component->InvalidateChange();
    EXPECT_EQ(Component->Invalidations, 1);
    EXPECT_TRUE(Component->GetNeedsRepaint());

    // The period has run out long before the tick; only the tick repaints.
    Testing::VirtualClock::Advance(890);
    EXPECT_EQ(Component->Invalidations, 1);
    Testing::VirtualClock::Advance(10);
    EXPECT_EQ(Component->Invalidations, 2);
    EXPECT_FALSE(Component->GetNeedsRepaint());

    // Once the period has passed, a change repaints at once again.
    Testing::VirtualClock::Advance(17);
    Component->RequestRepaint();
    EXPECT_EQ(Component->Invalidations, 3);
}

TEST_F(PacingTest, RateZeroOrPacingOffRepaintsEveryTime)
{
    Pace(0);
    for (int i = 0; i < 5; ++i) Component->InvalidateChange();
    EXPECT_EQ(Component->Invalidations, 5);

    Component->SetAutoFrameRate(false);
    Component->SetUpdateFrameRate(60);
    Component->Invalidations = 0;
    for (int i = 0; i < 5; ++i) Component->InvalidateChange();
    EXPECT_EQ(Component->Invalidations, 5);
}

TEST_F(PacingTest, ABracketOfAHundredChangesRepaintsOnce)
{
    Component->Invalidations = 0;
    Component->BeginUpdate();
    for (int i = 0; i < 100; ++i) Component->InvalidateChange();
    EXPECT_EQ(Component->Invalidations, 0);
    Component->EndUpdate();
    EXPECT_EQ(Component->Invalidations, 1);

    // Paced: the ticks inside the bracket leave it alone, EndUpdate repaints.
    Pace(60);
    Component->BeginUpdate();
    for (int i = 0; i < 100; ++i) Component->RequestRepaint();
    Testing::VirtualClock::Advance(2000);
    EXPECT_EQ(Component->Invalidations, 0);
    Component->EndUpdate();
    EXPECT_EQ(Component->Invalidations, 1);

    // Paced and within the period: the next tick repaints, once.
    Component->BeginUpdate();
    for (int i = 0; i < 100; ++i) Component->InvalidateChange();
    Component->EndUpdate();
    EXPECT_EQ(Component->Invalidations, 1);
    Testing::VirtualClock::Advance(1000);
    EXPECT_EQ(Component->Invalidations, 2);

    // An empty bracket repaints nothing; InvalidateNow ignores a bracket.
    Component->BeginUpdate();
    Component->EndUpdate();
    EXPECT_EQ(Component->Invalidations, 2);
    Component->BeginUpdate();
    Component->InvalidateNow();
    EXPECT_EQ(Component->Invalidations, 3);
    Component->EndUpdate();
}

TEST_F(PacingTest, TurningAutoFrameRateOffEndsTheBracket)
{
    Pace(60);
    Component->BeginUpdate();
    Component->InvalidateChange();
    EXPECT_EQ(Component->Invalidations, 0);
    Component->SetAutoFrameRate(false);
    EXPECT_FALSE(Component->GetUpdateActive());
    EXPECT_EQ(Component->Invalidations, 1);
    Component->InvalidateChange();
    EXPECT_EQ(Component->Invalidations, 2);
}

TEST_F(PacingTest, SettersRepaintOnlyOnChangeAndByMode)
{
    Integer field = 5;
    Component->Invalidations = 0;
    Component->SetIntegerProperty(5, field, 0);
    EXPECT_EQ(Component->Invalidations, 0);
    Component->SetIntegerProperty(6, field, 2);  // stored, no repaint
    EXPECT_EQ(field, 6);
    EXPECT_EQ(Component->Invalidations, 0);
    Component->SetIntegerProperty(7, field, 0);
    EXPECT_EQ(Component->Invalidations, 1);

    Component->SetBorderStyle(kbsRaised);
    EXPECT_EQ(Component->Invalidations, 2);
    EXPECT_TRUE(Component->BackGroundChanged());
    Component->SetBorderStyle(kbsRaised);
    Component->SetBackGroundColor(Component->BackGroundColor());
    EXPECT_EQ(Component->Invalidations, 2);
}

TEST(FramePeriod, NeverOverflowsAndTreatsZeroAndNegativeRatesAsDue)
{
    const Int64 now = MonotonicNow();
    EXPECT_FALSE(FramePeriodElapsed(now - 1, 60));
    EXPECT_TRUE(FramePeriodElapsed(now - 17, 60));
    EXPECT_FALSE(FramePeriodElapsed(now - 16, 60));
    // Rates whose 32-bit product with 86400 would wrap.
    EXPECT_TRUE(FramePeriodElapsed(now - 1, 30000));
    EXPECT_TRUE(FramePeriodElapsed(now - 1, 2147483647));
    EXPECT_FALSE(FramePeriodElapsed(now, 2147483647));
    EXPECT_TRUE(FramePeriodElapsed(now, 0));
    EXPECT_TRUE(FramePeriodElapsed(now, -5));
}

// ---------------------------------------------------------------------------
// Painting
// ---------------------------------------------------------------------------

class PaintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Component = Create<TPacedComponent>(nullptr);
        Component->SetBounds(0, 0, 80, 60);
        Application->OnException = [this](TObject*, Exception&) { ++EscapedExceptions; };
    }
    void TearDown() override
    {
        Application->OnException = nullptr;
        FreeAndNil(Component);
    }
    void PaintNow() { Component->PaintCycle(Component->ClientRect()); }
    TColor Pixel(Integer X, Integer Y) { return Component->Canvas()->Pixels(X, Y); }

    TPacedComponent* Component = nullptr;
    Integer EscapedExceptions = 0;
};

TEST_F(PaintTest, DrawsTheBackgroundAndBorderThroughTheOffScreenBitmap)
{
    Component->SetBackGroundColor(clBlue);
    Component->SetBorderStyle(kbsRaised);
    PaintNow();
    EXPECT_EQ(Pixel(40, 30), clBlue);
    EXPECT_NE(Pixel(0, 0), clBlue);

    // A picture replaces colour and border; one of width 0 counts as none.
    auto picture = CreateOwned<TBitmap>();
    Component->SetBackGroundPicture(picture.get());
    PaintNow();
    EXPECT_EQ(Pixel(40, 30), clBlue);
    picture->SetSize(2, 2);
    picture->Canvas()->Brush()->SetColor(clLime);
    picture->Canvas()->FillRect(TRect{0, 0, 2, 2});
    Component->SetBackGroundPicture(picture.get());
    PaintNow();
    EXPECT_EQ(Pixel(40, 30), clLime);
    EXPECT_EQ(Pixel(0, 0), clLime);
    EXPECT_FALSE(Component->BackGroundChanged());
}

TEST_F(PaintTest, AFailingDrawingShowsItsMessageWhiteOnBlackAndOnPaintStillRuns)
{
    Component->Draw = [](TCanvas* Canvas) {
        Canvas->Brush()->SetColor(clRed);
        Canvas->FillRect(TRect{0, 0, 80, 60});
        throw EInvalidOp("Invalid floating point operation in the middle of the drawing");
    };
    bool onPaintRan = false;
    Component->OnPaint = [&](TObject* Sender, TCanvas* Canvas) {
        onPaintRan = Sender == Component;
        Canvas->SetPixels(79, 59, clLime);
    };
    PaintNow();
    EXPECT_TRUE(onPaintRan);
    EXPECT_EQ(EscapedExceptions, 0);
    EXPECT_EQ(Pixel(79, 59), clLime);

    // Only black and white (besides OnPaint's pixel), the text from the
    // top-left corner, wrapped over several lines of the 80-pixel width.
    Integer white = 0, others = 0, lowestWhite = -1;
    for (Integer y = 0; y < 60; ++y)
        for (Integer x = 0; x < 80; ++x) {
            const TColor c = Pixel(x, y);
            if (c == clWhite) {
                ++white;
                lowestWhite = y;
            } else if (c != clBlack) {
                ++others;
            }
        }
    EXPECT_GT(white, 0);
    EXPECT_EQ(others, 1);
    EXPECT_EQ(Pixel(79, 0), clBlack);
    const Integer lineHeight = Component->Canvas()->TextHeight("0");
    EXPECT_GE(lowestWhite, 2 * lineHeight);

    // The next successful paint replaces the display.
    Component->Draw = nullptr;
    Component->OnPaint = nullptr;
    Component->SetBackGroundColor(clBlue);
    PaintNow();
    EXPECT_EQ(Pixel(0, 0), clBlue);
}

TEST_F(PaintTest, NothingRaisedDuringAPaintReachesTheMessageLoop)
{
    Component->OnPaint = [](TObject*, TCanvas*) { throw Exception("broken handler"); };
    PaintNow();
    Component->Draw = [](TCanvas*) { throw 42; };
    PaintNow();
    EXPECT_EQ(EscapedExceptions, 0);
}

// ---------------------------------------------------------------------------
// Published properties, defaults, state
// ---------------------------------------------------------------------------

TEST(kComponentProperties, PublishedInTheOrderOfThePropertyFile)
{
    const std::vector<String> expected = {
        "Name", "Tag", "AlignWithMargins", "Left", "Top", "Width", "Height", "Cursor", "Hint", "HelpType",
        "HelpKeyword", "HelpContext", "Margins", "CustomHint", "ParentCustomHint", "Visible", "Enabled",
        "ShowHint", "PopupMenu", "OnClick", "OnDblClick", "OnDragDrop", "OnDragOver", "OnStartDrag", "OnEndDrag",
        "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnKeyDown", "OnKeyPress", "OnKeyUp", "OnEnter", "OnExit",
        "Anchors", "Constraints", "OptionSaveAllProperties", "AutoFrameRate", "UpdateFrameRate",
        "OnNewOPCData", "OnBeforeNewOPCData"};
    std::vector<String> names;
    for (PPropInfo prop : GetPropList(TkCustomComponent::StaticClassInfo())) names.push_back(prop->Name);
    EXPECT_EQ(names, expected);
}

TEST(kComponentProperties, PublishedSettersAndPropertyTypesByPath)
{
    TOwned<TPacedComponent> c(Create<TPacedComponent>(nullptr));
    SetOrdProp(c.get(), "UpdateFrameRate", 25);
    SetOrdProp(c.get(), "AutoFrameRate", 1);
    EXPECT_EQ(c->UpdateFrameRate(), 25);
    EXPECT_TRUE(c->AutoFrameRate());
    EXPECT_EQ(c->ControlStyle(),
              (TControlStyle{csCaptureMouse, csClickEvents, csOpaque, csDoubleClicks, csReplicatable}));

    TTypeKind kind = tkUnknown;
    c->GetPropertyType("updateframerate", kind);
    EXPECT_EQ(kind, tkInteger);
    c->GetPropertyType("Margins.Left", kind);
    EXPECT_EQ(kind, tkInteger);
    c->GetPropertyType("Margins.Nothing", kind);
    EXPECT_EQ(kind, tkUnknown);
}

TEST(kComponentState, CentrePointErrorStateAndDesignQuery)
{
    TOwned<TPacedComponent> c(Create<TPacedComponent>(nullptr));
    c->SetBounds(0, 0, 7, 5);
    c->SetOffsetX(-4);
    EXPECT_EQ(c->GetCenterPoint(), (TPoint{-1, 2}));

    c->Invalidations = 0;
    c->SetErrorActive(true);
    c->SetErrorActive(true);
    EXPECT_EQ(c->Invalidations, 1);
    c->ErrorFont()->SetSize(20);
    EXPECT_EQ(c->Invalidations, 2);

    EXPECT_FALSE(c->IsDesigning());
    c->OnGetDesigning = [](TObject*, Boolean& Designing) { Designing = true; };
    EXPECT_TRUE(c->OPCGetDesigning());
    EXPECT_FALSE(c->OPCOutputData("Active", Variant()));
}

}  // namespace
