#include "components/plot/view/kPlotLimit.h"

#include <algorithm>
#include <cmath>

#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/objects/kPlotHostServices.h"
#include "platform/Menus.h"
#include "platform/SysApi.h"
#include "platform/SysUtils.h"

namespace {

// The rectangle with both corners inside.
TRect SpannedRect(TPoint A, TPoint B)
{
    return Rect(std::min(A.X, B.X), std::min(A.Y, B.Y), std::max(A.X, B.X) + 1, std::max(A.Y, B.Y) + 1);
}

void DrawSegment(TCanvas* Canvas, TPoint From, TPoint To)
{
    Canvas->MoveTo(From.X, From.Y);
    Canvas->LineTo(To.X, To.Y);
}

void SelectPen(TCanvas* Canvas, TColor Color, TPenStyle Style, Integer Width)
{
    Canvas->Pen()->SetColor(Color);
    Canvas->Pen()->SetStyle(Style);
    Canvas->Pen()->SetWidth(Width);
}

void SelectBrush(TCanvas* Canvas, TColor Color, TBrushStyle Style)
{
    Canvas->Brush()->SetColor(Color);
    Canvas->Brush()->SetStyle(Style);
}

}  // namespace

TClass TkPlotLimit::StaticClassInfo()
{
    using C = TkPlotLimit;
    static const TClassInfo info =
        TClassBuilder<C, TkPlotObject>("TkPlotLimit")
            .Color("Color", &C::Color, &C::SetColor)
            .Enum("LineStyle", &C::LineStyle, &C::SetLineStyle)
            .Integer("LineWidth", &C::LineWidth, &C::SetLineWidth)
            .Enum("FillStyle", &C::FillStyle, &C::SetFillStyle)
            .String("XAxisName", &C::XAxisName, &C::SetXAxisName)
            .String("YAxisName", &C::YAxisName, &C::SetYAxisName)
            .Enum("Style", &C::Style, &C::SetStyle)
            .Float("Line1Position", &C::Line1Position, &C::SetLine1Position)
            .Float("Line2Position", &C::Line2Position, &C::SetLine2Position)
            .Bool("UserCanMove", &C::UserCanMove, &C::SetUserCanMove)
            .Bool("SelectModeOnlyInteraction", &C::SelectModeOnlyInteraction, &C::SetSelectModeOnlyInteraction)
            .Bool("ClipToAxes", &C::ClipToAxes, &C::SetClipToAxes)
            .Build();
    return &info;
}

TkPlotLimit::TkPlotLimit(TkPlotObjectOwner* AOwner)
    : TkPlotObject(AOwner),
      FPointList(CreateOwned<TkLimitDataList>())
{
    // What was drawn on an axis is gone with it.
    const auto hideLines = [this] { FLine1Show = FLine2Show = false; };
    FXAxis.SetOnTargetRemoved(hideLines);
    FYAxis.SetOnTargetRemoved(hideLines);
}

// --- published setters ---------------------------------------------------------

void TkPlotLimit::SetColor(TColor Value) { SetProperty(FColor, Value, &TkPlotLimit::DoChange); }

void TkPlotLimit::SetLineStyle(TPenStyle Value) { SetProperty(FLineStyle, Value, &TkPlotLimit::DoChange); }

void TkPlotLimit::SetLineWidth(Integer Value)
{
    SetProperty(FLineWidth, std::clamp(Value, 0, MaxLineWidth), &TkPlotLimit::DoChange);
}

void TkPlotLimit::SetFillStyle(TBrushStyle Value) { SetProperty(FFillStyle, Value, &TkPlotLimit::DoChange); }

void TkPlotLimit::SetXAxisName(const String& Value)
{
    if (FXAxis.SetName(Value)) DoChange();
}

void TkPlotLimit::SetYAxisName(const String& Value)
{
    if (FYAxis.SetName(Value)) DoChange();
}

