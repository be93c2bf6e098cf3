#pragma once
// A fixture that paints a channel (an XY channel unless told otherwise) in
// the stand-in plot into a 200 x 200 white bitmap. Both axes span 0..100
// over pixels 50..150: pixel x = 50 + X, pixel y = 150 - Y.

#include <gtest/gtest.h>

#include "components/plot/channel/xy/kPlotXYChannel.h"
#include "platform/Graphics.h"
#include "platform/Math.h"
#include "platform/SysApi.h"
#include "tests/plot/kPlotChannelTestDoubles.h"

namespace TraceTest {

// Opens the store's per-point setters to the tests.
class TTraceChannel : public TkXYPlotChannel {
public:
    using TkXYPlotChannel::TkXYPlotChannel;
    using TkPlotChannelCustom::DataList;
};

template <class TChannel>
class ChannelPaintFixture : public ::testing::Test {
protected:
    PlotTest::TStandInPlot Plot;
    TkPlotXAxis* XAxis = Plot.Add<TkPlotXAxis>("X");
    TkPlotYAxis* YAxis = Plot.Add<TkPlotYAxis>("Y");
    TChannel* Ch = Plot.Add<TChannel>("Channel");
    TOwned<TBitmap> Bitmap = CreateOwned<TBitmap>();

    void SetUp() override
    {
        Bitmap->SetSize(200, 200);
        XAxis->SetHorizontal(true);
        XAxis->SetLayoutRect(Rect(50, 160, 150, 180));
        YAxis->SetHorizontal(false);
        YAxis->SetLayoutRect(Rect(20, 50, 40, 150));
        SetScales(0, 100, 0, 100);
        Ch->SetXAxisName("X");
        Ch->SetYAxisName("Y");
    }
    void SetScales(Double XMin, Double XSpan, Double YMin, Double YSpan)
    {
        XAxis->SetMinSpan(XMin, XSpan);
        YAxis->SetMinSpan(YMin, YSpan);
        XAxis->CalcTicks(Canvas());
        YAxis->CalcTicks(Canvas());
    }
    TCanvas* Canvas() { return Bitmap->Canvas(); }
    TColor Pixel(Integer X, Integer Y) { return Canvas()->Pixels(X, Y); }
    // As the plot paints a channel: the clip it sets goes afterwards.
    void Paint()
    {
        Ch->PrepareDraw(Plot.PaintContext(*Ch));
        if (Ch->CanDraw()) Ch->Draw(Plot.PaintContext(*Ch, Canvas(), clWhite));
        SelectClipRgn(Canvas(), nullptr);
    }
    // Pixels of Color inside R (right and bottom excluded).
    Integer CountIn(const TRect& R, TColor Color)
    {
        Integer count = 0;
        for (Integer y = R.Top; y < R.Bottom; ++y)
            for (Integer x = R.Left; x < R.Right; ++x) count += Pixel(x, y) == Color;
        return count;
    }
};

using TraceFixture = ChannelPaintFixture<TTraceChannel>;

}  // namespace TraceTest
