// The axis as a visible object: the thickness it asks of the layout, the
// half label it needs beyond each end, and its scale line, tick marks,
// labels, title and selection frame.
//
// Sides (QuadSide): 0 left, 1 top, 2 right, 3 bottom. Everything across the
// axis is measured outward from the draw rectangle's edge that faces the
// data view; Cartesian axes lie inside the data view and centre their tick
// marks on their line.

#include <algorithm>

#include "components/foundation/kCommonRoutines.h"
#include "components/plot/axis/kPlotAxis.h"
#include "platform/Math.h"
#include "platform/SysUtils.h"

namespace {

Integer Sum(std::initializer_list<Int64> Parts)
{
    Int64 total = 0;
    for (const Int64 part : Parts) total += part;
    return SatInt32(total);
}

Integer HalfUp(Integer Length) { return Integer((Int64{Length} + 1) / 2); }

bool Upright(TkRotationAngle Rotation) { return Rotation == kra090 || Rotation == kra270; }

}  // namespace

// ===========================================================================
// Layout
// ===========================================================================

Integer TkPlotAxis::TickSpan() const
{
    return FScaleLinesShow ? std::max({FMajorLength, FMinorLength, 0}) : 0;
}

Integer TkPlotAxis::LabelsGap(TCanvas* Canvas) const
{
    Canvas->SetFont(FLabelsFont.get());
    return RoundPix(Canvas->TextHeight("A") * Extended(FLabelsMargin));
}

// Thickness across the axis, then length along it.
TSize TkPlotAxis::TitleExtent(TCanvas* Canvas) const
{
    Canvas->SetFont(FTitleFont.get());
    const TSize text = Canvas->TextExtent(FTitle);
    return FTitleRotated ? TSize{text.cx, text.cy} : TSize{text.cy, text.cx};
}

Integer TkPlotAxis::GetRequiredSize(TCanvas* Canvas)
{
    Int64 title = 0;
    if (FTitleShow && !IsCartesian()) {
        const Integer thickness = TitleExtent(Canvas).cx;
        title = RoundPix(Canvas->TextHeight(FTitle) * Extended(FTitleMargin) + thickness);
    }
    Int64 gap = 0;
    Int64 extent = 0;
    if (FLabelsVisible) {
        gap = LabelsGap(Canvas);
        extent = LabelExtent(Canvas, !LabelsAlongAxis());
    }
    return std::max(Sum({FInnerMargin, FOuterMargin, TickSpan(), gap, extent, title}), 0);
}

Integer TkPlotAxis::GetRequiredEndMargin(TCanvas* Canvas)
{
    if (!FLabelsVisible) return 0;
    if (LabelsAlongAxis()) return GetMaxLabelWidth(Canvas, FLabelsFont.get()) / 2;
    Canvas->SetFont(FLabelsFont.get());
    return Canvas->TextHeight("XYZ") / 2;
}

void TkPlotAxis::PrepareDraw(const TkPlotPaintContext& Context)
{
    TkPlotLayoutObject::PrepareDraw(Context);
    TkPlotOccupiedRects* occupied = Context.Occupied;
    if (!IsCartesian() || !occupied) return;
    const TRect& s = FScale.Rect();
    switch (FQuadSide) {
    case 0: occupied->Add(Rect(s.Right, s.Top, Sum({s.Right, 1}), s.Bottom)); break;
    case 1: occupied->Add(Rect(s.Left, s.Bottom, s.Right, Sum({s.Bottom, 1}))); break;
    case 2: occupied->Add(Rect(s.Left, s.Top, Sum({s.Left, 1}), s.Bottom)); break;
    default: occupied->Add(Rect(s.Left, s.Top, s.Right, Sum({s.Top, 1}))); break;
    }
}

// ===========================================================================
// Geometry across the axis
// ===========================================================================