void TkPlotLimit::SetStyle(TkPlotLimitStyle Value) { SetProperty(FStyle, Value, &TkPlotLimit::DoChange); }

void TkPlotLimit::SetLine1Position(Double Value)
{
    SetLinePosition(FLine1Position, Value, 1);
}

void TkPlotLimit::SetLine2Position(Double Value)
{
    SetLinePosition(FLine2Position, Value, 2);
}

void TkPlotLimit::SetLinePosition(Double& Field, Double Value, Integer Line)
{
    if (std::isnan(Value) || Value == Field) return;
    const Double old = Field;
    Field = Value;
    TWeakRef<TkPlotLimit> self(this);
    DoChange();
    if (!self) return;
    Fire(PlotEvent::LimitLineMove{this, Line, old, Value});
}

void TkPlotLimit::SetUserCanMove(bool Value) { SetProperty(FUserCanMove, Value, &TkPlotLimit::DoChange); }

void TkPlotLimit::SetClipToAxes(bool Value) { SetProperty(FClipToAxes, Value, &TkPlotLimit::DoChange); }

// --- poly-band elements ----------------------------------------------------------

void TkPlotLimit::AddBandElement(Double Position, Double UpperLimit, Double LowerLimit)
{
    if (std::isnan(Position) || std::isnan(UpperLimit) || std::isnan(LowerLimit))
        throw Exception("Band element values must be numbers");
    if (LowerLimit > UpperLimit) throw Exception("the Upper Limit must be greater than or equal to the Lower Limit");
    FPointList->Add(Position, UpperLimit, LowerLimit);
    DoChange();
}

void TkPlotLimit::ClearAllElements()
{
    FPointList->Clear();
    DoChange();
}

bool TkPlotLimit::IsYStyle() const
{
    return FStyle == kplsLineY || FStyle == kplsBandY || FStyle == kplsPolyBandY;
}

bool TkPlotLimit::IsFilledStyle() const
{
    switch (FStyle) {
    case kplsLineX:
    case kplsLineY: return false;
    case kplsBandX:
    case kplsBandY: return FFillStyle != bsClear;
    default: return true;
    }
}

// --- axes --------------------------------------------------------------------------

TkPlotXAxis* TkPlotLimit::XAxis() const { return FXAxis.Get(); }

TkPlotYAxis* TkPlotLimit::YAxis() const { return FYAxis.Get(); }

TkPlotAxis* TkPlotLimit::ValueAxis()
{
    if (IsYStyle()) return YAxis();
    return XAxis();
}

TkPlotScalePair TkPlotLimit::BoundScales() { return ScalesOf(XAxis(), YAxis()); }

void TkPlotLimit::NotificationSetFocus(TkPlotObject* AObject)
{
    TkPlotObject::NotificationSetFocus(AObject);
    if (AObject != this && UserSelected() && AObject->UserSelected()) SetUserSelected(false);
}

// --- drawing -----------------------------------------------------------------------

TPoint TkPlotLimit::CanvasPoint(const TkPlotPaintContext& Context, Integer ValuePixels, Integer OtherPixels) const
{
    // (X pixel, Y pixel) first, then exchanged with the axes.
    return Context.OnCanvas(IsYStyle() ? Point(OtherPixels, ValuePixels) : Point(ValuePixels, OtherPixels));
}

TRect TkPlotLimit::ClickRect(const TkPlotPaintContext& Context, Integer ValuePixels, const TkPlotAxisScale& Other) const
{
    // The pixels are clamped by the scale: the margins cannot overflow.
    return SpannedRect(CanvasPoint(Context, ValuePixels - ClickMargin, Other.MinPixel()),
                       CanvasPoint(Context, ValuePixels + ClickMargin, Other.MaxPixel()));
}

