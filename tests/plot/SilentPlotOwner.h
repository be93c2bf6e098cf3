#pragma once
// An owner of plot objects that answers the plot's object entry points
// without doing anything: the base of the stand-in plots of tests and
// benchmarks that look at other parts of the plot (axes, channels).

#include "components/plot/kPlotObjects.h"

namespace PlotTest {

class TSilentPlotOwner : public TkPlotObjectOwner {
public:
    void DoObjectMouseDown(TkPlotObject*, TMouseButton, TShiftState, Integer, Integer) override {}
    void DoObjectMouseMove(TkPlotObject*, TShiftState, Integer, Integer) override {}
    void DoObjectMouseUp(TkPlotObject*, TMouseButton, TShiftState, Integer, Integer) override {}
    void DoObjectMouseWheel(TkPlotObject*, Integer, TShiftState, Integer, Integer) override {}
    void DoObjectGotFocus(TkPlotObject*) override {}
    void DoObjectLostFocus(TkPlotObject*) override {}
    void DoObjectPopupMenu(TkPlotObject*, bool&, Integer, Integer) override {}
    TPoint PlotClientToScreen(const TPoint& P) const override { return P; }
    TkPlotTranslationManager* PlotTranslationManager() const override { return nullptr; }
};

}  // namespace PlotTest