void TkPlotAxis::LineAcross(TCanvas* Canvas, Integer Pixel, Integer Near, Integer Far) const
{
    const TRect r = DrawRect();
    switch (FQuadSide) {
    case 0:
        Canvas->MoveTo(Sum({r.Right, -Int64{Near}}), Pixel);
        Canvas->LineTo(Sum({r.Right, -Int64{Far}}), Pixel);
        break;
    case 1:
        Canvas->MoveTo(Pixel, Sum({r.Bottom, -Int64{Near}}));
        Canvas->LineTo(Pixel, Sum({r.Bottom, -Int64{Far}}));
        break;
    case 2:
        Canvas->MoveTo(Sum({r.Left, Near}), Pixel);
        Canvas->LineTo(Sum({r.Left, Far}), Pixel);
        break;
    default:
        Canvas->MoveTo(Pixel, Sum({r.Top, Near}));
        Canvas->LineTo(Pixel, Sum({r.Top, Far}));
        break;
    }
}

TRect TkPlotAxis::BoxOutside(Integer Pixel, Integer Offset, Integer Width, Integer Height) const
{
    const TRect r = DrawRect();
    const bool horizontal = FQuadSide == 1 || FQuadSide == 3;
    const Integer along = horizontal ? Width : Height;
    const Integer across = horizontal ? Height : Width;
    const Integer start = Sum({Pixel, -Int64{along / 2}});
    const Integer stop = Sum({start, along});
    switch (FQuadSide) {
    case 0: {
        const Integer right = Sum({r.Right, -Int64{Offset}});
        return Rect(Sum({right, -Int64{across}}), start, right, stop);
    }
    case 1: {
        const Integer bottom = Sum({r.Bottom, -Int64{Offset}});
        return Rect(start, Sum({bottom, -Int64{across}}), stop, bottom);
    }
    case 2: {
        const Integer left = Sum({r.Left, Offset});
        return Rect(left, start, Sum({left, across}), stop);
    }
    default: {
        const Integer top = Sum({r.Top, Offset});
        return Rect(start, top, stop, Sum({top, across}));
    }
    }
}

// ===========================================================================
// Drawing
// ===========================================================================

void TkPlotAxis::RefreshTickPixels()
{
    for (TkPlotTickObject* tick : FTickList) {
        tick->Show = PointOnScale(tick->Position);
        if (tick->Show) tick->PositionPixels = PositionToPixels(tick->Position);
    }
}

void TkPlotAxis::Draw(const TkPlotPaintContext& Context)
{
    if (!Visible()) return;
    TCanvas* canvas = Context.Canvas;
    RefreshTickPixels();
    if (FLabelsVisible) {
        const Integer gap = LabelsGap(canvas);  // selects LabelsFont for the labels
        const Integer offset = IsCartesian() ? Sum({HalfUp(FMajorLength), gap})
                                             : Sum({FInnerMargin, FScaleLinesShow ? FMajorLength : 0, gap});
        canvas->Brush()->SetStyle(bsClear);
        for (const TkPlotTickObject* tick : FTickList)
            if (tick->Show && tick->TickType == kpttMajor) DrawLabel(Context, *tick, offset);
    }
    if (FScaleLinesShow) {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Pen()->SetStyle(psSolid);
        canvas->Pen()->SetWidth(1);
        canvas->Pen()->SetColor(FScaleLinesColor);
        if (FScaleLineShow) DrawScaleLine(canvas);
        for (const TkPlotTickObject* tick : FTickList)
            if (tick->Show) DrawTickMark(canvas, *tick);
    }
    if (IsCartesian())
        UpdateCartesianFocusRect(canvas);
    else
        DrawTitle(canvas, Context.BackGroundColor);
    if (UserSelected()) {
        canvas->Font()->SetColor(clWhite);
        DrawFocusRectangle(canvas, Rect(FFocusRect.Left, FFocusRect.Top, Sum({FFocusRect.Right, 1}),
                                        Sum({FFocusRect.Bottom, 1})));
    }
}

