#include "components/plot/objects/kPlotMasterManager.h"

#include <utility>

#include "components/foundation/kRadioGroup.h"
#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"

namespace {

// The kinds in the order in which settings are copied to their objects.
constexpr std::initializer_list<TkPlotObjectKind> SettingsOrder = {
    kpokChannel, kpokXAxis, kpokYAxis, kpokDataView, kpokToolBar, kpokLegend,
    kpokTable, kpokDataCursor, kpokLimit, kpokLabel, kpokAnnotation};

// The kinds in the order in which reports reach their managers.
constexpr std::initializer_list<TkPlotObjectKind> RoutingOrder = {
    kpokToolBar, kpokLegend, kpokTable, kpokXAxis, kpokYAxis, kpokChannel,
    kpokDataView, kpokDataCursor, kpokLimit, kpokLabel, kpokAnnotation};

// The kinds with a page in the editor.
bool HasEditorPage(TkPlotObjectKind Kind) { return Kind != kpokAnnotation && Kind != kpokNone; }

// The kinds the editor can switch to for an object's "Edit..." (labels and
// annotations open the editor where it stands).
bool EditorShowsKind(TkPlotObjectKind Kind) { return HasEditorPage(Kind) && Kind != kpokLabel; }

// The kinds that other objects refer to by name.
bool IsNamedReference(TkPlotObjectKind Kind)
{
    return Kind == kpokXAxis || Kind == kpokYAxis || Kind == kpokChannel;
}

TkPlotEditorFormMaker& EditorFormMaker()
{
    static TkPlotEditorFormMaker maker;
    return maker;
}

template <class T>
void FreeAndClear(T*& Field)
{
    // The manager's end report clears the field too; a local copy keeps the
    // pointer for Free.
    T* manager = Field;
    Free(manager);
    Field = nullptr;
}

}  // namespace

void SetPlotEditorFormMaker(TkPlotEditorFormMaker Maker) { EditorFormMaker() = std::move(Maker); }

// ===========================================================================
// Life cycle
// ===========================================================================

TkPlotMasterManagerCustom::TkPlotMasterManagerCustom(TkPlotObjectOwner* AOwner) : FOwner(AOwner) {}

void TkPlotMasterManagerCustom::CreateTranslationManager()
{
    Create<TkPlotTranslationManager>(InsertHandler(), RemoveHandler());
}

void TkPlotMasterManagerCustom::BeforeDestruction()
{
    if (FEditorForm) {
        TkPlotEditorFormLink* editor = std::exchange(FEditorForm, nullptr);
        editor->Form()->Free();
    }
    // The lists that do not own their objects go first, while every object
    // is alive: after ShutDownSetup the objects no longer report their ends,
    // so these lists would keep them past their owners' Clear.
    FreeAndClear(FLayoutManager);
    FreeAndClear(FPlotObjectManager);
    for (TkPlotObjectKind kind : {kpokToolBar, kpokLegend, kpokTable, kpokChannel, kpokXAxis, kpokYAxis,
                                  kpokDataView, kpokDataCursor, kpokLimit, kpokLabel, kpokAnnotation})
        FreeAndClear(FManagers[kind]);
    FreeAndClear(FTranslationManager);
    TObject::BeforeDestruction();
}

TkPlotObjectManagerCustom* TkPlotMasterManagerCustom::Manager(TkPlotObjectKind Kind) const
{
    const auto index = static_cast<std::size_t>(Kind);
    return index < PlotObjectKindCount ? FManagers[index] : nullptr;
}

TNotifyEvent TkPlotMasterManagerCustom::ChangeHandler()
{
    return [this](TObject*) { DoChange(); };
}

TNotifyEvent TkPlotMasterManagerCustom::InsertHandler()
{
    return [this](TObject* Sender) { NotificationInsert(Sender); };
}

TNotifyEvent TkPlotMasterManagerCustom::RemoveHandler()
{
    return [this](TObject* Sender) { NotificationRemove(Sender); };
}

TNotifyEvent TkPlotMasterManagerCustom::RenameHandler()
{
    return [this](TObject* Sender) { NotificationRename(Sender); };
}

// ===========================================================================
// Routing
// ===========================================================================

void TkPlotMasterManagerCustom::NotificationInsert(TObject* AObject)
{
    if (auto* object = dynamic_cast<TkPlotObject*>(AObject)) {
        InsertPlotObject(object);
    } else if (auto* entry = dynamic_cast<TkPlotTranslationObject*>(AObject)) {
        if (FTranslationManager) FTranslationManager->NotificationInsert(entry);
    } else {
        StoreManager(AObject);
    }
    if (FOnInsert) FOnInsert(AObject);
}

