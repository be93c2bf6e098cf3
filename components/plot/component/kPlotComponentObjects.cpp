// The plot's objects: the typed access to each kind, adding and removing
// them, their index within their kind, the translation table and the
// layout manager.

#include "components/plot/component/kPlotComponent.h"

#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/component/kPlotMasterManager.h"
#include "components/plot/component/kPlotRoles.h"

// ===========================================================================
// Objects
// ===========================================================================

TkPlotObjectManagerCustom& TkPlotComponent::KindManager(TkPlotObjectKind Kind) const
{
    return *Master().Manager(Kind);
}

TkPlotAxis* TkPlotComponent::GetAxis(bool XAxes, Integer Index) const
{
    if (XAxes) return GetXAxis(Index);
    return GetYAxis(Index);
}

Integer TkPlotComponent::AddObject(TkPlotObjectKind Kind)
{
    const Integer index = Master().Add(Kind);
    // A handler of the add event may have taken it away again.
    if (Kind == kpokAnnotation && index >= 0) FRoles->AnnotationDefaults.ApplyTo(*GetAnnotation(index));
    return index;
}

void TkPlotComponent::DeleteObject(TkPlotObjectKind Kind, Integer Index)
{
    if (Kind == kpokLabel && Index == 0) throw Exception("Label Index 0 can not be Deleted (Resevered for Title)");
    KindManager(Kind).GetItem(Index)->Free();
    if (Kind != kpokLabel) InvalidateNow();
}

void TkPlotComponent::RemoveAllObjects(TkPlotObjectKind Kind)
{
    if (Kind == kpokLabel) {
        // The title stays.
        while (ObjectCount(Kind) >= 2) KindManager(Kind).GetItem(1)->Free();
        return;
    }
    KindManager(Kind).Clear();
    InvalidateNow();
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