void TkPlotAxis::DrawScaleLine(TCanvas* Canvas)
{
    const Int64 o = IsCartesian() ? 0 : FInnerMargin;
    const TRect& s = FScale.Rect();
    switch (FQuadSide) {
    case 0:
        Canvas->MoveTo(Sum({s.Right, -o}), s.Top);
        Canvas->LineTo(Sum({s.Right, -o}), Sum({s.Bottom, 1}));
        break;
    case 1:
        Canvas->MoveTo(s.Left, Sum({s.Bottom, -o}));
        Canvas->LineTo(s.Right, Sum({s.Bottom, -o}));
        break;
    case 2:
        Canvas->MoveTo(Sum({s.Left, o}), s.Top);
        Canvas->LineTo(Sum({s.Left, o}), Sum({s.Bottom, 1}));
        break;
    default:
        Canvas->MoveTo(s.Left, Sum({s.Top, o}));
        Canvas->LineTo(Sum({s.Right, 1}), Sum({s.Top, o}));
        break;
    }
}

void TkPlotAxis::DrawTickMark(TCanvas* Canvas, const TkPlotTickObject& Tick)
{
    const Integer length = Tick.TickType == kpttMajor ? FMajorLength : FMinorLength;
    if (IsCartesian()) {
        const Integer half = HalfUp(length);
        LineAcross(Canvas, Tick.PositionPixels, Sum({-Int64{half}, -1}), half);
    } else {
        LineAcross(Canvas, Tick.PositionPixels, FInnerMargin, Sum({FInnerMargin, length}));
    }
}

void TkPlotAxis::DrawLabel(const TkPlotPaintContext& Context, const TkPlotTickObject& Tick, Integer Offset)
{
    TCanvas* canvas = Context.Canvas;
    const TSize text = canvas->TextExtent(Tick.Text);
    const bool upright = Upright(FLabelsRotation);
    const TRect box = BoxOutside(Tick.PositionPixels, Offset, upright ? text.cy : text.cx,
                                 upright ? text.cx : text.cy);
    if (IsCartesian() && Context.Occupied && !Context.Occupied->TryAdd(box)) return;
    TRect drawn;
    DrawRotatedText(canvas, Tick.Text, box, FLabelsRotation, kahCenter, true, Context.BackGroundColor, drawn);
}

void TkPlotAxis::DrawTitle(TCanvas* Canvas, TColor BackGroundColor)
{
    if (!FTitleShow || Trim(FTitle).empty()) return;
    const TSize extent = TitleExtent(Canvas);
    const Integer thickness = extent.cx;
    const Integer length = extent.cy;
    const TRect& s = FScale.Rect();
    const Integer middle = Integer((Int64{s.Top} + s.Bottom) / 2);
    const Integer top = Sum({middle, -Int64{length / 2}});
    TRect box;
    switch (FQuadSide) {
    case 0: {
        const Integer left = Sum({s.Left, FOuterMargin});
        box = Rect(left, top, Sum({left, thickness}), Sum({top, length}));
        break;
    }
    case 1: {
        const Integer edge = Sum({s.Top, FOuterMargin});
        box = Rect(s.Left, edge, s.Right, Sum({edge, thickness}));
        break;
    }
    case 2: {
        const Integer right = Sum({s.Right, -Int64{FOuterMargin}});
        box = Rect(Sum({right, -Int64{thickness}}), top, right, Sum({top, length}));
        break;
    }
    default: {
        const Integer bottom = Sum({s.Bottom, -Int64{FOuterMargin}});
        box = Rect(s.Left, Sum({bottom, -Int64{thickness}}), s.Right, bottom);
        break;
    }
    }
    const bool turned = IsHorz() == FTitleRotated;
    Canvas->Brush()->SetStyle(bsClear);
    TRect drawn;
    DrawRotatedText(Canvas, FTitle, box, turned ? kra090 : kra000, kahCenter, true, BackGroundColor, drawn);
}

void TkPlotAxis::UpdateCartesianFocusRect(TCanvas* Canvas)
{
    const Integer width = GetRequiredSize(Canvas);
    const TRect layout = LayoutRect();
    const Int64 reach = Int64{HalfUp(FMajorLength)} + 5;
    if (IsHorz()) {
        FFocusRect.Top = Sum({layout.Top, -reach});
        FFocusRect.Bottom = Sum({FFocusRect.Top, width});
    } else {
        FFocusRect.Left = Sum({layout.Left, -reach});
        FFocusRect.Right = Sum({FFocusRect.Left, width});
    }
}