void TkPlotMasterManagerCustom::InsertPlotObject(TkPlotObject* AObject)
{
    if (FPlotObjectManager) FPlotObjectManager->NotificationInsert(AObject);
    if (FLayoutManager && dynamic_cast<TkPlotLayoutObject*>(AObject)) FLayoutManager->NotificationInsert(AObject);
    for (TkPlotObjectKind kind : RoutingOrder)
        if (TkPlotObjectManagerCustom* manager = Manager(kind)) manager->NotificationInsert(AObject);

    AObject->SetOnSetFocus([this](TObject* Sender) { NotificationSetFocus(Sender); });
    // Forwarded rather than copied: the plot may set its hook later.
    AObject->SetOnInvalidateNow([this](TObject* Sender) {
        if (FOnInvalidateNow) FOnInvalidateNow(Sender);
    });
    AObject->SetUserCanEdit(FUserCanEditObjects);
    AObject->SetOnEdit([this](TObject* Sender) { EditObject(Sender); });
    AObject->SetXYAxesReversed(FXYAxesReverse);

    const TkPlotObjectKind kind = ObjectKind(AObject);
    if (TkPlotEditorFormLink* editor = LiveEditor(); editor && HasEditorPage(kind)) editor->ObjectAdded(kind, AObject);
}

void TkPlotMasterManagerCustom::NotificationRemove(TObject* AObject)
{
    // The plot drops its own references first.
    if (FOnRemove) FOnRemove(AObject);
    if (auto* entry = dynamic_cast<TkPlotTranslationObject*>(AObject)) {
        if (FTranslationManager) FTranslationManager->NotificationRemove(entry);
    } else if (auto* object = dynamic_cast<TkPlotObject*>(AObject)) {
        RemovePlotObject(object);
    } else {
        ForgetManager(AObject);
    }
}

void TkPlotMasterManagerCustom::RemovePlotObject(TkPlotObject* AObject)
{
    const TkPlotObjectKind kind = ObjectKind(AObject);
    if (TkPlotEditorFormLink* editor = LiveEditor(); editor && HasEditorPage(kind))
        editor->ObjectRemoved(kind, AObject);
    if (FPlotObjectManager) FPlotObjectManager->NotificationRemove(AObject);
    if (FLayoutManager) FLayoutManager->NotificationRemove(AObject);
    for (TkPlotObjectKind each : RoutingOrder)
        if (TkPlotObjectManagerCustom* manager = Manager(each)) manager->NotificationRemove(AObject);
}

void TkPlotMasterManagerCustom::NotificationRename(TObject* AObject)
{
    auto* object = dynamic_cast<TkPlotObject*>(AObject);
    if (!object) return;
    for (TkPlotObjectKind kind : RoutingOrder)
        if (TkPlotObjectManagerCustom* manager = Manager(kind)) manager->NotificationRename(object);
    if (FLayoutManager) FLayoutManager->NotificationRename(object);
    // A new object being named is no rename for the editor: no choice can
    // show it yet, and an empty choice must not take its name.
    const TkPlotObjectKind kind = ObjectKind(object);
    if (TkPlotEditorFormLink* editor = LiveEditor(); editor && IsNamedReference(kind) && !object->NameOld().empty())
        editor->ObjectRenamed(kind, object);
}

void TkPlotMasterManagerCustom::NotificationSetFocus(TObject* AObject)
{
    auto* object = dynamic_cast<TkPlotObject*>(AObject);
    if (!object) return;
    for (TkPlotObjectKind kind : RoutingOrder)
        if (TkPlotObjectManagerCustom* manager = Manager(kind)) manager->NotificationSetFocus(object);
    if (FLayoutManager) FLayoutManager->NotificationSetFocus(object);
}

void TkPlotMasterManagerCustom::DoChange()
{
    if (FOnChange) FOnChange(this);
}

void TkPlotMasterManagerCustom::StoreManager(TObject* AManager)
{
    if (auto* all = dynamic_cast<TkPlotObjectManager*>(AManager))
        FPlotObjectManager = all;
    else if (auto* layout = dynamic_cast<TkPlotLayoutManager*>(AManager))
        FLayoutManager = layout;
    else if (auto* table = dynamic_cast<TkPlotTranslationManager*>(AManager))
        FTranslationManager = table;
    else if (const TkPlotObjectKind kind = ManagerKind(AManager); kind != kpokNone)
        FManagers[kind] = dynamic_cast<TkPlotObjectManagerCustom*>(AManager);
}

void TkPlotMasterManagerCustom::ForgetManager(const TObject* AManager)
{
    if (AManager == FPlotObjectManager) FPlotObjectManager = nullptr;
    if (AManager == FLayoutManager) FLayoutManager = nullptr;
    if (AManager == FTranslationManager) FTranslationManager = nullptr;
    for (TkPlotObjectManagerCustom*& manager : FManagers)
        if (AManager == manager) manager = nullptr;
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
    ForEachObjectOf(SettingsOrder, [Value](TkPlotObject* object) { object->SetUserCanEdit(Value); });
}

