#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "components/foundation/kCommonRoutines.h"
#include "components/plot/annotation/kPlotAnnotation.h"
#include "components/plot/view/kPlotDataView.h"
#include "platform/SysApi.h"
#include "platform/TypInfo.h"
#include "support/Painted.h"
#include "tests/plot/kPlotAxesControlTestDoubles.h"

namespace {

using AxesControlTest::At;
using ChannelTest::TTestChannel;

constexpr Integer kWidth = 300;
constexpr Integer kHeight = 260;
constexpr Double kInf = std::numeric_limits<Double>::infinity();

// A data view over pixels 50..250 and 20..220 (one percent is two pixels;
// percent Y counts from the bottom), a channel on an X axis 0..10 along the
// same pixels and a Y axis 0..100, and one annotation drawn red on green in
// select mode.
class PlotAnnotationTest : public ::testing::Test {
protected:
    PlotTest::TStandInPlot Plot;  // logs the annotation events ("moved Annotation 1")
    TOwned<TBitmap> Bitmap = CreateOwned<TBitmap>();
    TkPlotDataView* View = Plot.Add<TkPlotDataView>("Data View 1");
    TkPlotXAxis* XAxis = Plot.PutAxis("X-Axis 1", Rect(50, 220, 250, 250), 0, 10);
    TkPlotYAxis* YAxis = Plot.PutAxis<TkPlotYAxis>("Y-Axis 1", Rect(20, 20, 50, 220), 0, 100);
    TTestChannel* Channel = Plot.Add<TTestChannel>("Channel 1");
    TkPlotAnnotation* Note = Plot.Add<TkPlotAnnotation>("Annotation 1");

