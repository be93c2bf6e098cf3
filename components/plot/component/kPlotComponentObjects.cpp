// The plot's objects: adding and removing them by kind, their index within
// their kind, the translation table and the layout manager.

#include "components/plot/component/kPlotComponent.h"

// ===========================================================================
// Objects
// ===========================================================================

void TkPlotComponent::DeleteObject(TkPlotObject* Object)
{
    Object->Free();
    InvalidateNow();
}

void TkPlotComponent::RemoveAllObjects(TkPlotObjectManagerCustom& Manager)
{
    Manager.Clear();
    InvalidateNow();
}

Integer TkPlotComponent::AddAnnotation()
{
    const Integer index = Master().AddAnnotation();
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