void TkPlotLimit::Draw(const TkPlotPaintContext& Context)
{
    FLine1Show = false;
    FLine2Show = false;
    if (!Visible() || !Context.HasScales()) return;
    const TkPlotAxisScale& value = IsYStyle() ? *Context.YScale : *Context.XScale;
    const TkPlotAxisScale& other = IsYStyle() ? *Context.XScale : *Context.YScale;
    if (FClipToAxes) ClipCanvasToAxes(Context);
    switch (FStyle) {
    case kplsLineX:
    case kplsLineY: DrawLine(Context, value, other); break;
    case kplsBandX:
    case kplsBandY: DrawBand(Context, value, other); break;
    case kplsPolyBandX:
    case kplsPolyBandY: DrawPolyBand(Context, value, other); break;
    }
}

void TkPlotLimit::DrawLine(const TkPlotPaintContext& Context, const TkPlotAxisScale& Value,
                           const TkPlotAxisScale& Other)
{
    if (!(Value.Min() <= FLine1Position && FLine1Position <= Value.Max())) return;
    TCanvas* canvas = Context.Canvas;
    SelectPen(canvas, FColor, FLineStyle, FLineWidth);
    // The background shows in the gaps of a dashed line.
    SelectBrush(canvas, Context.BackGroundColor, bsSolid);
    const Integer pixel = Value.Pixel(FLine1Position);
    DrawSegment(canvas, CanvasPoint(Context, pixel, Other.MinPixel()), CanvasPoint(Context, pixel, Other.MaxPixel()));
    FLine1Show = true;
    FLine1ClickRect = ClickRect(Context, pixel, Other);
}

void TkPlotLimit::DrawBand(const TkPlotPaintContext& Context, const TkPlotAxisScale& Value,
                           const TkPlotAxisScale& Other)
{
    TCanvas* canvas = Context.Canvas;
    const Integer pixel1 = Value.Pixel(FLine1Position);
    const Integer pixel2 = Value.Pixel(FLine2Position);
    const Integer from = Other.MinPixel();
    const Integer to = Other.MaxPixel();
    FLine1Show = true;
    FLine2Show = true;
    FLine1ClickRect = ClickRect(Context, pixel1, Other);
    FLine2ClickRect = ClickRect(Context, pixel2, Other);

    SelectBrush(canvas, FColor, FFillStyle);
    const TPoint corner1 = CanvasPoint(Context, pixel1, from);
    const TPoint corner2 = CanvasPoint(Context, pixel2, to);
    if (FFillStyle == bsSolid) {
        SelectPen(canvas, FColor, FLineStyle, 1);
        canvas->Rectangle(corner1.X, corner1.Y, corner2.X, corner2.Y);
        return;
    }
    if (FFillStyle == bsClear) {
        SelectPen(canvas, FColor, FLineStyle, FLineWidth);
    } else {
        SelectPen(canvas, FColor, psClear, 1);
        canvas->Rectangle(corner1.X, corner1.Y, corner2.X, corner2.Y);
        SelectPen(canvas, FColor, FLineStyle, 1);
    }
    DrawSegment(canvas, CanvasPoint(Context, pixel1, from), CanvasPoint(Context, pixel1, to));
    DrawSegment(canvas, CanvasPoint(Context, pixel2, from), CanvasPoint(Context, pixel2, to));
}

