#include "app/StandIns.h"

#include <algorithm>

#include "platform/Math.h"

namespace StandIn {

// ---------------------------------------------------------------------------
// TkXYPlotChannel
// ---------------------------------------------------------------------------

void TkXYPlotChannel::Clear()
{
    FPoints.clear();
    FPlot->Invalidate();
}

void TkXYPlotChannel::AddXY(double X, double Y)
{
    FPoints.emplace_back(X, Y);
    FPlot->Invalidate();
}

const std::pair<double, double>& TkXYPlotChannel::Point(Integer Index) const
{
    if (Index < 0 || Index >= Count()) throw EListError("Index out of Bounds");
    return FPoints[static_cast<std::size_t>(Index)];
}

// ---------------------------------------------------------------------------
// TkXYPlot
// ---------------------------------------------------------------------------

namespace {

// The span of the plots' X axes.
constexpr double kXSpan = 1080.0;

}  // namespace

TClass TkXYPlot::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TkXYPlot, TCustomControl>("TkXYPlot")
                                       .String("TitleText", &TkXYPlot::TitleText, &TkXYPlot::SetTitleText)
                                       .StandIn()
                                       .Build();
    return &info;
}

TkXYPlot::TkXYPlot(TComponent* AOwner) : TCustomControl(AOwner), FChannel(new TkXYPlotChannel(this))
{
    SetBounds(0, 0, 500, 200);
    SetColor(clBlack);
}

TkXYPlotChannel* TkXYPlot::GetChannel(Integer Index) const
{
    if (Index != 0) throw EListError("Index out of Bounds");
    return FChannel.get();
}

void TkXYPlot::SetTitleText(const String& Value)
{
    if (Value == FTitleText) return;
    FTitleText = Value;
    Invalidate();
}

void TkXYPlot::Paint()
{
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetColor(clBlack);
    canvas->FillRect(ClientRect());
    TFont* font = canvas->Font();
    font->SetName("Arial");
    font->SetHeight(-19);
    font->SetStyle({fsBold});
    font->SetColor(clWhite);
    const Integer titleHeight = canvas->TextHeight("0");
    canvas->TextOut((Width() - canvas->TextWidth(FTitleText)) / 2, 2, FTitleText);
    const TRect area = Rect(30, titleHeight + 6, Width() - 10, Height() - 10);
    canvas->Brush()->SetColor(clGreen);
    canvas->FrameRect(area);
    PaintTrace(area);
}

void TkXYPlot::PaintTrace(const TRect& Area)
{
    const Integer count = FChannel->Count();
    if (count == 0) return;
    double low = 0.0;
    double high = 1.0;
    for (Integer i = 0; i < count; ++i) {
        low = std::min(low, FChannel->GetYValue(i));
        high = std::max(high, FChannel->GetYValue(i));
    }
    std::vector<TPoint> points;
    points.reserve(static_cast<std::size_t>(count));
    for (Integer i = 0; i < count; ++i) {
        const double x = FChannel->GetXValue(i) / kXSpan;
        const double y = (FChannel->GetYValue(i) - low) / (high - low);
        points.push_back({Area.Left + RoundPix(x * (Area.Width() - 1)), Area.Bottom - 1 - RoundPix(y * (Area.Height() - 1))});
    }
    Canvas()->Pen()->SetColor(clYellow);
    Canvas()->Polyline(points);
}

}  // namespace StandIn
