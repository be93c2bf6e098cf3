// The plot's objects: the typed access to each kind, adding and removing
// them, their index within their kind, the translation table and the
// layout manager.

#include "components/plot/component/kPlotComponent.h"

#include "components/plot/input/kPlotDataCursor.h"
#include "components/plot/input/kPlotToolBar.h"
#include "components/plot/layout/kPlotLabel.h"
#include "components/plot/layout/kPlotLegend.h"
#include "components/plot/objects/kPlotMasterManager.h"
#include "components/plot/table/kPlotTable.h"
#include "components/plot/view/kPlotDataView.h"
#include "components/plot/view/kPlotLimit.h"

// ===========================================================================
// Objects
// ===========================================================================

namespace {

TkPlotObjectManagerCustom& KindManager(const TkPlotComponent& Plot, TkPlotObjectKind Kind)
{
    return *Plot.Master().Manager(Kind);
}

// The master manager's maker of each kind, in the order of the kinds.
using TkPlotObjectMaker = Integer (TkPlotMasterManagerCustom::*)();
constexpr std::array<TkPlotObjectMaker, PlotObjectKindCount> ObjectMakers = {
    &TkPlotMasterManagerCustom::AddToolBar, &TkPlotMasterManagerCustom::AddLegend,
    &TkPlotMasterManagerCustom::AddTable,   &TkPlotMasterManagerCustom::AddXAxis,
    &TkPlotMasterManagerCustom::AddYAxis,   &TkPlotMasterManagerCustom::AddChannel,
    &TkPlotMasterManagerCustom::AddDataView, &TkPlotMasterManagerCustom::AddDataCursor,
    &TkPlotMasterManagerCustom::AddLimit,   &TkPlotMasterManagerCustom::AddLabel,
    &TkPlotMasterManagerCustom::AddAnnotation};

}  // namespace

Integer TkPlotComponent::ObjectCount(TkPlotObjectKind Kind) const { return KindManager(*this, Kind).Count(); }

template <TkPlotObjectKind K>
TkPlotKindClass<K>* TkPlotComponent::Object(Integer Index) const
{
    return static_cast<TkPlotKindClass<K>*>(KindManager(*this, K).GetItem(Index));
}

template <TkPlotObjectKind K>
TkPlotKindClass<K>* TkPlotComponent::ObjectByName(const String& Name) const
{
    return static_cast<TkPlotKindClass<K>*>(KindManager(*this, K).GetObjectByName(Name));
}

// Both for every kind, made here where the kinds' classes are known.
#define PL_PLOT_KIND_ACCESSORS(K)                                             \
    template TkPlotKindClass<K>* TkPlotComponent::Object<K>(Integer) const; \
    template TkPlotKindClass<K>* TkPlotComponent::ObjectByName<K>(const String&) const;
PL_PLOT_KIND_ACCESSORS(kpokToolBar)
PL_PLOT_KIND_ACCESSORS(kpokLegend)
PL_PLOT_KIND_ACCESSORS(kpokTable)
PL_PLOT_KIND_ACCESSORS(kpokXAxis)
PL_PLOT_KIND_ACCESSORS(kpokYAxis)
PL_PLOT_KIND_ACCESSORS(kpokChannel)
PL_PLOT_KIND_ACCESSORS(kpokDataView)
PL_PLOT_KIND_ACCESSORS(kpokDataCursor)
PL_PLOT_KIND_ACCESSORS(kpokLimit)
PL_PLOT_KIND_ACCESSORS(kpokLabel)
PL_PLOT_KIND_ACCESSORS(kpokAnnotation)
#undef PL_PLOT_KIND_ACCESSORS

Integer TkPlotComponent::ObjectIndexByName(TkPlotObjectKind Kind, const String& Name) const
{
    return KindManager(*this, Kind).GetIndexByName(Name);
}

Integer TkPlotComponent::AddObject(TkPlotObjectKind Kind) { return (Master().*ObjectMakers[Kind])(); }

void TkPlotComponent::DeleteObject(TkPlotObjectKind Kind, Integer Index)
{
    KindManager(*this, Kind).GetItem(Index)->Free();
    InvalidateNow();
}

void TkPlotComponent::RemoveAllObjects(TkPlotObjectKind Kind)
{
    KindManager(*this, Kind).Clear();
    InvalidateNow();
}

Integer TkPlotComponent::AddAnnotation()
{
    const Integer index = AddObject(kpokAnnotation);
    // A handler of the add event may have taken it away again.
    if (index >= 0) ApplyAnnotationDefaults(*GetAnnotation(index));
    return index;
}

