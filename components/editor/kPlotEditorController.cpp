#include "components/editor/kPlotEditorController.h"

#include <utility>

#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/channel/time/kPlotChannel.h"
#include "components/plot/component/kPlotComponent.h"
#include "components/plot/objects/kPlotEditorSession.h"
#include "components/plot/objects/kPlotMasterManager.h"
#include "platform/SysUtils.h"

namespace {

// What only the full channel class draws; an XY channel has none of it.
constexpr const char* FullChannelControls[] = {
    "ChannelFillTabSheet",     "ChannelDigitalTabSheet",           "ChannelHighLowTabSheet",
    "ChannelBarTabSheet",      "ChannelFastDrawCheckBox",          "ChannelInterpolationStyleComboBox",
    "ChannelInterpolationStyleComboBoxLabel"};

constexpr const char* StatsDisplays[] = {
    "ChannelStatsPointCountDisplay", "ChannelStatsPointCapacityDisplay", "ChannelStatsMemoryDisplay",
    "ChannelStatsDataPointSizeDisplay", "ChannelStatsMaxDataPointsDisplay", "ChannelStatsXMinDisplay",
    "ChannelStatsXMaxDisplay", "ChannelStatsXMeanDisplay", "ChannelStatsYMinDisplay", "ChannelStatsYMaxDisplay",
    "ChannelStatsYMeanDisplay"};

// A value as the axis labels it; plain float text without an axis, or
// when the axis's format cannot show it (the extreme seeds of an empty
// channel through a date-time format).
String StatsText(TkPlotAxis* AAxis, Double Value)
{
    if (AAxis) {
        try {
            return AAxis->GetLabelText(Value);
        } catch (const Exception&) {
        }
    }
    return FloatToStr(Value);
}

// The "(Default)" label format controls of an axis page, by the name they
// have on its "Cursor" and "Legend" tabs.
struct TLabelFormatCopy {
    const char* Default;
    const char* Target;
};
constexpr TLabelFormatCopy LabelFormatCopies[] = {
    {"LabelFormatStyleComboBox", "FormatStyleComboBox"},
    {"DateTimeFormatComboBox", "DateTimeFormatComboBox"},
    {"LabelPrecisionStyleComboBox", "PrecisionStyleComboBox"},
    {"LabelPrecisionEdit", "PrecisionEdit"},
    {"LabelMinLengthEdit", "MinLengthEdit"},
    {"LabelMinLengthAutoAdjustCheckBox", "MinLengthAutoAdjustCheckBox"}};

}  // namespace

TkPlotEditorController::TkPlotEditorController(TkPlotComponent& Plot, TkPlotEditorSurface& Surface)
    : FPlot(Plot), FSurface(Surface), FBinder(Surface, Plot.Master())
{
}

TkPlotMasterManager& TkPlotEditorController::Master() const { return FPlot.Master(); }

TkPlotObject* TkPlotEditorController::TitleLabel() const
{
    TkPlotObjectManagerCustom* labels = Master().Manager(kpokLabel);
    return labels && labels->Count() > 0 ? labels->GetItem(0) : nullptr;
}

// ===========================================================================
// Loading pages
// ===========================================================================

void TkPlotEditorController::LoadObjects()
{
    for (TkPlotObjectKind kind : PlotEditorKinds) {
        TkPlotEditorObjectList& list = FSurface.List(kind);
        list.Clear();
        Master().ForEachObjectOf(kind, [&list](TkPlotObject* o) { list.AddObject(o->Name(), o); });
        list.SetItemIndex(list.Count() > 0 ? 0 : -1);
    }
    UpdateAll();
    ClearChannelStats();
}

void TkPlotEditorController::UpdateAll()
{
    for (TkPlotObjectKind kind : PlotEditorKinds) UpdateEdit(kind);
}

void TkPlotEditorController::UpdateEdit(TkPlotObjectKind Kind)
{
    const TkPlotEditorPage& page = PlotEditorPage(Kind);
    TkPlotObject* object = Selected(Kind);
    if (!object) {
        RefillNameChoices(Kind);
        FSurface.EnableControls(page.Prefix, false);
        return;
    }
    FSurface.EnableControls(page.Prefix, true);
    FBinder.Load(page, object);
    if (Kind == kpokLabel && object == TitleLabel()) FSurface.SetControlEnabled(page.RemoveButton(), false);
    if (Kind == kpokChannel) LoadChannelSpecifics(object);
    FSurface.List(Kind).Repaint();
}

