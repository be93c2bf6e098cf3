#include "components/plot/component/kPlotKindAccess.h"

#include "components/plot/annotation/kPlotAnnotation.h"
#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/input/kPlotDataCursor.h"
#include "components/plot/input/kPlotToolBar.h"
#include "components/plot/layout/kPlotLabel.h"
#include "components/plot/layout/kPlotLegend.h"
#include "components/plot/objects/kPlotManagers.h"
#include "components/plot/table/kPlotTable.h"
#include "components/plot/view/kPlotDataView.h"
#include "components/plot/view/kPlotLimit.h"

Integer TkPlotKindAccess::ObjectCount(TkPlotObjectKind Kind) const { return KindManager(Kind).Count(); }

Integer TkPlotKindAccess::ObjectIndexByName(TkPlotObjectKind Kind, const String& Name) const
{
    return KindManager(Kind).GetIndexByName(Name);
}

template <TkPlotObjectKind K>
TkPlotKindClass<K>* TkPlotKindAccess::Object(Integer Index) const
{
    return static_cast<TkPlotKindClass<K>*>(KindManager(K).GetItem(Index));
}

template <TkPlotObjectKind K>
TkPlotKindClass<K>* TkPlotKindAccess::ObjectByName(const String& Name) const
{
    return static_cast<TkPlotKindClass<K>*>(KindManager(K).GetObjectByName(Name));
}

#define PL_PLOT_KIND_INSTANCES(Kind, ...)                                                     \
    template TkPlotKindClass<kpok##Kind>* TkPlotKindAccess::Object<kpok##Kind>(Integer) const; \
    template TkPlotKindClass<kpok##Kind>* TkPlotKindAccess::ObjectByName<kpok##Kind>(const String&) const;
PL_PLOT_KINDS(PL_PLOT_KIND_INSTANCES)
#undef PL_PLOT_KIND_INSTANCES
