#include "components/editor/kPlotEditorForm.h"

#include "components/editor/kEditorControls.h"
#include "components/editor/kEditorEdit.h"
#include "components/editor/kEditorListBox.h"
#include "components/editor/kEditorPickers.h"
#include "components/editor/kPlotLayoutViewer.h"
#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/input/kPlotDataCursor.h"
#include "components/plot/view/kPlotLimit.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"

namespace {

// The page control whose tabs are the kinds' pages and the general pages.
constexpr const char* MainPageControl = "PageControl";

// The page controls whose active page the editor's session keeps.
struct TPageIndexField {
    Integer TkPlotEditorPageIndexes::*Field;
    const char* PageControl;
};
constexpr TPageIndexField PageIndexFields[] = {
    {&TkPlotEditorPageIndexes::MainPageControlIndex, MainPageControl},
    {&TkPlotEditorPageIndexes::ControlPageControlIndex, "ControlPageControl"},
    {&TkPlotEditorPageIndexes::ChannelPageControlIndex, "ChannelPageControl"},
    {&TkPlotEditorPageIndexes::XAxisPageControlIndex, "XAxisPageControl"},
    {&TkPlotEditorPageIndexes::XAxisLabelsPageControlIndex, "XAxisLabelsPageControl"},
    {&TkPlotEditorPageIndexes::YAxisPageControlIndex, "YAxisPageControl"},
    {&TkPlotEditorPageIndexes::YAxisLabelsPageControlIndex, "YAxisLabelsPageControl"},
    {&TkPlotEditorPageIndexes::DataCursorPageControlIndex, "DataCursorPageControl"},
    {&TkPlotEditorPageIndexes::LimitPageControlIndex, "LimitPageControl"},
    {&TkPlotEditorPageIndexes::LabelPageControlIndex, "LabelPageControl"},
    {&TkPlotEditorPageIndexes::LegendPageControlIndex, "LegendPageControl"},
    {&TkPlotEditorPageIndexes::TablePageControlIndex, "TablePageControl"},
    {&TkPlotEditorPageIndexes::DataViewPageControlIndex, "DataViewPageControl"}};

// The layout popup's items: what each does, and which state of the popup
// enables or checks it.
struct TLayoutMenuItem {
    const char* Item;
    void (*Action)(TkPlotEditorController&);
    bool TkPlotEditorLayoutMenu::*Enabled = nullptr;
    bool TkPlotEditorLayoutMenu::*Checked = nullptr;
};
const TLayoutMenuItem LayoutMenuItems[] = {
    {"XYAxesReverseMenuItem", [](TkPlotEditorController& c) { c.LayoutXYAxesReverse(); }, nullptr,
     &TkPlotEditorLayoutMenu::XYAxesReverseChecked},
    {"AddXAxisMenuItem", [](TkPlotEditorController& c) { c.AddObject(kpokXAxis); }},
    {"AddYAxisMenuItem", [](TkPlotEditorController& c) { c.AddObject(kpokYAxis); }},
    {"AddLabelMenuItem", [](TkPlotEditorController& c) { c.AddObject(kpokLabel); }},
    {"DeleteMenuItem", [](TkPlotEditorController& c) { c.LayoutDelete(); }, &TkPlotEditorLayoutMenu::DeleteEnabled},
    {"VisibleMenuItem", [](TkPlotEditorController& c) { c.LayoutToggleVisible(); },
     &TkPlotEditorLayoutMenu::VisibleEnabled, &TkPlotEditorLayoutMenu::VisibleChecked},
    {"EditMenuItem", [](TkPlotEditorController& c) { c.LayoutEdit(); }, &TkPlotEditorLayoutMenu::EditEnabled}};

// The colour a list row shows beside an object's name, by the object's
// kind; false for the kinds whose rows show none.
bool RowColor(TkPlotObject& AObject, TColor& Color)
{
    switch (AObject.Kind()) {
    case kpokXAxis:
    case kpokYAxis: Color = static_cast<TkPlotAxis&>(AObject).LabelsFont()->Color(); return true;
    case kpokChannel: Color = static_cast<TkPlotChannelCustom&>(AObject).Color(); return true;
    case kpokDataCursor: Color = static_cast<TkPlotDataCursor&>(AObject).Color(); return true;
    case kpokLimit: Color = static_cast<TkPlotLimit&>(AObject).Color(); return true;
    default: return false;
    }
}

// Switches one control on or off; a value control blanks itself when off
// (a spin button's setter switches its edit too).
void SwitchControl(TComponent* Component, bool Enable)
{
    if (auto* value = dynamic_cast<TkEditorValueControl*>(Component)) Enable ? value->Enable() : value->Disable();
    else if (auto* control = dynamic_cast<TControl*>(Component)) control->SetEnabled(Enable);
}

}  // namespace