    void SetUp() override
    {
        Bitmap->SetSize(kWidth, kHeight);
        View->SetDrawRect(Rect(50, 20, 250, 220));
        Channel->SetXAxisName("X-Axis 1");
        Channel->SetYAxisName("Y-Axis 1");
        Note->SetDataView(View);
        Note->SetPenColor(clRed);
        Note->SetBrushColor(clLime);
        Note->Font()->SetColor(clYellow);
        Plot.SelectMode = true;
        Paint();
    }
    // A fresh paint: the clip an annotation sets stays until the plot resets
    // it, and the axes convert only after they laid out their ticks.
    void Paint()
    {
        TCanvas* canvas = Bitmap->Canvas();
        SelectClipRgn(canvas, nullptr);
        XAxis->CalcTicks(canvas);
        YAxis->CalcTicks(canvas);
        AxesControlTest::Blacken(canvas, kWidth, kHeight);
        Note->Draw(Plot.PaintContext(*Note, canvas));
    }
    TRect Ink(TColor Color) { return AxesControlTest::InkBox(Bitmap->Canvas(), kWidth, kHeight, Color); }
    TColor Pixel(Integer X, Integer Y) { return Bitmap->Canvas()->Pixels(X, Y); }
    void Corners(Double X1, Double Y1, Double X2, Double Y2)
    {
        Note->SetX(X1);
        Note->SetY(Y1);
        Note->SetX2(X2);
        Note->SetY2(Y2);
    }
    void Centre(Double X1, Double Y1, Double W, Double H)
    {
        Note->SetX(X1);
        Note->SetY(Y1);
        Note->SetWidth(W);
        Note->SetHeight(H);
    }
    // A drag through the object's mouse entry points (which exchange the
    // axis pixels as the axes are), repainting after each move as the plot
    // would.
    void Drag(TPoint From, TPoint To)
    {
        TkPlotHintData hint;
        Note->kMouseDown(mbLeft, {}, From.X, From.Y);
        Note->kMouseMove(hint, {}, (From.X + To.X) / 2, (From.Y + To.Y) / 2, false);
        Paint();
        Note->kMouseMove(hint, {}, To.X, To.Y, false);
        Paint();
        Note->kMouseUp(mbLeft, {}, To.X, To.Y, To.X, To.Y, false, nullptr);
    }
    TSize TextSize(const String& Text) { return ::TextSize(Note->Font(), Text); }
};

TEST_F(PlotAnnotationTest, DamagedValuesAndCoordinateEvents)
{
    // Damaged streams.
    EXPECT_THROW(SetOrdProp(Note, "Style", 12), EConvertError);
    EXPECT_THROW(SetOrdProp(Note, "Reference", 7), EConvertError);
    EXPECT_THROW(SetOrdProp(Note, "TextRotation", 9), EConvertError);
    Note->SetPenWidth(-3);
    EXPECT_EQ(Note->PenWidth(), 0);
    Note->SetPenWidth(1 << 30);
    EXPECT_EQ(Note->PenWidth(), TkPlotAnnotation::MaxPenWidth);

    // Coordinates report to the plot only when they change; a NaN is no value.
    Plot.Changes = 0;
    Note->SetX(5);
    Note->SetX(5);
    Note->SetHeight(std::nan(""));
    Note->SetY2(-1);
    EXPECT_EQ(Plot.Log, (std::vector<String>{"coordinates Annotation 1", "coordinates Annotation 1"}));
    EXPECT_EQ(Plot.Changes, 2);
    EXPECT_EQ(Note->Height(), 0);
}

TEST_F(PlotAnnotationTest, ReferencesChooseDataViewPercentOrChannelUnits)
{
    Note->SetChannelName("channel 1");
    // Position X and size X in the channel's X units, Y in percent.
    Note->SetReference(kprtXChannelYDataView);
    EXPECT_EQ(Note->PositionXToPixels(5), 150);
    EXPECT_EQ(Note->PositionYToPixels(25), 170);
    EXPECT_EQ(Note->PixelsXToPosition(70), 1.0);
    EXPECT_EQ(Note->PixelsYToPosition(20), 100.0);
    Note->SetReference(kprtXDataViewYChannel);
    EXPECT_EQ(Note->PositionXToPixels(5), 60);
    EXPECT_EQ(Note->PositionYToPixels(25), 170);
    // An individual setting wins over the Reference.
    Note->SetReferencePositionX(kpriChannel);
    EXPECT_EQ(Note->PositionXToPixels(5), 150);

    // A centre rectangle sized in channel units: 2 units wide are 40 pixels.
    Note->SetReference(kprtChannel);
    Note->SetReferencePositionX(kpriAuto);
    Note->SetStyle(kpasRectangle);
    Centre(5, 50, 2, 10);
    Paint();
    EXPECT_EQ(Note->DrawRectPixels(), Rect(130, 110, 170, 130));

    // Renaming the channel keeps the annotation on it; a name that matches
    // no channel draws nothing and cannot be hit.
    Channel->SetName("Renamed");
    EXPECT_EQ(Note->ChannelName(), "Renamed");
    Note->SetChannelName("Nowhere");
    Paint();
    EXPECT_FALSE(Note->Showing());
    EXPECT_EQ(Ink(clRed), TRect{});
    EXPECT_FALSE(Note->kMouseHitTest(At(150, 120)));
    EXPECT_EQ(Note->PositionXToPixels(5), 0);
    EXPECT_EQ(Note->PixelsXToPosition(5), 0.0);

    // A channel that goes takes its annotation's drawing with it.
    Note->SetChannelName("Renamed");
    Paint();
    EXPECT_TRUE(Note->Showing());
    Channel->Free();
    Paint();
    EXPECT_FALSE(Note->Showing());
}

TEST_F(PlotAnnotationTest, ShapesDrawWhereTheirCoordinatesSay)
{
    Note->SetStyle(kpasRectangle);
    Centre(50, 50, 20, 10);
    Paint();
    EXPECT_EQ(Ink(clRed), Rect(130, 110, 170, 130));
    EXPECT_EQ(Ink(clLime), Rect(131, 111, 169, 129));
    EXPECT_TRUE(Note->Showing());
    EXPECT_EQ(Note->ClickRect(), Rect(130, 110, 170, 130));

    Note->SetStyle(kpasRectangle2);
    Corners(10, 90, 30, 70);
    Paint();
    EXPECT_EQ(Ink(clRed), Rect(70, 40, 110, 80));
    // Reversed corners draw the same, and exchanged axes turn the shape.
    Corners(30, 70, 10, 90);
    Paint();
    EXPECT_EQ(Ink(clRed), Rect(70, 40, 110, 80));
    // X runs up the screen then: X 10% is y 200.
    Note->SetXYAxesReversed(true);
    Paint();
    EXPECT_EQ(Note->DrawRectPixels(), Rect(190, 160, 230, 200));
    Note->SetXYAxesReversed(false);

    Note->SetStyle(kpasEllipse);
    Corners(10, 90, 30, 70);
    Paint();
    EXPECT_EQ(Ink(clRed), Rect(70, 40, 110, 80));
    EXPECT_EQ(Pixel(71, 41), clBlack) << "the corner stays outside the ellipse";
    Note->SetStyle(kpasEllipse2);
    Centre(20, 80, 20, 20);
    Paint();
    EXPECT_EQ(Ink(clRed), Rect(70, 40, 110, 80));

    // A shape partly outside the view is clipped by the plot; its click
    // rectangle keeps to the view.
    Note->SetStyle(kpasRectangle2);
    Corners(-10, 50, 10, 40);
    Paint();
    EXPECT_EQ(Note->ClickRect(), Rect(50, 120, 70, 140));
    // Wholly outside: nothing.
    Corners(-30, 50, -10, 40);
    Paint();
    EXPECT_FALSE(Note->Showing());
}

TEST_F(PlotAnnotationTest, LinesAcrossAndBetweenPoints)
{
    Note->SetStyle(kpasLineX);
    Note->SetX(25);
    Paint();
    EXPECT_EQ(Ink(clRed), Rect(100, 20, 101, 221));
    EXPECT_EQ(Note->ClickRect(), Rect(95, 20, 105, 221));
    Note->SetStyle(kpasLineY);
    Note->SetY(25);
    Paint();
    EXPECT_EQ(Ink(clRed), Rect(50, 170, 251, 171));
    Note->SetXYAxesReversed(true);
    Paint();
    EXPECT_EQ(Ink(clRed), Rect(100, 20, 101, 221));
    Note->SetXYAxesReversed(false);

    // A line draws but never shows for the mouse.
    Note->SetStyle(kpasLine);
    Corners(10, 10, 90, 90);
    Paint();
    const TRect ink = Ink(clRed);
    EXPECT_EQ(ink.Left, 70);
    EXPECT_EQ(ink.Bottom, 201);
    EXPECT_GE(ink.Right, 229);
    EXPECT_FALSE(Note->Showing());
    Note->SetSelectModeOnlyInteraction(false);
    EXPECT_FALSE(Note->kMouseHitTest(At(150, 120)));
    // Outside the view it draws nothing.
    Corners(-50, -50, -20, -10);
    Paint();
    EXPECT_EQ(Ink(clRed), TRect{});
}

TEST_F(PlotAnnotationTest, TextIsAlignedOnItsAnchor)
{
    Note->SetText("Peak");
    Note->SetX(50);
    Note->SetY(50);
    const TSize size = TextSize("Peak");
    const Integer mx = TextSize("A").cx;
    Paint();
    const TRect centred = Note->ClickRect();
    EXPECT_EQ(centred, Rect(150 - size.cx / 2, 120 - size.cy / 2, 150 - size.cx / 2 + size.cx,
                            120 - size.cy / 2 + size.cy));
    const TRect ink = Ink(clYellow);
    EXPECT_TRUE(ink.Left >= centred.Left && ink.Right <= centred.Right && ink.Top >= centred.Top &&
                ink.Bottom <= centred.Bottom);
    EXPECT_EQ(Ink(clLime), TRect{}) << "text draws on a clear brush";

    // Left alignment puts the anchor a margin left of the text.
    Note->SetTextHorzAlignment(kahLeft);
    Note->SetTextVertAlignment(kavTop);
    Paint();
    EXPECT_EQ(Note->ClickRect().Left, centred.Left + size.cx / 2 + mx);
    EXPECT_EQ(Note->ClickRect().Top, centred.Top + size.cy / 2 + TextSize("A").cy);
    // Turned a quarter, the text's width runs down.
    Note->SetTextHorzAlignment(kahCenter);
    Note->SetTextVertAlignment(kavCenter);
    Note->SetTextRotation(kra090);
    Paint();
    EXPECT_EQ(Note->ClickRect().Width(), size.cy);
    EXPECT_EQ(Note->ClickRect().Height(), size.cx);

    // A text box: the frame is the text plus the outer margin all round.
    Note->SetTextRotation(kra000);
    Note->SetStyle(kpasTextBox);
    Note->SetOuterMargin(4);
    Paint();
    EXPECT_EQ(Note->ClickRect().Width(), size.cx + 8);
    EXPECT_EQ(Ink(clRed), Note->ClickRect());
    const TRect inner = Ink(clYellow);
    EXPECT_GE(inner.Left, Note->ClickRect().Left + 4);
    // A huge margin is clamped, not overflowed.
    Note->SetOuterMargin(std::numeric_limits<Integer>::max());
    Note->SetTextHorzMargin(1e300);
    Paint();

    // A text rectangle aligns its text inside the shape, with "0" margins.
    Note->SetStyle(kpasTextRectangle);
    Note->SetTextHorzMargin(1);
    Note->SetWidth(60);
    Note->SetHeight(40);
    Note->SetTextHorzAlignment(kahLeft);
    Paint();
    EXPECT_EQ(Note->DrawRectPixels(), Rect(90, 80, 210, 160));
    EXPECT_GE(Ink(clYellow).Left, 90 + TextSize("0").cx);
    EXPECT_LT(Ink(clYellow).Left, 90 + TextSize("0").cx + 3);
}

TEST_F(PlotAnnotationTest, PicturesAndPolygons)
{
    // A picture of the plot's image list, centred on the anchor.
    Plot.ImageCounts = {0, 3, 0};
    Note->SetStyle(kpasImage);
    Note->SetX(50);
    Note->SetY(50);
    Note->SetImageListIndex(1);
    Note->SetImageIndex(2);
    Note->SetEnabled(false);
    Paint();
    EXPECT_EQ(Plot.Draws, (std::vector<String>{"1:2 at 142,112 disabled"}));
    EXPECT_EQ(Note->ClickRect(), Rect(142, 112, 158, 128));
    for (const auto& [list, index] : {std::pair{1, 3}, {3, 0}, {-1, 0}, {1, -1}}) {
        Note->SetImageListIndex(list);
        Note->SetImageIndex(index);
        Paint();
        EXPECT_FALSE(Note->Showing()) << list << ":" << index;
    }

    // A polygon needs two points off one line.
    Note->SetStyle(kpasPolygon);
    Note->PolyPointAdd(10, 90);
    Paint();
    EXPECT_FALSE(Note->Showing());
    Note->PolyPointAdd(30, 70);
    Note->PolyPointAdd(50, 50);
    Paint();
    EXPECT_FALSE(Note->Showing()) << "collinear";
    Note->PolyPointsClear();
    for (const auto& [x, y] : {std::pair{10.0, 90.0}, {30.0, 90.0}, {20.0, 70.0}}) Note->PolyPointAdd(x, y);
    Paint();
    EXPECT_TRUE(Note->Showing());
    EXPECT_EQ(Note->DrawRectPixels(), Rect(70, 40, 110, 80));
    EXPECT_EQ(Pixel(90, 60), clLime);
    EXPECT_EQ(Pixel(72, 78), clBlack);
}

TEST_F(PlotAnnotationTest, CoordinatesBeyondAnyPixelNeverOverflow)
{
    Note->SetStyle(kpasRectangle);
    Centre(1e300, -1e300, 1e300, 1e300);
    Paint();
    EXPECT_EQ(Note->PositionXToPixels(1e300), TkPlotAnnotation::MaxPixel);
    Note->SetX(kInf);
    Paint();
    EXPECT_FALSE(Note->Showing());
    Note->SetStyle(kpasPolygon);
    Note->PolyPointAdd(kInf, 0);
    Note->PolyPointAdd(1, 1);
    Note->PolyPointAdd(0, 1);
    Paint();
    EXPECT_FALSE(Note->Showing());
    // Without a data view nothing percent-based draws.
    Note->SetStyle(kpasRectangle);
    Centre(50, 50, 10, 10);
    Note->SetDataView(nullptr);
    Paint();
    EXPECT_FALSE(Note->Showing());
}

TEST_F(PlotAnnotationTest, ClipToAxesKeepsChannelShapesInsideTheScales)
{
    XAxis->SetMinSpan(0, 5);  // the axis now ends at the view's middle
    Note->SetChannelName("Channel 1");
    Note->SetReference(kprtChannel);
    Note->SetStyle(kpasRectangle2);
    Corners(1, 90, 9, 10);
    Plot.ClipAnnotations = false;
    Paint();
    EXPECT_GT(Ink(clRed).Right, 250);
    Plot.ClipAnnotations = true;
    Paint();
    EXPECT_LE(Ink(clRed).Right, 251);
    // The annotation's own setting clips a data-view reference too, when it
    // names a channel; without one the view's clip alone applies.
    Plot.ClipAnnotations = false;
    Note->SetClipToAxes(true);
    Note->SetReference(kprtXChannelYDataView);
    Paint();
    EXPECT_LE(Ink(clRed).Right, 251);
    Note->SetChannelName("");
    Note->SetReference(kprtDataView);
    Corners(10, 90, 30, 70);
    Paint();
    EXPECT_EQ(Ink(clRed), Rect(70, 40, 110, 80));
}

TEST_F(PlotAnnotationTest, HandlesAreInvertedWhenSelectedAndNeverStale)
{
    Note->SetStyle(kpasRectangle2);
    Corners(10, 90, 30, 70);
    Note->SetUserSelected(true);
    Paint();
    const std::array<TRect, 4> expected = {Rect(67, 37, 73, 43), Rect(107, 37, 113, 43), Rect(67, 77, 73, 83),
                                           Rect(107, 77, 113, 83)};
    EXPECT_EQ(Note->Handles(), expected);
    EXPECT_EQ(Pixel(68, 38), clWhite) << "black turned white";
    EXPECT_EQ(Pixel(72, 42), TColor(0xFF00FF)) << "lime turned fuchsia";
    Note->SetShowFocusRect(false);
    Paint();
    EXPECT_EQ(Pixel(68, 38), clBlack);

    // A handle hits even outside the click rectangle; after a change to a
    // style without handles the old squares no longer do.
    EXPECT_TRUE(Note->kMouseHitTest(At(112, 82)));
    Note->SetStyle(kpasText);
    Note->SetText("T");
    Paint();
    EXPECT_FALSE(Note->kMouseHitTest(At(112, 82)));
    EXPECT_EQ(Note->Handles(), (std::array<TRect, 4>{}));
}

TEST_F(PlotAnnotationTest, HitTestAndCursorFollowSelectModeAndHandles)
{
    Note->SetStyle(kpasRectangle2);
    Corners(10, 90, 30, 70);
    Paint();
    EXPECT_TRUE(Note->kMouseHitTest(At(90, 60)));
    EXPECT_FALSE(Note->kMouseHitTest(At(120, 60)));
    Plot.SelectMode = false;
    EXPECT_FALSE(Note->kMouseHitTest(At(90, 60)));
    Note->SetSelectModeOnlyInteraction(false);
    EXPECT_TRUE(Note->kMouseHitTest(At(90, 60)));
    Note->SetVisible(false);
    Paint();
    EXPECT_FALSE(Note->kMouseHitTest(At(90, 60)));
    Note->SetVisible(true);
    Paint();

    // Sizing cursors only over a handle of a selected, sizeable shape.
    EXPECT_EQ(Note->GetMouseCursor(Point(70, 40)), crHandPoint);
    Note->SetUserCanSize(true);
    Note->SetUserSelected(true);
    Paint();
    EXPECT_EQ(Note->GetMouseCursor(Point(70, 40)), crSizeNWSE);
    EXPECT_EQ(Note->GetMouseCursor(Point(110, 80)), crSizeNWSE);
    EXPECT_EQ(Note->GetMouseCursor(Point(110, 40)), crSizeNESW);
    EXPECT_EQ(Note->GetMouseCursor(Point(70, 80)), crSizeNESW);
    EXPECT_EQ(Note->GetMouseCursor(Point(90, 60)), crHandPoint);
    Note->SetStyle(kpasPolygon);
    EXPECT_EQ(Note->GetMouseCursor(Point(70, 40)), crHandPoint);
}

TEST_F(PlotAnnotationTest, MovesKeepTheShapeAndPressesWithoutMovingOnlyClick)
{
    // The plain drag and its events are tested through the plot's input.
    Note->SetStyle(kpasRectangle2);
    Note->SetUserCanMove(true);
    Corners(10, 90, 30, 70);
    Paint();
    // Not selected: no move.
    Drag(Point(74, 60), Point(114, 80));
    EXPECT_DOUBLE_EQ(Note->X(), 10);
    Note->SetUserSelected(true);
    Plot.Log.clear();
    Note->DoMouseLeft(At(80, 60));
    Note->DoMouseUp(At(80, 60));
    EXPECT_EQ(Plot.Log, (std::vector<String>{"click Annotation 1"}));
    // Exchanged axes: the mouse's offset counts along the axes.
    Note->SetXYAxesReversed(true);
    Paint();
    Drag(Point(Note->DrawRectPixels().Left + 2, Note->DrawRectPixels().Top + 2),
         Point(Note->DrawRectPixels().Left + 42, Note->DrawRectPixels().Top + 2));
    EXPECT_DOUBLE_EQ(Note->Y(), 90 + 20);
    EXPECT_DOUBLE_EQ(Note->X(), 10);
    EXPECT_DOUBLE_EQ(Note->Y2() - Note->Y(), -20);
    Note->SetXYAxesReversed(false);

    // A polygon moves its points.
    Note->SetStyle(kpasPolygon);
    for (const auto& [x, y] : {std::pair{10.0, 90.0}, {30.0, 90.0}, {20.0, 70.0}}) Note->PolyPointAdd(x, y);
    Paint();
    Drag(Point(90, 50), Point(100, 50));
    EXPECT_EQ(Note->PolyPoints().front(), (TkPlotAnnotationPoint{15, 90}));
}

TEST_F(PlotAnnotationTest, HandlesResizeToTheValuesUnderTheRelease)
{
    Note->SetStyle(kpasRectangle);
    Note->SetUserCanSize(true);
    Centre(50, 50, 20, 10);  // pixels 130..170 by 110..130
    Note->SetUserSelected(true);
    Paint();
    Plot.Log.clear();
    Drag(Point(170, 130), Point(190, 160));
    EXPECT_DOUBLE_EQ(Note->X(), 55);
    EXPECT_DOUBLE_EQ(Note->Y(), 42.5);
    EXPECT_DOUBLE_EQ(Note->Width(), 30);
    EXPECT_DOUBLE_EQ(Note->Height(), 25);
    EXPECT_EQ(Plot.Log.back(), "finished Annotation 1");
    EXPECT_EQ(Plot.Log.front(), "coordinates Annotation 1");
    EXPECT_EQ(Plot.Log[1], "resized Annotation 1");

    // Corner shapes move only the dragged corner, and may end inverted.
    Note->SetStyle(kpasEllipse);
    Corners(10, 90, 30, 70);  // pixels 70..110 by 40..80
    Paint();
    Drag(Point(70, 40), Point(130, 100));
    EXPECT_DOUBLE_EQ(Note->X(), 40);
    EXPECT_DOUBLE_EQ(Note->Y(), 60);
    EXPECT_DOUBLE_EQ(Note->X2(), 30);
    EXPECT_DOUBLE_EQ(Note->Y2(), 70);

    // Exchanged axes: the screen's vertical is X; the size is measured in
    // the size reference even when it differs from the position's.
    Note->SetXYAxesReversed(true);
    Note->SetStyle(kpasRectangle);
    Note->SetChannelName("Channel 1");
    Note->SetReferenceSizeX(kpriChannel);
    // X 50% is y 120 and one unit of the channel's X twenty pixels; Y 50%
    // is x 150 and a Height of 10% twenty pixels.
    Centre(50, 50, 1, 10);
    Paint();
    EXPECT_EQ(Note->DrawRectPixels(), Rect(140, 110, 160, 130));
    Drag(Point(160, 130), Point(160, 150));
    EXPECT_DOUBLE_EQ(Note->X(), 45);
    EXPECT_DOUBLE_EQ(Note->Width(), 2);
    EXPECT_DOUBLE_EQ(Note->Height(), 10);
}

TEST_F(PlotAnnotationTest, AHandlerMayDeleteTheAnnotationFromTheLastEventOfAMove)
{
    // Deletion from the move event itself is tested through the plot's input.
    Note->SetStyle(kpasRectangle2);
    Note->SetUserCanMove(true);
    Corners(10, 90, 30, 70);
    Note->SetUserSelected(true);
    Paint();
    Plot.OnAnnotationEvent = [](TkPlotObject* Annotation, TkPlotAnnotationEvent Event) {
        if (Event == kpaeCoordinatesChange) Annotation->Free();
    };
    Note->DoMouseLeft(At(90, 60));
    Note->DoMouseMove(At(100, 60));  // freed inside; nothing touches it after
    EXPECT_EQ(std::count(Plot.Objects.begin(), Plot.Objects.end(), Note), 0);
}

TEST_F(PlotAnnotationTest, ExtraFileLinesCarryPolygonAndPicture)
{
    Note->PolyPointAdd(1.5, -2);
    Note->PolyPointAdd(1e300, 0.25);
    TOwned<TBitmap> picture = CreateOwned<TBitmap>();
    picture->SetSize(10, 6);
    picture->Canvas()->Brush()->SetColor(clBlue);
    picture->Canvas()->FillRect(Rect(0, 0, 10, 6));
    picture->Canvas()->SetPixels(0, 5, clWhite);
    TOwned<TStringList> lines = CreateOwned<TStringList>();
    // The picture as a bitmap file would hold it.
    TMemoryStream stream;
    picture->SaveToStream(stream);
    Note->SaveExtraLines("Annotation0", *lines);
    EXPECT_EQ(lines->Count(), 2);
    EXPECT_EQ(lines->Strings(0), "Annotation0.PolyPoint0 = 1.5;-2");

    TkPlotAnnotation* copy = Plot.Add<TkPlotAnnotation>("Copy");
    lines->Add("Annotation0.ImageData = " + [&] {
        String hex;
        const auto* bytes = static_cast<const Byte*>(stream.Memory());
        for (Int64 i = 0; i < stream.Size(); ++i) hex += IntToHex(bytes[i], 2);
        return hex;
    }());
    lines->Add("Annotation1.PolyPoint0 = 7;7");
    copy->LoadExtraLines("Annotation0", *lines);
    EXPECT_EQ(copy->PolyPoints(), Note->PolyPoints());
    ASSERT_NE(copy->Image(), nullptr);
    EXPECT_EQ(copy->Image()->Width(), 10);
    EXPECT_EQ(lines->Count(), 1) << "another section's lines stay";

    // The picture draws centred on the anchor, its bottom-left colour clear.
    copy->SetDataView(View);
    copy->SetStyle(kpasImage);
    copy->SetX(50);
    copy->SetY(50);
    AxesControlTest::Blacken(Bitmap->Canvas(), kWidth, kHeight);
    copy->Draw(Plot.PaintContext(*copy, Bitmap->Canvas()));
    EXPECT_EQ(Ink(clBlue), Rect(145, 117, 155, 123));
    EXPECT_EQ(Pixel(145, 122), clBlack);

    // Damaged lines raise and change nothing.
    for (const String bad : {"Annotation0.PolyPoint0 = 1", "Annotation0.PolyPoint0 = x;2",
                             "Annotation0.ImageData = 4G", "Annotation0.ImageData = 424D00"}) {
        lines->Clear();
        lines->Add(bad);
        EXPECT_THROW(copy->LoadExtraLines("Annotation0", *lines), Exception) << bad;
        EXPECT_EQ(copy->PolyPoints(), Note->PolyPoints()) << bad;
        EXPECT_EQ(copy->Image()->Width(), 10) << bad;
    }
}

}  // namespace