void TkPlotComponent::ApplyAnnotationDefaults(TkPlotAnnotation& Annotation) const
{
    Annotation.SetBrushStyle(FAnnotationDefaultBrushStyle);
    Annotation.SetBrushColor(FAnnotationDefaultBrushColor);
    Annotation.SetPenStyle(FAnnotationDefaultPenStyle);
    Annotation.SetPenColor(FAnnotationDefaultPenColor);
    Annotation.SetPenWidth(FAnnotationDefaultPenWidth);
    Annotation.SetReference(FAnnotationDefaultReference);
    Annotation.SetReferencePositionX(FAnnotationDefaultReferences[0]);
    Annotation.SetReferencePositionY(FAnnotationDefaultReferences[1]);
    Annotation.SetReferenceSizeX(FAnnotationDefaultReferences[2]);
    Annotation.SetReferenceSizeY(FAnnotationDefaultReferences[3]);
    Annotation.SetFont(FAnnotationDefaultFont.get());
}

void TkPlotComponent::DeleteLabel(Integer Index)
{
    if (Index == 0) throw Exception("Label Index 0 can not be Deleted (Resevered for Title)");
    GetLabel(Index)->Free();
}

void TkPlotComponent::RemoveAllLabels()
{
    while (LabelCount() >= 2) GetLabel(1)->Free();
}

// --- translation table --------------------------------------------------------

Integer TkPlotComponent::AddTranslation(const String& Original, const String& Replacement)
{
    const Integer index = Master().AddTranslation();
    TkPlotTranslationObject* entry = Master().TranslationManager()->GetItem(index);
    entry->SetOriginalString(Original);
    entry->SetReplacementString(Replacement);
    return index;
}

void TkPlotComponent::DeleteTranslation(Integer Index)
{
    Master().TranslationManager()->Delete(Index);
    InvalidateNow();
}

void TkPlotComponent::RemoveAllTranslations()
{
    Master().TranslationManager()->Clear();
    InvalidateNow();
}

Integer TkPlotComponent::TranslationCount() const { return Master().TranslationManager()->Count(); }

String TkPlotComponent::GetTranslationOriginalString(Integer Index) const
{
    return Master().TranslationManager()->GetItem(Index)->OriginalString();
}

String TkPlotComponent::GetTranslationReplacementString(Integer Index) const
{
    return Master().TranslationManager()->GetItem(Index)->ReplacementString();
}

void TkPlotComponent::LoadTranslationsFromFile(const String& FileName)
{
    Master().TranslationManager()->LoadFromFile(FileName);
}

void TkPlotComponent::SaveTranslationsToFile(const String& FileName) const
{
    Master().TranslationManager()->SaveToFile(FileName);
}


void TkPlotComponent::DisableLayoutManager() { Master().LayoutManager()->SetEnabled(false); }

void TkPlotComponent::EnableLayoutManager() { Master().LayoutManager()->SetEnabled(true); }

void TkPlotComponent::RefreshLayoutManager()
{
    DisableLayoutManager();
    EnableLayoutManager();
}

Integer TkPlotComponent::DataViewZHorz() const { return Master().LayoutManager()->DataViewHorz()->ZOrder(); }

void TkPlotComponent::SetDataViewZHorz(Integer Value) { Master().LayoutManager()->DataViewHorz()->SetZOrder(Value); }

Integer TkPlotComponent::DataViewZVert() const { return Master().LayoutManager()->DataViewVert()->ZOrder(); }

void TkPlotComponent::SetDataViewZVert(Integer Value) { Master().LayoutManager()->DataViewVert()->SetZOrder(Value); }

Integer TkPlotComponent::ObjectIndex(const TkPlotObject* Object) const
{
    if (!Object) return -1;
    TkPlotObjectManagerCustom* manager = FMasterManager ? FMasterManager->Manager(Object->Kind()) : nullptr;
    // Objects still being made (read from a stream) are not listed yet.
    return manager ? manager->GetIndex(Object) : -1;
}

// --- settings the master manager copies to every object -------------------------------

bool TkPlotComponent::XYAxesReverse() const { return Master().XYAxesReverse(); }

void TkPlotComponent::SetXYAxesReverse(bool Value) { Master().SetXYAxesReverse(Value); }

bool TkPlotComponent::UserCanEditObjects() const { return Master().UserCanEditObjects(); }

void TkPlotComponent::SetUserCanEditObjects(bool Value) { Master().SetUserCanEditObjects(Value); }

void TkPlotComponent::SetChannelClass(TkPlotObjectClassOf<TkPlotChannelCustom> Value)
{
    Master().SetChannelClass(Value);
}
