#pragma once
// Temporary stand-ins for the component classes that the main window
// streams from its form data, until the component libraries provide them.
// Each one is deleted by the work that builds its real class:
//   TkXYPlot, TkXYPlotChannel  -> the plot engine's kXYPlot and kPlotXYChannel
// They skip the form data properties they do not know, keep only what the
// window uses, and draw just enough to make the window recognisable. Their
// own namespace keeps them apart from the real classes linked beside them;
// the form data knows them by the real class names.

#include <utility>
#include <vector>

#include "platform/Controls.h"
#include "platform/StdCtrls.h"

namespace StandIn {

// Records the points handed to it, in call order.
class TkXYPlotChannel : public TObject {
public:
    explicit TkXYPlotChannel(TControl* APlot) : FPlot(APlot) {}

    void Clear();
    virtual void AddXY(double X, double Y);

    Integer Count() const { return static_cast<Integer>(FPoints.size()); }
    double GetXValue(Integer Index) const { return Point(Index).first; }
    double GetYValue(Integer Index) const { return Point(Index).second; }

private:
    const std::pair<double, double>& Point(Integer Index) const;

    TControl* FPlot;
    std::vector<std::pair<double, double>> FPoints;
};

// A plot with one channel and a title.
class TkXYPlot : public TCustomControl {
    PL_CLASSINFO()
public:
    explicit TkXYPlot(TComponent* AOwner);

    // Raises EListError for any index but 0, the only channel.
    TkXYPlotChannel* GetChannel(Integer Index) const;

    const String& TitleText() const { return FTitleText; }
    void SetTitleText(const String& Value);

protected:
    void Paint() override;

private:
    void PaintTrace(const TRect& Area);

    TOwned<TkXYPlotChannel> FChannel;
    String FTitleText;
};

}  // namespace StandIn

using StandIn::TkXYPlot;
using StandIn::TkXYPlotChannel;