void TkPlotLimit::DrawPolyBand(const TkPlotPaintContext& Context, const TkPlotAxisScale& Value,
                               const TkPlotAxisScale& Other) const
{
    const TkLimitDataList& elements = *FPointList;
    if (elements.Count() < 2) return;
    TCanvas* canvas = Context.Canvas;
    const bool solid = FFillStyle == bsSolid;
    SelectPen(canvas, FColor, psSolid, 1);
    SelectBrush(canvas, FColor, FFillStyle);
    for (Integer k = 1; k < elements.Count(); ++k) {
        const TkLimitData& before = elements.GetItem(k - 1);
        const TkLimitData& after = elements.GetItem(k);
        if (before.Value1 < Other.Min() && after.Value1 < Other.Min()) continue;
        if (before.Value1 > Other.Max()) break;
        const Integer at1 = Other.Pixel(before.Value1);
        const Integer at2 = Other.Pixel(after.Value1);
        const TPoint upper1 = CanvasPoint(Context, Value.Pixel(before.Value2), at1);
        const TPoint lower1 = CanvasPoint(Context, Value.Pixel(before.Value3), at1);
        const TPoint lower2 = CanvasPoint(Context, Value.Pixel(after.Value3), at2);
        const TPoint upper2 = CanvasPoint(Context, Value.Pixel(after.Value2), at2);
        if (solid) {
            canvas->Polygon({upper1, lower1, lower2, upper2});
            continue;
        }
        canvas->Pen()->SetStyle(psClear);
        canvas->Polygon({upper1, lower1, lower2, upper2});
        canvas->Pen()->SetStyle(psSolid);
        DrawSegment(canvas, upper1, upper2);
        DrawSegment(canvas, lower1, lower2);
    }
}

// --- mouse -------------------------------------------------------------------------

bool TkPlotLimit::kMouseHitTest(const TkPlotMouseData& MouseData)
{
    if (FSelectModeOnlyInteraction) {
        const TkPlotInputHost* input = Host().Input;
        if (!input || !input->IsToolBarSelectMode()) return false;
    }
    const TPoint p = Point(MouseData.X, MouseData.Y);
    return (FLine1Show && PtInRect(FLine1ClickRect, p)) || (FLine2Show && PtInRect(FLine2ClickRect, p));
}

TCursor TkPlotLimit::GetMouseCursor(TPoint)
{
    TCursor cursor = crDefault;
    if (FUserCanMove) {
        cursor = crHandPoint;
        // Two lines move across their direction on screen.
        const bool verticalLines = IsYStyle() == XYAxesReversed();
        if (FLine1Show && FLine2Show) cursor = verticalLines ? crSizeWE : crSizeNS;
    }
    Fire(PlotEvent::GetMouseCursor{this, cursor});
    return cursor;
}

void TkPlotLimit::DoMouseLeft(const TkPlotMouseData& MouseData)
{
    FMouseDownHit = kMouseHitTest(MouseData);
    if (!FUserCanMove || !FMouseDownHit) return;
    const TPoint p = Point(MouseData.X, MouseData.Y);
    if (FLine1Show && PtInRect(FLine1ClickRect, p))
        FMouseDownLine1 = true;
    else if (FLine2Show && PtInRect(FLine2ClickRect, p))
        FMouseDownLine2 = true;
    else
        return;
    DoInvalidateNow();
}

void TkPlotLimit::DoMouseMove(const TkPlotMouseData& MouseData)
{
    if (FMouseDownLine1 || FMouseDownLine2) DragTo(MouseData);
}

void TkPlotLimit::DragTo(const TkPlotMouseData& MouseData)
{
    const TkPlotAxis* axis = ValueAxis();
    if (!axis) return;
    const Double position = axis->PixelsToPosition(IsYStyle() ? MouseData.YAxisPixels : MouseData.XAxisPixels);
    if (FMouseDownLine1)
        SetLine1Position(position);
    else
        SetLine2Position(position);
}

void TkPlotLimit::DoMouseUp(const TkPlotMouseData& MouseData)
{
    const bool pressed = FMouseDownHit;
    FMouseDownHit = false;
    FMouseDownLine1 = false;
    FMouseDownLine2 = false;
    if (!pressed || !kMouseHitTest(MouseData)) return;
    Fire(PlotEvent::Click{this});
}

void TkPlotLimit::BuildPopupMenu(TPopupMenu* PopupMenu)
{
    TkPlotObject::BuildPopupMenu(PopupMenu);
    AddEditMenuItem(PopupMenu);
}