// ===========================================================================
// The object lists
// ===========================================================================

class TkPlotEditorForm::TListAdapter final : public TkPlotEditorObjectList {
public:
    explicit TListAdapter(TkComponentEditorListBox& AList) : FList(AList)
    {
        FList.OnGetData = [this](TObject*, Integer Index, bool& DrawColorBox, TColor& AColor, String& AText) {
            if (Index < 0 || Index >= Count()) return;
            TkPlotObject* object = Object(Index);
            AText = object->Name();
            DrawColorBox = RowColor(*object, AColor);
        };
    }

    Integer ItemIndex() const override { return FList.ItemIndex(); }
    void SetItemIndex(Integer Value) override { FList.SetItemIndex(Value); }
    Integer Count() const override { return FList.Items()->Count(); }
    TkPlotObject* Object(Integer Index) const override
    {
        return static_cast<TkPlotObject*>(FList.Items()->Objects(Index));
    }
    void AddObject(const String& Name, TkPlotObject* AObject) override { FList.Items()->AddObject(Name, AObject); }
    void SetName(Integer Index, const String& Name) override { FList.Items()->SetStrings(Index, Name); }
    void Clear() override { FList.Items()->Clear(); }
    void DeleteObjectIndex(TkPlotObject* AObject) override { FList.DeleteObjectIndex(AObject); }
    void DeleteSelectedObject() override { FList.DeleteSelectedObject(); }
    void Repaint() override { FList.Invalidate(); }

private:
    TkComponentEditorListBox& FList;
};

// ===========================================================================
// Making the dialog
// ===========================================================================

TClass TkPlotEditorForm::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TkPlotEditorForm, TkCustomEditorForm>("TkPlotEditorForm").Build();
    return &info;
}

TkPlotEditorForm::TkPlotEditorForm(TComponent* AOwner, TkPlotComponent& APlot) : TkPlotEditorLinkedForm(AOwner, APlot)
{
}

TkPlotEditorForm::~TkPlotEditorForm() = default;

void TkPlotEditorForm::AfterConstruction()
{
    TkPlotEditorLinkedForm::AfterConstruction();  // reads the form data
    SetBorderStyle(bsDialog);
    IndexComponents();
    for (TkPlotObjectKind kind : PlotEditorKinds)
        FLists[kind] =
            std::make_unique<TListAdapter>(Require<TkComponentEditorListBox>(PlotEditorPage(kind).ListBox()));
    BindPages();
    BindButtons();
    BindLayoutViewer();
    BindLayoutMenu();
    // Before any page is loaded: what the controls come to hold is data.
    Plot().Master().TranslateEditorForm(this);
    SetFormTranslationMethod([&Master = Plot().Master()](TCustomForm* Form) { Master.TranslateEditorForm(Form); });
}

void TkPlotEditorForm::SetFormTranslationMethod(const TFormTranslationMethod& Method)
{
    for (Integer i = 0; i < ComponentCount(); ++i)
        if (auto* picker = dynamic_cast<TkComponentEditorValueConverterPicker*>(Components(i)))
            picker->TranslationMethod = Method;
}