void TkPlotEditorController::LoadChannelSpecifics(TkPlotObject* Channel)
{
    const bool full = dynamic_cast<TkPlotChannel*>(Channel) != nullptr;
    for (const char* control : FullChannelControls) FSurface.SetControlVisible(control, full);
    auto* channel = static_cast<TkPlotChannelCustom*>(Channel);
    FSurface.SetFileName(PlotEditorChannelLog.FileNamePicker, channel->LogFileName());
    ShowLogState(PlotEditorChannelLog, channel->LoggingActive());
}

void TkPlotEditorController::ShowLogState(const TkPlotEditorLogControls& Log, bool LoggingActive)
{
    // Disabled, never blanked: the name is written back with the page.
    FSurface.SetControlEnabled(Log.FileNameEdit, !LoggingActive);
    FSurface.SetControlEnabled(Log.FileNamePicker, !LoggingActive);
    FSurface.SetControlEnabled(Log.ActivateButton, !LoggingActive);
    FSurface.SetControlEnabled(Log.DeactivateButton, LoggingActive);
}

void TkPlotEditorController::LoadGeneralPages() { FBinder.Load(PlotEditorGeneralPage(), &FPlot); }

void TkPlotEditorController::WriteGeneralPages() { FBinder.Write(PlotEditorGeneralPage(), &FPlot); }

void TkPlotEditorController::EnableLogControls(bool LoggingActive)
{
    ShowLogState(PlotEditorControlLog, LoggingActive);
}

// ===========================================================================
// The plot's reports, through its editor session
// ===========================================================================

void TkPlotEditorController::ObjectAdded(TkPlotObjectKind Kind, TkPlotObject* AObject)
{
    TkPlotEditorObjectList& list = FSurface.List(Kind);
    if (list.IndexOfObject(AObject) < 0) list.AddObject(AObject->Name(), AObject);
    list.SetItemIndex(list.IndexOfObject(AObject));
    if (IsNamedReferenceKind(Kind)) UpdateAll();
    else UpdateEdit(Kind);
}

void TkPlotEditorController::ObjectRemoved(TkPlotObjectKind Kind, TkPlotObject* AObject)
{
    if (FLayoutObject == AObject) FLayoutObject = nullptr;
    FSurface.List(Kind).DeleteObjectIndex(AObject);
    // The object is still listed by its manager: its name must leave every
    // choice now, or the next write of a page would store it again.
    FBinder.SetLeavingObject(AObject);
    TScopeExit forget([this] { FBinder.SetLeavingObject(nullptr); });
    UpdateAll();
}

void TkPlotEditorController::ObjectRenamed(TkPlotObjectKind Kind, TkPlotObject* AObject)
{
    for (TkPlotObjectKind kind : PlotEditorKinds) RefillNameChoices(kind, AObject);
    TkPlotEditorObjectList& list = FSurface.List(Kind);
    if (const Integer row = list.IndexOfObject(AObject); row >= 0) list.SetName(row, AObject->Name());
    list.Repaint();
}

void TkPlotEditorController::ShowObject(TkPlotObjectKind Kind, TkPlotObject* AObject)
{
    FSurface.ShowKindPage(Kind);
    TkPlotEditorObjectList& list = FSurface.List(Kind);
    list.SetItemIndex(list.IndexOfObject(AObject));
    UpdateEdit(Kind);
}

// ===========================================================================
// Writing pages
// ===========================================================================

void TkPlotEditorController::Change(TkPlotObjectKind Kind)
{
    TkPlotObject* object = Selected(Kind);
    if (!object) return;
    FBinder.Write(PlotEditorPage(Kind), object);
    switch (Kind) {
    case kpokTable:
        return;
    case kpokDataCursor:
    case kpokLimit:
        UpdateEdit(Kind);
        return;
    case kpokLabel:
        UpdateEdit(kpokLabel);
        if (object == TitleLabel()) FBinder.Load(PlotEditorTitlePage(), object);
        return;
    default:
        // A new name or a moved axis shows at once in every page.
        UpdateAll();
    }
}