void TkPlotMasterManagerCustom::SetXYAxesReverse(bool Value)
{
    FXYAxesReverse = Value;
    if (FLayoutManager) FLayoutManager->SetXYAxesReverse(Value);
    ForEachObjectOf(SettingsOrder, [Value](TkPlotObject* object) { object->SetXYAxesReversed(Value); });
    if (FOnInvalidateNow) FOnInvalidateNow(this);
}

void TkPlotMasterManagerCustom::ShowToolBars(bool Value)
{
    ForEachObjectOf({kpokToolBar}, [Value](TkPlotObject* toolbar) { toolbar->SetVisible(Value); });
}

void TkPlotMasterManagerCustom::DeSelectAll()
{
    if (FPlotObjectManager) FPlotObjectManager->ClearAllUserSelections();
}

// ===========================================================================
// Editor
// ===========================================================================

TkPlotHost* TkPlotMasterManagerCustom::Host() const { return FOwner ? FOwner->Host() : nullptr; }

TkPlotEditorFormLink* TkPlotMasterManagerCustom::LiveEditor() const
{
    return FEditorForm && !FEditorForm->IsClosing() ? FEditorForm : nullptr;
}

void TkPlotMasterManagerCustom::CreateEditorForm()
{
    TkPlotHost* host = Host();
    const TkPlotEditorFormMaker& maker = EditorFormMaker();
    if (!host || !maker) return;
    TkPlotEditorFormLink* editor = maker(host->PlotComponent(), this);
    if (!editor) return;
    editor->Form()->OnClose = [this](TObject*, TCloseAction&) { FreeEditorForm(); };
    FEditorForm = editor;
    editor->LoadObjects();
    editor->SetPageIndexes(FPageIndexes);
}

void TkPlotMasterManagerCustom::EditProperties()
{
    TkPlotHost* host = Host();
    if (!host) return;
    // An editor showing already (a stay-on-top one) is brought forward, also
    // when the plot's editor style became modal meanwhile.
    if (FEditorForm && FEditorForm->Form()->Visible()) {
        FEditorForm->UpdateAll();
        FEditorForm->Form()->BringToFront();
        return;
    }
    if (!FEditorForm) CreateEditorForm();
    if (FEditorForm) ShowEditor(*host);
}

void TkPlotMasterManagerCustom::ShowEditor(TkPlotHost& Host)
{
    TkPlotEditorFormLink* editor = FEditorForm;
    TCustomForm* form = editor->Form();
    editor->UpdateAll();
    editor->LoadGeneralPages();
    editor->EnableLogControls(Host.LoggingActive());
    form->SetLeft(Screen->Width() / 2 - form->Width() / 2);
    form->SetTop(Screen->Height() / 2 - form->Height() / 2);
    Host.DoAfterOpenEditor(form);
    if (Host.EditorFormStyle() == kpfsStayOnTop) {
        form->SetFormStyle(fsStayOnTop);
        form->Show();
        FPageIndexes = editor->PageIndexes();
        return;
    }
    try {
        form->ShowModal();
    } catch (...) {
        EndModalEditor();
        throw;
    }
    EndModalEditor();
}

void TkPlotMasterManagerCustom::EndModalEditor()
{
    if (!FEditorForm) return;
    FPageIndexes = FEditorForm->PageIndexes();
    // Forgotten before it is freed: handlers that run while the dialog ends
    // may add or remove objects, and must not reach a dialog half gone.
    TkPlotEditorFormLink* editor = std::exchange(FEditorForm, nullptr);
    editor->Form()->Free();
}

void TkPlotMasterManagerCustom::FreeEditorForm()
{
    TkPlotEditorFormLink* editor = FEditorForm;
    if (!editor) return;
    // This handler stands in for the dialog's own close handler, which
    // would have marked it closing.
    editor->SetClosing();
    // A modal dialog is freed once ShowModal returns.
    if (editor->Form()->FormStyle() != fsStayOnTop) return;
    FPageIndexes = editor->PageIndexes();
    FEditorForm = nullptr;
    // Not inside its own close handler: the form goes once closing is over.
    editor->Form()->Release();
}

void TkPlotMasterManagerCustom::EditObject(TObject* AObject)
{
    if (!Host()) return;
    if (!FEditorForm) CreateEditorForm();
    if (!FEditorForm) return;
    auto* object = dynamic_cast<TkPlotObject*>(AObject);
    const TkPlotObjectKind kind = object ? ObjectKind(object) : kpokNone;
    if (EditorShowsKind(kind)) FEditorForm->ShowObject(kind, object);
    EditProperties();
}

void TkPlotMasterManagerCustom::BasicPropertyChanged()
{
    TkPlotEditorFormLink* editor = LiveEditor();
    TkPlotHost* host = Host();
    if (!editor || !host) return;
    // A setter may refuse its value part-way; the log controls must still
    // show whether the plot is logging.
    try {
        editor->WriteGeneralPages();
    } catch (...) {
        editor->EnableLogControls(host->LoggingActive());
        throw;
    }
    editor->EnableLogControls(host->LoggingActive());
}

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
    if (FEditorForm && FEditorForm->IsClosing()) return;
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