void TkPlotEditorForm::IndexComponents()
{
    FComponents.reserve(static_cast<std::size_t>(ComponentCount()));
    for (Integer i = 0; i < ComponentCount(); ++i) FComponents.emplace(UpperCase(Components(i)->Name()), Components(i));
}

TComponent* TkPlotEditorForm::Component(const String& Name) const
{
    auto it = FComponents.find(UpperCase(Name));
    return it == FComponents.end() ? nullptr : it->second;
}

TComponent& TkPlotEditorForm::Require(const String& Name) const
{
    TComponent* component = Component(Name);
    if (!component) throw EComponentError(Format("The plot editor has no control named %s", Name));
    return *component;
}

template <class T>
T& TkPlotEditorForm::Require(const String& Name) const
{
    auto* component = dynamic_cast<T*>(&Require(Name));
    if (!component) throw EComponentError(Format("The plot editor's control %s is of the wrong kind", Name));
    return *component;
}

// ===========================================================================
// Events
// ===========================================================================

void TkPlotEditorForm::BindPages()
{
    auto bind = [this](const TkPlotEditorPage& Page, const TNotifyEvent& Handler) {
        for (const TkPlotEditorRow& row : Page.Rows)
            Require<TkEditorValueControl>(row.Control).SetOnUserChange(Handler);
    };
    for (TkPlotObjectKind kind : PlotEditorKinds) {
        bind(PlotEditorPage(kind), [this, kind](TObject*) { Controller().Change(kind); });
        // A name list shows the plot's names as they are when it opens.
        for (const TkPlotEditorRow& row : PlotEditorPage(kind).Rows)
            if (row.Kind == kecNameCombo)
                Require<TComboBox>(row.Control).OnDropDown = [this, kind](TObject*) {
                    Controller().RefillNameChoices(kind);
                };
        Require<TControl>(PlotEditorPage(kind).ListBox()).OnClick = [this, kind](TObject*) {
            Controller().ListClick(kind);
        };
    }
    bind(PlotEditorGeneralPage(), [this](TObject*) { Controller().GeneralChanged(); });
    // The "Title" tab's controls are the title label's, not the plot's.
    bind(PlotEditorTitlePage(), [this](TObject*) { Controller().TitleChange(); });
}

void TkPlotEditorForm::BindButtons()
{
    auto click = [this](const String& Name, std::function<void(TkPlotEditorController&)> Action) {
        Require<TControl>(Name).OnClick = [this, Action = std::move(Action)](TObject*) { Action(Controller()); };
    };
    for (TkPlotObjectKind kind : PlotEditorKinds) {
        const TkPlotEditorPage& page = PlotEditorPage(kind);
        if (!page.AddButton) continue;
        click(page.AddButton, [kind](TkPlotEditorController& c) { c.AddObject(kind); });
        click(page.RemoveButton(), [kind](TkPlotEditorController& c) { c.RemoveSelected(kind); });
    }
    for (TkPlotObjectKind kind : {kpokXAxis, kpokYAxis})
        for (const char* target : {"Cursor", "Legend"})
            click(String(PlotEditorPage(kind).Prefix) + target + "CopyDefaultButton",
                  [kind, target](TkPlotEditorController& c) { c.CopyDefaultLabelFormat(kind, target); });
    click("ChannelStatsRefreshButton", [](TkPlotEditorController& c) { c.UpdateChannelStats(); });
    click(PlotEditorChannelLog.ActivateButton, [](TkPlotEditorController& c) { c.ChannelLogActivate(); });
    click(PlotEditorChannelLog.DeactivateButton, [](TkPlotEditorController& c) { c.ChannelLogDeactivate(); });
    click(PlotEditorControlLog.ActivateButton, [](TkPlotEditorController& c) { c.ControlLogActivate(); });
    click(PlotEditorControlLog.DeactivateButton, [](TkPlotEditorController& c) { c.ControlLogDeactivate(); });

    auto picked = [this](const char* Name, std::function<void(const String&)> Action) {
        auto& picker = Require<TkEditorFilePicker>(Name);
        picker.OnChange = [&picker, Action = std::move(Action)](TObject*) { Action(picker.FileName()); };
    };
    picked(PlotEditorChannelLog.FileNamePicker,
           [this](const String& File) { Controller().ChannelLogFileNamePicked(File); });
    picked(PlotEditorControlLog.FileNamePicker, [this](const String& File) {
        TextField(PlotEditorControlLog.FileNameEdit).SetText(File);
        Controller().GeneralChanged();
    });
    picked("ControlPropertiesOpenPicker", [this](const String& File) { Controller().ControlPropertiesOpen(File); });
    picked("ControlPropertiesSavePicker", [this](const String& File) { Plot().SavePropertiesToFile(File); });
    picked("ControlDataOpenPicker", [this](const String& File) { Plot().ReplaceDataFromFile(File); });
    picked("ControlDataSavePicker", [this](const String& File) { Plot().SaveDataToFile(File); });
    picked("ControlAnnotationOpenPicker", [this](const String& File) { Plot().LoadAnnotationsFromFile(File); });
    picked("ControlAnnotationSavePicker", [this](const String& File) { Plot().SaveAnnotationsToFile(File); });
    picked("ChannelPropertiesOpenPicker", [this](const String& File) { Controller().ChannelPropertiesOpen(File); });
    picked("ChannelPropertiesSavePicker", [this](const String& File) { Controller().ChannelPropertiesSave(File); });
    picked("ChannelDataOpenPicker", [this](const String& File) { Controller().ChannelDataOpen(File); });
    picked("ChannelDataSavePicker", [this](const String& File) { Controller().ChannelDataSave(File); });
}

