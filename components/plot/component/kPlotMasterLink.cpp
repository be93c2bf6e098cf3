#include "components/plot/component/kPlotMasterLink.h"

#include "components/plot/component/kPlotComponent.h"
#include "components/plot/component/kPlotHint.h"
#include "components/plot/component/kPlotPainter.h"

void TkPlotMasterLink::ObjectAdded(TkPlotObject& Object) { FEvents.Fire(PlotEvent::ObjectAdd{&Object}); }

void TkPlotMasterLink::MemberRemoving(TObject& Member)
{
    FPainter.ObjectRemoved();
    if (auto* object = dynamic_cast<TkPlotObject*>(&Member)) {
        FHint.Forget(object);
        FEvents.Fire(PlotEvent::ObjectRemove{object});
    }
}

void TkPlotMasterLink::Repaint() { FPlot.InvalidateChange(); }

void TkPlotMasterLink::RepaintNow() { FPlot.InvalidateNow(); }
