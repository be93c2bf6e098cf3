#pragma once
// The page logic of the plot editor dialog: which page is loaded from
// which object and when, what a change writes back and which pages follow
// it, adding and removing objects, the channel statistics and log buttons,
// and the layout page's popup. The dialog forwards its controls' events
// here and answers the plot's editor session through it.
//
// Pages are reloaded after every action that changes what they show, so a
// page is never written back from values older than its object's: after a
// write of a page whose names other pages list, after any removal (the
// removed name leaves every choice at once), after a configuration is
// loaded, after the layout popup's actions.

#include "components/editor/kPlotEditorBinder.h"
#include "components/editor/kPlotEditorSurface.h"

#include "components/plot/component/kPlotMasterManager.h"

class TkPlotComponent;

// What the layout popup offers for the object under the mouse.
struct TkPlotEditorLayoutMenu {
    bool XYAxesReverseChecked = false;
    bool DeleteEnabled = false;
    bool VisibleEnabled = false;
    bool VisibleChecked = false;
    bool EditEnabled = false;
};

class TkPlotEditorController {
public:
    TkPlotEditorController(TkPlotComponent& Plot, TkPlotEditorSurface& Surface);

    // --- what the editor session asks -------------------------------------------------
    // Lists every kind's objects in manager order, selects each list's first
    // row and loads every page.
    void LoadObjects();
    void UpdateAll();
    // Update<Kind>Edit: the page of the kind from its selected object.
    void UpdateEdit(TkPlotObjectKind Kind);
    void ObjectAdded(TkPlotObjectKind Kind, TkPlotObject* AObject);
    // The object is leaving: its row goes, and no page offers its name.
    void ObjectRemoved(TkPlotObjectKind Kind, TkPlotObject* AObject);
    void ObjectRenamed(TkPlotObjectKind Kind, TkPlotObject* AObject);
    void ShowObject(TkPlotObjectKind Kind, TkPlotObject* AObject);
    void LoadGeneralPages();
    void WriteGeneralPages();
    void EnableLogControls(bool LoggingActive);

    // --- the dialog's own controls -----------------------------------------------------
    // <Kind>Change: writes the selected object from its page.
    void Change(TkPlotObjectKind Kind);
    // The "Title" tab of the general pages into the title label.
    void TitleChange();
    // The general pages into the plot.
    void GeneralChanged();
    void ListClick(TkPlotObjectKind Kind);
    // The name combo boxes of the kind's page, refilled with the plot's
    // names (an axis page's only while it shows an axis); those that chose
    // Renamed's old name choose its new one.
    void RefillNameChoices(TkPlotObjectKind Kind, const TkPlotObject* Renamed = nullptr);
    void AddObject(TkPlotObjectKind Kind);
    void RemoveSelected(TkPlotObjectKind Kind);
    // Copies the axis page's "(Default)" label format into its "Cursor" or
    // "Legend" tab (Target), then writes the page.
    void CopyDefaultLabelFormat(TkPlotObjectKind AxisKind, const String& Target);

    // --- channels --------------------------------------------------------------------
    void ClearChannelStats();
    void UpdateChannelStats();
    void ChannelLogActivate();
    void ChannelLogDeactivate();
    void ChannelLogFileNamePicked(const String& FileName);

    // --- files -----------------------------------------------------------------------
    // Loads a configuration into the plot, then reloads every page.
    void ControlPropertiesOpen(const String& FileName);
    // The selected channel's files; nothing without a selection.
    void ChannelPropertiesOpen(const String& FileName);
    void ChannelPropertiesSave(const String& FileName);
    void ChannelDataOpen(const String& FileName);
    void ChannelDataSave(const String& FileName);
    // The plot's log, then the general pages read back into the plot.
    void ControlLogActivate();
    void ControlLogDeactivate();

    // --- the layout page ---------------------------------------------------------------
    // A press on the viewer, over AObject (nullptr: over no object).
    void LayoutPressed(TkPlotObject* AObject);
    // The popup acts on the object of the press that opened it; opened
    // otherwise (from the keyboard), on nothing.
    TkPlotEditorLayoutMenu LayoutMenuOpened();
    TkPlotObject* LayoutObject() const { return FLayoutObject; }
    TkPlotEditorLayoutMenu LayoutMenu() const;
    void LayoutXYAxesReverse();
    void LayoutDelete();
    void LayoutToggleVisible();
    void LayoutEdit();

private:
    TkPlotMasterManager& Master() const;
    TkPlotObject* Selected(TkPlotObjectKind Kind) { return FSurface.List(Kind).Selected(); }
    TkPlotObject* TitleLabel() const;
    void LoadChannelSpecifics(TkPlotObject* Channel);
    // The log file controls and buttons of the channel page or the general
    // pages.
    void ShowLogState(const TkPlotEditorLogControls& Log, bool LoggingActive);

    TkPlotComponent& FPlot;
    TkPlotEditorSurface& FSurface;
    TkPlotEditorBinder FBinder;
    TkPlotObject* FLayoutObject = nullptr;
    bool FLayoutPressed = false;
};