void TkPlotEditorForm::BindLayoutViewer()
{
    auto& viewer = Require<TkPlotLayoutViewer>("kPlotLayoutViewer");
    TkPlotMasterManager& master = Plot().Master();
    viewer.SetMaster(&master);
    viewer.SetLayoutManager(master.LayoutManager());
    viewer.SetTranslationManager(master.TranslationManager());
    viewer.OnChange = [this](TObject*) { Controller().UpdateAll(); };
    viewer.OnMouseDown = [this, &viewer](TObject*, TMouseButton, TShiftState, Integer X, Integer Y) {
        Controller().LayoutPressed(viewer.GetMouseOverBlock(X, Y));
    };
}

void TkPlotEditorForm::BindLayoutMenu()
{
    for (const TLayoutMenuItem& entry : LayoutMenuItems)
        Require<TMenuItem>(entry.Item).OnClick = [this, &entry](TObject*) { entry.Action(Controller()); };
    Require<TPopupMenu>("LayoutPopupMenu").OnPopup = [this](TObject*) {
        const TkPlotEditorLayoutMenu state = Controller().LayoutMenuOpened();
        for (const TLayoutMenuItem& entry : LayoutMenuItems) {
            TMenuItem& item = Require<TMenuItem>(entry.Item);
            if (entry.Enabled) item.SetEnabled(state.*entry.Enabled);
            if (entry.Checked) item.SetChecked(state.*entry.Checked);
        }
    };
}

// ===========================================================================
// Fields
// ===========================================================================

template <class Field>
Field& TkPlotEditorForm::FieldOf(const String& Name, TMaker Make)
{
    std::unique_ptr<TkPlotEditorKitField>& slot = FFields[UpperCase(Name)];
    if (!slot) slot = Make(&Require(Name));
    auto* field = dynamic_cast<Field*>(slot.get());
    if (!field) throw EComponentError(Format("The plot editor's control %s is of the wrong kind", Name));
    return *field;
}

TkPlotEditorTextField& TkPlotEditorForm::TextField(const String& Name)
{
    return FieldOf<TkPlotEditorTextField>(Name, MakeKitTextField);
}

TkPlotEditorCheckField& TkPlotEditorForm::CheckField(const String& Name)
{
    return FieldOf<TkPlotEditorCheckField>(Name, MakeKitCheckField);
}

