#include "components/plot/component/kPlotMasterManager.h"

#include <utility>

#include "components/foundation/kRadioGroup.h"
#include "components/plot/objects/kPlotEditorSession.h"
#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"

namespace {

template <class T>
void FreeAndClear(T*& Field)
{
    // Kept until it is gone: the removal reports of the objects it frees
    // reach it as they reach every other manager.
    Free(Field);
    Field = nullptr;
}

}  // namespace

// ===========================================================================
// Life cycle
// ===========================================================================

TkPlotMasterManagerCustom::TkPlotMasterManagerCustom(TkPlotObjectOwner* AOwner,
                                                     const std::function<void(TkPlotReportHost&)>& Seat)
    : FOwner(AOwner), FEditor(std::make_unique<TkPlotEditorSession>(*this, AOwner))
{
    Seat(*this);
}

TkPlotMasterManagerCustom::~TkPlotMasterManagerCustom() = default;

void TkPlotMasterManagerCustom::CreateTranslationManager()
{
    FTranslationManager = Create<TkPlotTranslationManager>(FOwner);
}

void TkPlotMasterManagerCustom::Keep(TkPlotObjectManagerCustom* Manager)
{
    if (const auto index = static_cast<std::size_t>(Manager->Kind()); index < PlotObjectKindCount)
        FManagers[index] = Manager;
}

void TkPlotMasterManagerCustom::BeforeDestruction()
{
    FEditor->FreeForm();
    // The lists that do not own their objects go first, while every object
    // is alive: after ShutDownSetup the objects no longer report their ends,
    // so these lists would keep them past their owners' Clear. Each field is
    // cleared once its manager is gone.
    FreeAndClear(FLayoutManager);
    FreeAndClear(FPlotObjectManager);
    for (TkPlotObjectManagerCustom*& manager : FManagers) FreeAndClear(manager);
    FreeAndClear(FTranslationManager);
    TObject::BeforeDestruction();
}

TkPlotObjectManagerCustom* TkPlotMasterManagerCustom::Manager(TkPlotObjectKind Kind) const
{
    const auto index = static_cast<std::size_t>(Kind);
    return index < PlotObjectKindCount ? FManagers[index] : nullptr;
}

// ===========================================================================
// Routing
// ===========================================================================

void TkPlotMasterManagerCustom::Inserted(TkPlotObject& Object)
{
    InsertPlotObject(&Object);
    if (FListener) FListener->ObjectAdded(Object);
}

void TkPlotMasterManagerCustom::InsertPlotObject(TkPlotObject* AObject)
{
    if (FPlotObjectManager) FPlotObjectManager->NotificationInsert(AObject);
    // The layout manager lists layout objects only.
    if (FLayoutManager) FLayoutManager->NotificationInsert(AObject);
    for (TkPlotObjectKind kind : PlotAllKinds)
        if (TkPlotObjectManagerCustom* manager = Manager(kind)) manager->NotificationInsert(AObject);
    AObject->SetUserCanEdit(FUserCanEditObjects);
    AObject->SetXYAxesReversed(FXYAxesReverse);
    FEditor->ObjectAdded(AObject);
    CountAxisChange(AObject);
}

void TkPlotMasterManagerCustom::Removed(TObject& Member)
{
    // The plot drops its own references first; an entry of the translation
    // table leaves its table itself.
    if (FListener) FListener->MemberRemoving(Member);
    if (auto* object = dynamic_cast<TkPlotObject*>(&Member)) RemovePlotObject(object);
}

void TkPlotMasterManagerCustom::RemovePlotObject(TkPlotObject* AObject)
{
    FEditor->ObjectRemoved(AObject);
    if (FPlotObjectManager) FPlotObjectManager->NotificationRemove(AObject);
    if (FLayoutManager) FLayoutManager->NotificationRemove(AObject);
    for (TkPlotObjectKind each : PlotAllKinds)
        if (TkPlotObjectManagerCustom* manager = Manager(each)) manager->NotificationRemove(AObject);
    CountAxisChange(AObject);
}

void TkPlotMasterManagerCustom::Renamed(TkPlotObject& Object)
{
    TkPlotObject* object = &Object;
    for (TkPlotObjectKind kind : PlotAllKinds)
        if (TkPlotObjectManagerCustom* manager = Manager(kind)) manager->NotificationRename(object);
    if (FLayoutManager) FLayoutManager->NotificationRename(object);
    FEditor->ObjectRenamed(object);
    CountAxisChange(object);
}

// Counted once the managers know of the change: a lookup that a report
// made on the way saw the axes before it, and must not count as current.
void TkPlotMasterManagerCustom::CountAxisChange(const TkPlotObject* AObject)
{
    if (IsAxisKind(AObject->Kind())) ++FAxesVersion;
}