void TkPlotEditorController::TitleChange()
{
    TkPlotObject* title = TitleLabel();
    if (!title) return;
    FBinder.Write(PlotEditorTitlePage(), title);
    UpdateEdit(kpokLabel);
}

void TkPlotEditorController::GeneralChanged()
{
    Master().Editor().BasicPropertyChanged();
    FSurface.SetFileName(PlotEditorControlLog.FileNamePicker,
                         FSurface.TextField(PlotEditorControlLog.FileNameEdit).Text());
}

void TkPlotEditorController::RefillNameChoices(TkPlotObjectKind Kind, const TkPlotObject* Renamed)
{
    // The axis pages name their own kind: nothing to offer without one.
    if (!IsAxisKind(Kind) || Selected(Kind)) FBinder.RefillNameChoices(PlotEditorPage(Kind), Renamed);
}

void TkPlotEditorController::ListClick(TkPlotObjectKind Kind)
{
    UpdateEdit(Kind);
    if (Kind == kpokChannel) ClearChannelStats();
}

void TkPlotEditorController::AddObject(TkPlotObjectKind Kind)
{
    // The master's insertion report lists, selects and loads the object.
    Master().Add(Kind);
    if (Kind == kpokChannel) ClearChannelStats();
}

void TkPlotEditorController::RemoveSelected(TkPlotObjectKind Kind)
{
    // The master's removal report takes the row and reloads the pages.
    FSurface.List(Kind).DeleteSelectedObject();
    if (Kind == kpokChannel) ClearChannelStats();
}

void TkPlotEditorController::CopyDefaultLabelFormat(TkPlotObjectKind AxisKind, const String& Target)
{
    const String prefix = PlotEditorPage(AxisKind).Prefix;
    TkPlotEditorFields& fields = FSurface;
    for (const TLabelFormatCopy& copy : LabelFormatCopies) {
        const String from = prefix + copy.Default;
        const String to = prefix + Target + copy.Target;
        if (from.ends_with("CheckBox")) fields.CheckField(to).SetChecked(fields.CheckField(from).Checked());
        else if (from.ends_with("StyleComboBox")) fields.ChoiceField(to).SetItemIndex(fields.ChoiceField(from).ItemIndex());
        else fields.TextField(to).SetText(fields.TextField(from).Text());
    }
    Change(AxisKind);
}

// ===========================================================================
// Channels
// ===========================================================================

void TkPlotEditorController::ClearChannelStats()
{
    const String text = Selected(kpokChannel) ? "Click Refresh" : "";
    for (const char* display : StatsDisplays) FSurface.SetCaption(display, text);
}

void TkPlotEditorController::UpdateChannelStats()
{
    auto* channel = static_cast<TkPlotChannelCustom*>(Selected(kpokChannel));
    if (!channel) {
        ClearChannelStats();
        return;
    }
    TkPlotXAxis* x = channel->XAxis();
    TkPlotYAxis* y = channel->YAxis();
    const String texts[] = {IntToStr(channel->Count()),
                            IntToStr(channel->Capacity()),
                            IntToStr(Int64{channel->MemoryUsed()}) + " Bytes",
                            IntToStr(channel->DataPointSize()) + " Bytes",
                            IntToStr(channel->MaxDataPoints()),
                            StatsText(x, channel->GetXMin()),
                            StatsText(x, channel->GetXMax()),
                            StatsText(x, channel->GetXMean()),
                            StatsText(y, channel->GetYMin()),
                            StatsText(y, channel->GetYMax()),
                            StatsText(y, channel->GetYMean())};
    static_assert(std::size(texts) == std::size(StatsDisplays));
    for (std::size_t i = 0; i < std::size(texts); ++i) FSurface.SetCaption(StatsDisplays[i], texts[i]);
}

void TkPlotEditorController::ChannelLogActivate()
{
    auto* channel = static_cast<TkPlotChannelCustom*>(Selected(kpokChannel));
    if (!channel) return;
    // The buttons follow the log's state also when the channel refused.
    TScopeExit reload([this] { UpdateEdit(kpokChannel); });
    channel->LogActivate(false);
}

