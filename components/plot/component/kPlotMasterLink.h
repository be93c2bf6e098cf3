#pragma once
// The plot's end of its master manager (TkPlotMasterListener): what the
// master passes on of its objects' reports. An object listed fires the
// plot's add event; a member going is forgotten by the painter and the hint
// box, and an object going fires the remove event; a change repaints.

#include "components/plot/component/kPlotMasterManager.h"

class TkPlotComponent;
class TkPlotHint;
class TkPlotPainter;

class TkPlotMasterLink : public TkPlotMasterListener {
public:
    // Events: the plot's published events.
    TkPlotMasterLink(TkPlotComponent& Plot, TkPlotEventHost& Events, TkPlotPainter& Painter, TkPlotHint& Hint)
        : FPlot(Plot), FEvents(Events), FPainter(Painter), FHint(Hint)
    {
    }

    void ObjectAdded(TkPlotObject& Object) override;
    void MemberRemoving(TObject& Member) override;
    void Repaint() override;
    void RepaintNow() override;

private:
    TkPlotComponent& FPlot;
    TkPlotEventHost& FEvents;
    TkPlotPainter& FPainter;
    TkPlotHint& FHint;
};