TkPlotEditorChoiceField& TkPlotEditorForm::ChoiceField(const String& Name)
{
    return FieldOf<TkPlotEditorChoiceField>(Name, MakeKitChoiceField);
}

TkPlotEditorColorField& TkPlotEditorForm::ColorField(const String& Name)
{
    return FieldOf<TkPlotEditorColorField>(Name, MakeKitColorField);
}

TkPlotEditorFontField& TkPlotEditorForm::FontField(const String& Name)
{
    return FieldOf<TkPlotEditorFontField>(Name, MakeKitFontField);
}

// ===========================================================================
// Surface
// ===========================================================================

TkPlotEditorObjectList& TkPlotEditorForm::List(TkPlotObjectKind Kind) { return *FLists.at(Kind); }

const std::vector<TComponent*>& TkPlotEditorForm::PrefixedControls(const String& Prefix)
{
    auto [it, added] = FPrefixed.try_emplace(UpperCase(Prefix));
    if (!added) return it->second;
    const String prefix = it->first;
    for (Integer i = 0; i < ComponentCount(); ++i) {
        TComponent* component = Components(i);
        if (dynamic_cast<TPageControl*>(component) || dynamic_cast<TTabSheet*>(component) ||
            dynamic_cast<TCustomLabel*>(component))
            continue;
        if (UpperCase(component->Name()).starts_with(prefix)) it->second.push_back(component);
    }
    return it->second;
}

void TkPlotEditorForm::EnableControls(const String& Prefix, bool Enable)
{
    for (TComponent* component : PrefixedControls(Prefix)) SwitchControl(component, Enable);
}

void TkPlotEditorForm::SetControlEnabled(const String& Name, bool Enable)
{
    // Never blanked: an edit keeps its text (what its page writes back).
    Require<TControl>(Name).SetEnabled(Enable);
}

void TkPlotEditorForm::SetControlVisible(const String& Name, bool Visible)
{
    if (auto* sheet = dynamic_cast<TTabSheet*>(&Require(Name))) sheet->SetTabVisible(Visible);
    else Require<TControl>(Name).SetVisible(Visible);
}

void TkPlotEditorForm::SetCaption(const String& Name, const String& Text) { Require<TControl>(Name).SetText(Text); }

void TkPlotEditorForm::SetFileName(const String& Picker, const String& FileName)
{
    Require<TkEditorFilePicker>(Picker).SetFileName(FileName);
}

void TkPlotEditorForm::ShowKindPage(TkPlotObjectKind Kind)
{
    Require<TPageControl>(MainPageControl).SetActivePage(&Require<TTabSheet>(PlotEditorPage(Kind).TabSheet));
}

TkPlotEditorPageIndexes TkPlotEditorForm::PageIndexes() const
{
    TkPlotEditorPageIndexes indexes;
    for (const TPageIndexField& f : PageIndexFields) indexes.*f.Field = Require<TPageControl>(f.PageControl).ActivePageIndex();
    return indexes;
}

void TkPlotEditorForm::SetPageIndexes(const TkPlotEditorPageIndexes& Value)
{
    for (const TPageIndexField& f : PageIndexFields) {
        TPageControl& pages = Require<TPageControl>(f.PageControl);
        if (Value.*f.Field >= 0 && Value.*f.Field < pages.PageCount()) pages.SetActivePageIndex(Value.*f.Field);
    }
}

void kPlotEditorFormInitialization()
{
    RegisterClasses({TkPlotLayoutViewer::StaticClassInfo(), TkPlotEditorForm::StaticClassInfo()});
    SetPlotEditorFormMaker([](TComponent* Plot, TkPlotMasterManagerCustom*) -> TkPlotEditorFormLink* {
        auto* plot = dynamic_cast<TkPlotComponent*>(Plot);
        return plot ? Create<TkPlotEditorForm>(Plot, *plot) : nullptr;
    });
}