void TkPlotEditorController::ChannelLogDeactivate()
{
    auto* channel = static_cast<TkPlotChannelCustom*>(Selected(kpokChannel));
    if (!channel) return;
    TScopeExit reload([this] { UpdateEdit(kpokChannel); });
    channel->LogDeactivate();
}

void TkPlotEditorController::ChannelLogFileNamePicked(const String& FileName)
{
    FSurface.TextField(PlotEditorChannelLog.FileNameEdit).SetText(FileName);
    // At once: a log activated next must write to the picked file.
    Change(kpokChannel);
}

void TkPlotEditorController::ControlPropertiesOpen(const String& FileName)
{
    // Also after a load that failed part-way: the pages show what the plot
    // holds now, never what it held before.
    TScopeExit reload([this] {
        FLayoutObject = nullptr;
        LoadGeneralPages();
        UpdateAll();
    });
    FPlot.LoadPropertiesFromFile(FileName);
}

void TkPlotEditorController::ChannelPropertiesOpen(const String& FileName)
{
    auto* channel = static_cast<TkPlotChannelCustom*>(Selected(kpokChannel));
    if (!channel) return;
    // Also after a refused load: the list shows the name the channel holds.
    TScopeExit reload([this] { UpdateAll(); });
    channel->LoadPropertiesFromFile(FileName);
}

void TkPlotEditorController::ChannelPropertiesSave(const String& FileName)
{
    if (auto* channel = static_cast<TkPlotChannelCustom*>(Selected(kpokChannel)))
        channel->SavePropertiesToFile(FileName);
}

void TkPlotEditorController::ChannelDataOpen(const String& FileName)
{
    if (auto* channel = static_cast<TkPlotChannelCustom*>(Selected(kpokChannel)))
        channel->LoadDataFromFile(FileName, true);
}

void TkPlotEditorController::ChannelDataSave(const String& FileName)
{
    if (auto* channel = static_cast<TkPlotChannelCustom*>(Selected(kpokChannel))) channel->SaveDataToFile(FileName);
}

void TkPlotEditorController::ControlLogActivate()
{
    FPlot.LogActivate(false);
    GeneralChanged();
}

void TkPlotEditorController::ControlLogDeactivate()
{
    FPlot.LogDeactivate();
    GeneralChanged();
}

// ===========================================================================
// The layout page
// ===========================================================================

void TkPlotEditorController::LayoutPressed(TkPlotObject* AObject)
{
    FLayoutObject = AObject;
    FLayoutPressed = true;
}

TkPlotEditorLayoutMenu TkPlotEditorController::LayoutMenuOpened()
{
    if (!std::exchange(FLayoutPressed, false)) FLayoutObject = nullptr;
    return LayoutMenu();
}

TkPlotEditorLayoutMenu TkPlotEditorController::LayoutMenu() const
{
    TkPlotEditorLayoutMenu menu;
    menu.XYAxesReverseChecked = Master().XYAxesReverse();
    if (!FLayoutObject) return menu;
    const TkPlotObjectKind kind = FLayoutObject->Kind();
    menu.DeleteEnabled = IsAxisKind(kind) || kind == kpokTable || (kind == kpokLabel && FLayoutObject != TitleLabel());
    menu.VisibleEnabled = kind != kpokDataView;
    menu.VisibleChecked = FLayoutObject->Visible();
    menu.EditEnabled = true;
    return menu;
}

void TkPlotEditorController::LayoutXYAxesReverse()
{
    Master().SetXYAxesReverse(!Master().XYAxesReverse());
    UpdateAll();
}

void TkPlotEditorController::LayoutDelete()
{
    if (!LayoutMenu().DeleteEnabled) return;
    Free(std::exchange(FLayoutObject, nullptr));
}

void TkPlotEditorController::LayoutToggleVisible()
{
    if (!LayoutMenu().VisibleEnabled) return;
    FLayoutObject->SetVisible(!FLayoutObject->Visible());
    UpdateAll();
}

void TkPlotEditorController::LayoutEdit()
{
    // A table opens on the "Tables" page like every other kind.
    if (FLayoutObject && HasEditorPage(FLayoutObject->Kind())) ShowObject(FLayoutObject->Kind(), FLayoutObject);
}
