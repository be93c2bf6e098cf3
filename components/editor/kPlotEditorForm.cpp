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

// The top-level tab of each kind's page.
constexpr const char* KindTabSheets[] = {"ToolBarTabSheet",  "LegendTabSheet",   "TablesTabSheet", "XAxesTabSheet",
                                         "YAxesTabSheet",    "ChannelsTabSheet", "DataViewTabSheet",
                                         "CursorsTabSheet",  "LimitsTabSheet",   "LabelsTabSheet"};
static_assert(std::size(KindTabSheets) == kpokLabel + 1);

// The page controls whose active page the master manager keeps.
struct TPageIndexField {
    Integer TkPlotEditorPageIndexes::*Field;
    const char* PageControl;
};
constexpr TPageIndexField PageIndexFields[] = {
    {&TkPlotEditorPageIndexes::MainPageControlIndex, "PageControl"},
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

String ListBoxName(TkPlotObjectKind Kind) { return String(PlotEditorPage(Kind).Prefix) + "ListBox"; }

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
    for (Integer kind = kpokToolBar; kind <= kpokLabel; ++kind)
        FLists[kind] = std::make_unique<TListAdapter>(Require<TkComponentEditorListBox>(ListBoxName(TkPlotObjectKind(kind))));
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
        for (const TkPlotEditorRow& row : Page.Rows) Require<TkEditorValueControl>(row.Control).SetOnUserChange(Handler);
    };
    for (Integer each = kpokToolBar; each <= kpokLabel; ++each) {
        const auto kind = TkPlotObjectKind(each);
        bind(PlotEditorPage(kind), [this, kind](TObject*) { Controller().Change(kind); });
        // A name list shows the plot's names as they are when it opens.
        for (const TkPlotEditorRow& row : PlotEditorPage(kind).Rows)
            if (row.Kind == kecNameCombo)
                Require<TComboBox>(row.Control).OnDropDown = [this, kind](TObject*) {
                    Controller().RefillNameChoices(kind);
                };
        Require<TControl>(ListBoxName(kind)).OnClick = [this, kind](TObject*) { Controller().ListClick(kind); };
    }
    bind(PlotEditorGeneralPage(), [this](TObject*) { Controller().GeneralChanged(); });
    // The "Title" tab's controls are the title label's, not the plot's.
    bind(PlotEditorTitlePage(), [this](TObject*) { Controller().TitleChange(); });
}

void TkPlotEditorForm::BindButtons()
{
    auto click = [this](const char* Name, std::function<void(TkPlotEditorController&)> Action) {
        Require<TControl>(Name).OnClick = [this, Action = std::move(Action)](TObject*) { Action(Controller()); };
    };
    for (auto [name, kind] : {std::pair{"XAxesAddButton", kpokXAxis}, std::pair{"YAxesAddButton", kpokYAxis},
                              std::pair{"kChannelAddButton", kpokChannel}, std::pair{"kDataCursorAddButton", kpokDataCursor},
                              std::pair{"kLimitAddButton", kpokLimit}, std::pair{"kLabelAddButton", kpokLabel},
                              std::pair{"kTableAddButton", kpokTable}}) {
        click(name, [kind = kind](TkPlotEditorController& c) { c.AddObject(kind); });
        const String remove = String(PlotEditorPage(kind).Prefix) + "RemoveButton";
        Require<TControl>(remove).OnClick = [this, kind = kind](TObject*) { Controller().RemoveSelected(kind); };
    }
    for (auto [prefix, kind] : {std::pair{"XAxis", kpokXAxis}, std::pair{"YAxis", kpokYAxis}})
        for (const char* target : {"Cursor", "Legend"})
            Require<TControl>(String(prefix) + target + "CopyDefaultButton").OnClick =
                [this, kind = kind, target](TObject*) { Controller().CopyDefaultLabelFormat(kind, target); };
    click("ChannelStatsRefreshButton", [](TkPlotEditorController& c) { c.UpdateChannelStats(); });
    click("ChannelLogActivateButton", [](TkPlotEditorController& c) { c.ChannelLogActivate(); });
    click("ChannelLogDeactivateButton", [](TkPlotEditorController& c) { c.ChannelLogDeactivate(); });
    click("ControlLogActivateButton", [](TkPlotEditorController& c) { c.ControlLogActivate(); });
    click("ControlLogDeactivateButton", [](TkPlotEditorController& c) { c.ControlLogDeactivate(); });

    auto picked = [this](const char* Name, std::function<void(const String&)> Action) {
        auto& picker = Require<TkEditorFilePicker>(Name);
        picker.OnChange = [&picker, Action = std::move(Action)](TObject*) { Action(picker.FileName()); };
    };
    picked("ChannelLogFileNamePicker", [this](const String& File) { Controller().ChannelLogFileNamePicked(File); });
    picked("ControlLogFileNamePicker", [this](const String& File) {
        TextField("ControlLogFileNameEdit").SetText(File);
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
    auto& menu = Require<TPopupMenu>("LayoutPopupMenu");
    auto item = [this](const char* Name) -> TMenuItem& { return Require<TMenuItem>(Name); };
    menu.OnPopup = [this, item](TObject*) {
        const TkPlotEditorLayoutMenu state = Controller().LayoutMenuOpened();
        item("XYAxesReverseMenuItem").SetChecked(state.XYAxesReverseChecked);
        item("DeleteMenuItem").SetEnabled(state.DeleteEnabled);
        item("VisibleMenuItem").SetEnabled(state.VisibleEnabled);
        item("VisibleMenuItem").SetChecked(state.VisibleChecked);
        item("EditMenuItem").SetEnabled(state.EditEnabled);
    };
    auto on = [this, item](const char* Name, std::function<void(TkPlotEditorController&)> Action) {
        item(Name).OnClick = [this, Action = std::move(Action)](TObject*) { Action(Controller()); };
    };
    on("XYAxesReverseMenuItem", [](TkPlotEditorController& c) { c.LayoutXYAxesReverse(); });
    on("AddXAxisMenuItem", [](TkPlotEditorController& c) { c.LayoutAdd(kpokXAxis); });
    on("AddYAxisMenuItem", [](TkPlotEditorController& c) { c.LayoutAdd(kpokYAxis); });
    on("AddLabelMenuItem", [](TkPlotEditorController& c) { c.LayoutAdd(kpokLabel); });
    on("DeleteMenuItem", [](TkPlotEditorController& c) { c.LayoutDelete(); });
    on("VisibleMenuItem", [](TkPlotEditorController& c) { c.LayoutToggleVisible(); });
    on("EditMenuItem", [](TkPlotEditorController& c) { c.LayoutEdit(); });
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
    TComponent& component = Require(Name);
    if (auto* edit = dynamic_cast<TkComponentEditorEdit*>(&component)) Enable ? edit->Enable() : edit->DisableNoClear();
    else Require<TControl>(Name).SetEnabled(Enable);
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
    Require<TPageControl>("PageControl").SetActivePage(&Require<TTabSheet>(KindTabSheets[Kind]));
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
