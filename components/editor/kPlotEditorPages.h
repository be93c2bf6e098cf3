#pragma once
// What each page of the plot editor binds: one row per control, naming the
// published property of the page's object that the control shows, in the
// order in which a page is written back (the name first). The same rows
// load the page. The pages also name the controls by which the dialog
// lists, adds and removes the objects of a kind, and its log controls.

#include <span>

#include "components/plot/objects/kPlotObjects.h"

enum TkPlotEditorControlKind {
    kecEdit,       // text, integer or float, by the property's type
    kecCheck,      // Boolean
    kecCombo,      // enumeration by item index, or free text (date-time formats)
    kecNameCombo,  // the name of another object, chosen among the plot's names
    kecRadio,      // enumeration by item index
    kecColor,
    kecFont,       // assigned both ways
    kecMemo        // text of several lines
};

// The items a name combo box offers besides the names.
enum TkPlotEditorSpecialItems {
    kesNone,        // "<None>" first
    kesNoneAndAll,  // "<None>" first, "<All>" after the names
    kesAll          // "<All>" first
};

struct TkPlotEditorRow {
    const char* Control;
    const char* Property;
    TkPlotEditorControlKind Kind;
    // Name combos: the kind whose names are listed, and the special items.
    TkPlotObjectKind Names = kpokNone;
    TkPlotEditorSpecialItems Special = kesNone;
    // Float edits: the significant digits the text shows. The value reads
    // back whole while the text is left as loaded.
    Integer ShownDigits = 15;
};

struct TkPlotEditorPage {
    // Every control of the page, and only those, has a name that starts
    // with the prefix (compared ignoring case).
    const char* Prefix;
    std::span<const TkPlotEditorRow> Rows;
    // A kind's tab on the main page control, and the button that adds an
    // object of the kind (none on the pages of the kinds the user cannot
    // add).
    const char* TabSheet = nullptr;
    const char* AddButton = nullptr;

    // The list of a kind's objects, and the button that removes the
    // selected one.
    String ListBox() const { return String(Prefix) + "ListBox"; }
    String RemoveButton() const { return String(Prefix) + "RemoveButton"; }
};

// The controls of a log file: its name, the picker that chooses it, and the
// buttons that start and stop the log.
struct TkPlotEditorLogControls {
    const char* FileNameEdit;
    const char* FileNamePicker;
    const char* ActivateButton;
    const char* DeactivateButton;
};
// The selected channel's log, on the channel page.
inline constexpr TkPlotEditorLogControls PlotEditorChannelLog{
    "ChannelLogFileNameEdit", "ChannelLogFileNamePicker", "ChannelLogActivateButton", "ChannelLogDeactivateButton"};
// The plot's log, on the general pages.
inline constexpr TkPlotEditorLogControls PlotEditorControlLog{
    "ControlLogFileNameEdit", "ControlLogFileNamePicker", "ControlLogActivateButton", "ControlLogDeactivateButton"};

// The page of the objects of a kind that has one (PlotEditorKinds); raises
// EListError for the others and kpokNone.
const TkPlotEditorPage& PlotEditorPage(TkPlotObjectKind Kind);
// The four controls of the general "Title" tab bound to the title label.
const TkPlotEditorPage& PlotEditorTitlePage();
// The general pages, bound to the plot itself.
const TkPlotEditorPage& PlotEditorGeneralPage();
