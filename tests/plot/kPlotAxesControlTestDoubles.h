#pragma once
// A stand-in plot for the user's scrolling and zooming: the channel tests'
// plot (objects by name) that also forwards axis gestures behind a re-entry
// flag, keeps the occupied rectangles of one paint and records the events.

#include <algorithm>
#include <functional>
#include <vector>

#include "components/plot/kPlotAxis.h"
#include "platform/SysUtils.h"
#include "tests/plot/kPlotChannelTestDoubles.h"

namespace AxesControlTest {

class TControlPlot : public ChannelTest::TTestPlot, public TkPlotAxesControlOwner {
public:
    std::vector<String> Log;
    Integer Repaints = 0;
    bool ZoomBoxMode = false;
    bool SelectMode = false;
    bool Forwarding = false;
    std::vector<TRect> Occupied;
    TRect ReferenceView;
    std::function<void(TRect&, bool&)> OnBeforeZoomBox;
    std::function<void(TkPlotAxis*, String&)> OnCustomizeHint;

    template <class T>
    T* Put(const String& Name)
    {
        T* object = Add<T>(Name);
        object->SetOnInvalidateNow([this](TObject*) { ++Repaints; });
        return object;
    }
    template <class T = TkPlotXAxis>
    T* PutAxis(const String& Name, const TRect& Layout, Double Min, Double Span)
    {
        T* axis = Put<T>(Name);
        axis->SetHorizontal(std::is_same_v<T, TkPlotXAxis>);
        axis->SetLayoutRect(Layout);
        axis->SetDrawRect(Layout);
        axis->SetMinSpan(Min, Span);
        return axis;
    }

    Integer AxisCount(bool XAxes) const override { return static_cast<Integer>(AxesOf(XAxes).size()); }
    TkPlotAxis* GetAxis(bool XAxes, Integer Index) const override { return AxesOf(XAxes).at(Index); }
    void AxesDoMouseLeft(TkPlotAxis* Axis, const TkPlotMouseData& M) override
    {
        Forward(Axis, [&](TkPlotAxis* Other) { Other->DoMouseLeft(M); });
    }
    void AxesDoMouseMove(TkPlotAxis* Axis, const TkPlotMouseData& M) override
    {
        Forward(Axis, [&](TkPlotAxis* Other) { Other->DoMouseMove(M); });
    }
    void AxesDoMouseUp(TkPlotAxis* Axis, const TkPlotMouseData& M) override
    {
        Forward(Axis, [&](TkPlotAxis* Other) { Other->DoMouseUp(M); });
    }
    void AxesDoMouseWheel(TkPlotAxis* Axis, Integer Delta, TShiftState Shift, Integer X, Integer Y) override
    {
        Forward(Axis, [&](TkPlotAxis* Other) { Other->DoMouseWheel(Delta, Shift, X, Y); });
    }
    void AxesKeyDown(TkPlotAxis* Axis, Word& Key, TShiftState Shift) override
    {
        Forward(Axis, [&](TkPlotAxis* Other) { Other->kKeyDown(Key, Shift, nullptr); });
    }
    bool AxesForwarding() const override { return Forwarding; }
    void SetAxesForwarding(bool Value) override { Forwarding = Value; }
    void DoObjectClick(TkPlotObject* Object) override { Log.push_back("click " + Object->Name()); }
    void DoObjectGetMouseCursor(TkPlotObject*, TCursor&) override {}
    void DoAxisMinSpanChangeFinished(TkPlotAxis* Axis, Double OldMin, Double OldSpan, Double NewMin,
                                     Double NewSpan) override
    {
        Log.push_back("finished " + Axis->Name() + " " + FloatToStr(OldMin) + " " + FloatToStr(OldSpan) + " " +
                      FloatToStr(NewMin) + " " + FloatToStr(NewSpan));
    }
    void DoAxisCustomizeHint(TkPlotAxis* Axis, String& Text) override
    {
        if (OnCustomizeHint) OnCustomizeHint(Axis, Text);
    }
    // Seven pixels a character, twelve a line.
    TSize HintTextExtent(const String& Text) override { return {static_cast<Integer>(Text.size()) * 7, 12}; }
    void AddOccupiedRect(const TRect& Rect) override { Occupied.push_back(Rect); }
    bool TryAddOccupiedRect(const TRect& Rect) override
    {
        TRect common;
        for (const TRect& taken : Occupied)
            if (IntersectRect(common, taken, Rect)) return false;
        if (!Occupied.empty() && !(IntersectRect(common, Rect, ReferenceView) && common == Rect)) return false;
        Occupied.push_back(Rect);
        return true;
    }
    void DisableAllTracking() override
    {
        Log.push_back("tracking off");
        for (const bool x : {true, false})
            for (TkPlotAxis* axis : AxesOf(x)) axis->SetTrackingEnabled(false);
    }
    void DoBeforeZoomBox(TRect& Box, bool& Cancel) override
    {
        Log.push_back("before zoom box " + IntToStr(Box.Left) + "," + IntToStr(Box.Top) + "," +
                      IntToStr(Box.Right) + "," + IntToStr(Box.Bottom));
        if (OnBeforeZoomBox) OnBeforeZoomBox(Box, Cancel);
    }
    bool IsToolBarZoomBoxMode() const override { return ZoomBoxMode; }
    bool IsToolBarSelectMode() const override { return SelectMode; }

private:
    std::vector<TkPlotAxis*> AxesOf(bool XAxes) const
    {
        std::vector<TkPlotAxis*> result;
        for (TkPlotObject* object : Objects)
            if (XAxes ? dynamic_cast<TkPlotXAxis*>(object) != nullptr : dynamic_cast<TkPlotYAxis*>(object) != nullptr)
                result.push_back(static_cast<TkPlotAxis*>(object));
        return result;
    }
    void Forward(TkPlotAxis* Axis, const std::function<void(TkPlotAxis*)>& Action)
    {
        if (Forwarding) return;
        Forwarding = true;
        for (TkPlotAxis* other : AxesOf(dynamic_cast<TkPlotXAxis*>(Axis) != nullptr))
            if (other != Axis) Action(other);
        Forwarding = false;
    }
};

inline TkPlotMouseData At(Integer X, Integer Y, bool DblClickActive = false)
{
    TkPlotMouseData data;
    data.X = data.XAxisPixels = X;
    data.Y = data.YAxisPixels = Y;
    data.DblClickActive = DblClickActive;
    return data;
}

inline void Blacken(TCanvas* Canvas, Integer Width, Integer Height)
{
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(clBlack);
    Canvas->FillRect(Rect(0, 0, Width, Height));
}

// The box of the pixels of one colour; empty when there is none.
inline TRect InkBox(TCanvas* Canvas, Integer Width, Integer Height, TColor Color)
{
    TRect box{Width, Height, 0, 0};
    for (Integer y = 0; y < Height; ++y)
        for (Integer x = 0; x < Width; ++x)
            if (Canvas->Pixels(x, y) == Color)
                box = Rect(std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                           std::max(box.Bottom, y + 1));
    return box.Right > box.Left ? box : TRect{};
}

inline std::vector<Integer> TickPixels(const TkPlotAxis* Axis, TkPlotTickType Type)
{
    std::vector<Integer> result;
    for (Integer i = 0; i < Axis->TickListCount(); ++i)
        if (Axis->GetTick(i)->Show && Axis->GetTick(i)->TickType == Type)
            result.push_back(Axis->GetTick(i)->PositionPixels);
    return result;
}

}  // namespace AxesControlTest
