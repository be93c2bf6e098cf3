#include "app/StandIns.h"

#include <algorithm>

#include "platform/Math.h"

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
    canvas->GetBrush()->SetColor(clBlack);
    canvas->FillRect(ClientRect());
    TFont* font = canvas->GetFont();
    font->SetName("Arial");
    font->SetHeight(-19);
    font->SetStyle({fsBold});
    font->SetColor(clWhite);
    const Integer titleHeight = canvas->TextHeight("0");
    canvas->TextOut((Width() - canvas->TextWidth(FTitleText)) / 2, 2, FTitleText);
    const TRect area = Rect(30, titleHeight + 6, Width() - 10, Height() - 10);
    canvas->GetBrush()->SetColor(clGreen);
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
    Canvas()->GetPen()->SetColor(clYellow);
    Canvas()->Polyline(points);
}

// ---------------------------------------------------------------------------
// TkSwitchLed
// ---------------------------------------------------------------------------

TClass TkSwitchLed::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TkSwitchLed, TCustomControl>("TkSwitchLed")
                                       .String("Caption", &TkSwitchLed::Caption, &TkSwitchLed::SetCaption)
                                       .Bool("Active", &TkSwitchLed::Active, &TkSwitchLed::SetActive)
                                       .Default(false)
                                       .Event("OnChange", &TkSwitchLed::OnChange)
                                       .StandIn()
                                       .Build();
    return &info;
}

TkSwitchLed::TkSwitchLed(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetBounds(0, 0, 40, 28);
    SetTabStop(true);
}

void TkSwitchLed::SetActive(bool Value)
{
    if (Value == FActive) return;
    FActive = Value;
    Invalidate();
    if (!ComponentState().Contains(csLoading) && OnChange) OnChange(this);
}

void TkSwitchLed::Click()
{
    SetActive(!FActive);
    TCustomControl::Click();
}

void TkSwitchLed::Paint()
{
    TCanvas* canvas = Canvas();
    const TRect face = ClientRect();
    canvas->GetBrush()->SetColor(clBtnFace);
    canvas->FillRect(face);
    canvas->GetPen()->SetColor(clBtnHighlight);
    canvas->Polyline({{face.Left, face.Bottom - 1}, {face.Left, face.Top}, {face.Right - 1, face.Top}});
    canvas->GetPen()->SetColor(clBtnShadow);
    canvas->Polyline({{face.Right - 1, face.Top}, {face.Right - 1, face.Bottom - 1}, {face.Left, face.Bottom - 1}});
    canvas->SetFont(Font());
    const String caption = StripHotkey(Caption());
    canvas->TextOut((face.Width() - canvas->TextWidth(caption)) / 2, 4, caption);
    const TRect led = Rect(face.Left + 7, face.Bottom - 11, face.Right - 7, face.Bottom - 7);
    canvas->GetPen()->SetColor(clBlack);
    canvas->GetBrush()->SetColor(FActive ? clLime : TColor{0x005500});
    canvas->Rectangle(led);
}

// ---------------------------------------------------------------------------
// TQdStrEdit
// ---------------------------------------------------------------------------

TClass TQdStrEdit::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TQdStrEdit, TEdit>("TQdStrEdit").StandIn().Build();
    return &info;
}

TQdStrEdit::TQdStrEdit(TComponent* AOwner) : TEdit(AOwner)
{
    SetColor(clBlack);
    Font()->SetColor(clLime);
}