void TkPlotMasterManagerCustom::Selected(TkPlotObject& Object)
{
    for (TkPlotObjectKind kind : PlotAllKinds)
        if (TkPlotObjectManagerCustom* manager = Manager(kind)) manager->NotificationSetFocus(&Object);
    if (FLayoutManager) FLayoutManager->NotificationSetFocus(&Object);
}

void TkPlotMasterManagerCustom::Changed()
{
    if (FListener) FListener->ObjectsChanged(*this);
}

void TkPlotMasterManagerCustom::LayoutChanged(TkPlotObject& Object)
{
    if (FLayoutManager) FLayoutManager->NotificationLayoutChange(&Object);
}

void TkPlotMasterManagerCustom::EditRequested(TkPlotObject& Object) { FEditor->EditObject(&Object); }

void TkPlotMasterManagerCustom::RepaintNow()
{
    if (FListener) FListener->RepaintNow();
}

// ===========================================================================
// Objects
// ===========================================================================

Integer TkPlotMasterManagerCustom::AddObject(TkPlotObjectKind Kind)
{
    TkPlotObjectManagerCustom* manager = Manager(Kind);
    if (!manager) return -1;
    TkPlotObject* object = manager->CreateObject();
    const TWeakRef<TkPlotObject> alive(object);
    object->DoInsert();
    // The plot's add event runs inside DoInsert and may add or remove
    // objects: the index is looked up, not assumed to be the last.
    return alive ? manager->GetIndex(object) : -1;
}

Integer TkPlotMasterManagerCustom::AddTranslation() { return FTranslationManager->Add(); }

void TkPlotMasterManagerCustom::SetUserCanEditObjects(bool Value)
{
    FUserCanEditObjects = Value;
    ForEachObjectOf(PlotAllKinds, [Value](TkPlotObject* object) { object->SetUserCanEdit(Value); });
}

void TkPlotMasterManagerCustom::SetXYAxesReverse(bool Value)
{
    FXYAxesReverse = Value;
    if (FLayoutManager) FLayoutManager->SetXYAxesReverse(Value);
    ForEachObjectOf(PlotAllKinds, [Value](TkPlotObject* object) { object->SetXYAxesReversed(Value); });
    RepaintNow();
}

void TkPlotMasterManagerCustom::ShowToolBars(bool Value)
{
    ForEachObjectOf(kpokToolBar, [Value](TkPlotObject* toolbar) { toolbar->SetVisible(Value); });
}

void TkPlotMasterManagerCustom::DeSelectAll()
{
    if (FPlotObjectManager) FPlotObjectManager->ClearAllUserSelections();
}

// ===========================================================================
// Editor
// ===========================================================================

void TkPlotMasterManagerCustom::EditProperties() { FEditor->EditProperties(); }

namespace {

String Translated(const TkPlotTranslationManager& Table, const String& Text)
{
    String result;
    Table.FindReplacement(Text, result);
    return result;
}

// Captions only: what an edit or a combo box holds is the user's data.
void TranslateCaption(const TkPlotTranslationManager& Table, TControl* Control)
{
    if (dynamic_cast<TCustomEdit*>(Control) || dynamic_cast<TComboBox*>(Control)) return;
    Control->SetText(Translated(Table, Control->Text()));
}

void TranslateItems(const TkPlotTranslationManager& Table, TStrings& Items)
{
    for (Integer i = 0; i < Items.Count(); ++i) Items.SetStrings(i, Translated(Table, Items.Strings(i)));
}

void TranslateMenu(const TkPlotTranslationManager& Table, TMenu& Menu)
{
    TMenuItem* items = Menu.Items();
    for (Integer i = 0; i < items->Count(); ++i)
        items->Items(i)->SetCaption(Translated(Table, items->Items(i)->Caption()));
}

}  // namespace

void TkPlotMasterManagerCustom::TranslateEditorForm(TControl* Control)
{
    if (FEditor->Closing()) return;
    if (!Control || !FTranslationManager || FTranslationManager->Count() == 0) return;
    const TkPlotTranslationManager& table = *FTranslationManager;
    TranslateCaption(table, Control);
    for (Integer i = 0; i < Control->ComponentCount(); ++i) {
        TComponent* component = Control->Components(i);
        if (auto* control = dynamic_cast<TControl*>(component)) TranslateCaption(table, control);
        if (auto* combo = dynamic_cast<TComboBox*>(component)) TranslateItems(table, *combo->Items());
        if (auto* menu = dynamic_cast<TPopupMenu*>(component)) TranslateMenu(table, *menu);
        // A radio group's caption is its own, apart from the window text.
        if (auto* radio = dynamic_cast<TkRadioGroup*>(component)) {
            radio->SetCaption(Translated(table, radio->Caption()));
            TranslateItems(table, *radio->Items());
        }
    }
}
