#include "components/plot/component/kPlotLoadRollback.h"

#include "components/plot/component/kPlotMasterManager.h"
#include "components/plot/objects/kPlotObjectRef.h"

TkPlotLoadRollback::TkPlotLoadRollback(TObject& Plot, TkPlotMasterManagerCustom& Master,
                                       std::span<const TkPlotObjectKind> Replaced,
                                       std::span<const TkPlotObjectKind> Kept)
    : FMaster(Master),
      FOrder(Master.PlotObjectManager()->Objects()),
      FLayoutOrder(Master.LayoutManager()->Objects()),
      FPresent(FOrder.begin(), FOrder.end())
{
    std::unordered_set<const TkPlotObject*> replaced;
    for (TkPlotObjectKind kind : Replaced) {
        const std::vector<TkPlotObject*> objects = Master.Manager(kind)->Objects();
        for (std::size_t i = kind == kpokLabel ? 1 : 0; i < objects.size(); ++i) {
            FReplaced.emplace_back(objects[i]);
            replaced.insert(objects[i]);
        }
    }
    for (TkPlotObjectKind kind : Kept)
        for (TkPlotObject* object : Master.Manager(kind)->Objects())
            if (!replaced.contains(object))
                FSettings.emplace_back(object, std::make_unique<TkPropertiesRestorePoint>(object, String()));
    FPlotSettings = std::make_unique<TkPropertiesRestorePoint>(&Plot, String());
}

TkPlotLoadRollback::~TkPlotLoadRollback()
{
    for (TkPlotObject* object : FTaken) object->Free();
}

void TkPlotLoadRollback::TakeOut()
{
    std::unordered_set<const TkPlotObject*> holders;
    for (const TWeakRef<TkPlotObject>& object : FReplaced)
        if (object) holders.insert(object.Get());
    // Before any leaves: those still to leave must not hear of the others.
    for (TkPlotObjectKind kind : PlotAllKinds)
        if (TkPlotNameIndex* index = FMaster.Manager(kind) ? FMaster.Manager(kind)->NameIndex() : nullptr)
            FReferences.emplace_back(index, index->TakeReferences(holders));
    // A remove event's handler may have freed or removed objects still to
    // leave.
    for (const TWeakRef<TkPlotObject>& object : FReplaced)
        if (object && FMaster.PlotObjectManager()->GetIndex(object.Get()) >= 0) {
            object->TakeOutOfPlot();
            FTaken.push_back(object.Get());
        }
}

void TkPlotLoadRollback::PutBack()
{
    FreeMadeObjects();
    // In the order they left, which is their order within their kind.
    for (TkPlotObject* object : FTaken) object->PutBackIntoPlot();
    FTaken.clear();
    for (auto& [index, refs] : FReferences) index->Relink(refs);
    FReferences.clear();
    FMaster.PlotObjectManager()->ListInOrder(FOrder);
    FMaster.LayoutManager()->ListInOrder(FLayoutOrder);
    for (const auto& [object, settings] : FSettings)
        if (object) settings->Restore();
    FPlotSettings->Restore();
}

// In the order they were made, each reporting its removal.
void TkPlotLoadRollback::FreeMadeObjects()
{
    std::vector<TWeakRef<TkPlotObject>> made;
    for (TkPlotObject* object : FMaster.PlotObjectManager()->Objects())
        if (object->Kind() != kpokNone && !FPresent.contains(object)) made.emplace_back(object);
    for (const TWeakRef<TkPlotObject>& object : made)
        if (object) object->Free();
}
