#pragma once
// The plot's property editor as the plot drives it. The editor's library
// makes the dialog (TkPlotEditorFormLink); the session of one plot makes,
// fills, shows and frees it, keeps it in step with the plot's objects while
// it is open, writes its general pages back into the plot, and remembers
// the page each page control showed from one opening to the next. The model
// hub reaches the editor only through its session.

#include <functional>

#include "components/plot/objects/kPlotObjects.h"

class TComponent;
class TCustomForm;
class TkPlotEditorHost;
class TkPlotMasterManagerCustom;

// The active page of each page control of the editor, kept between openings.
struct TkPlotEditorPageIndexes {
    Integer MainPageControlIndex = 0;
    Integer ControlPageControlIndex = 0;
    Integer ChannelPageControlIndex = 0;
    Integer XAxisPageControlIndex = 0;
    Integer XAxisLabelsPageControlIndex = 0;
    Integer YAxisPageControlIndex = 0;
    Integer YAxisLabelsPageControlIndex = 0;
    Integer DataCursorPageControlIndex = 0;
    Integer LimitPageControlIndex = 0;
    Integer LabelPageControlIndex = 0;
    Integer LegendPageControlIndex = 0;
    Integer TablePageControlIndex = 0;
    Integer DataViewPageControlIndex = 0;
};

// The plot's property editor dialog as the session drives it: one page per
// kind with a list of that kind's objects, and the general pages.
class TkPlotEditorFormLink {
public:
    virtual TCustomForm* Form() = 0;
    // Set once the dialog began to close; a closing dialog is left alone.
    virtual bool IsClosing() const = 0;
    virtual void SetClosing() = 0;
    // Fills the list of every kind's page with the master's objects in
    // manager order, selects the first entry (none for an empty list) and
    // loads each page.
    virtual void LoadObjects() = 0;
    // Reloads every page from the plot.
    virtual void UpdateAll() = 0;
    // Lists a new object on its kind's page, selects it and reloads the page.
    virtual void ObjectAdded(TkPlotObjectKind Kind, TkPlotObject* AObject) = 0;
    // Takes an object off its kind's list (nothing when it is gone already)
    // and reloads the page.
    virtual void ObjectRemoved(TkPlotObjectKind Kind, TkPlotObject* AObject) = 0;
    // An X axis, Y axis or channel was renamed: every name choice that
    // shows its old name (NameOld) is refilled and shows the new one.
    virtual void ObjectRenamed(TkPlotObjectKind Kind, TkPlotObject* AObject) = 0;
    // Switches to the page of the object's kind and selects it there.
    virtual void ShowObject(TkPlotObjectKind Kind, TkPlotObject* AObject) = 0;
    // The general pages: loaded from the plot's settings (default folders of
    // the file pickers included), written back into them.
    virtual void LoadGeneralPages() = 0;
    virtual void WriteGeneralPages() = 0;
    // The log file controls can change only while the plot is not logging.
    virtual void EnableLogControls(bool LoggingActive) = 0;
    virtual TkPlotEditorPageIndexes PageIndexes() const = 0;
    virtual void SetPageIndexes(const TkPlotEditorPageIndexes& Value) = 0;

protected:
    ~TkPlotEditorFormLink() = default;
};

// Makes the editor dialog of a plot, owned by the plot. The editor's library
// registers it at its initialisation; without one no dialog opens.
using TkPlotEditorFormMaker =
    std::function<TkPlotEditorFormLink*(TComponent* Plot, TkPlotMasterManagerCustom* Master)>;
void SetPlotEditorFormMaker(TkPlotEditorFormMaker Maker);

class TkPlotEditorSession {
public:
    // Owner is the master's: the plot whose host opens the dialog.
    TkPlotEditorSession(TkPlotMasterManagerCustom& Master, TkPlotObjectOwner* Owner) : FMaster(Master), FOwner(Owner)
    {
    }
    TkPlotEditorSession(const TkPlotEditorSession&) = delete;
    TkPlotEditorSession& operator=(const TkPlotEditorSession&) = delete;

    // The open dialog, or nullptr.
    TkPlotEditorFormLink* Form() const { return FForm; }
    const TkPlotEditorPageIndexes& PageIndexes() const { return FPageIndexes; }
    // A dialog is open and began to close.
    bool Closing() const { return FForm && FForm->IsClosing(); }

    // Opens the dialog (modal or stay-on-top, by the plot's editor style);
    // a dialog already showing is refreshed and brought to the front.
    void EditProperties();
    // Opens the dialog on the page of the object's kind with the object
    // selected (a label or an annotation: where the dialog stands).
    void EditObject(TkPlotObject* AObject);
    // Frees an open dialog at once (the plot is ending).
    void FreeForm();
    // Writes the dialog's general pages back into the plot.
    void BasicPropertyChanged();

    // The hub's reports, passed to a dialog that is open and not closing.
    void ObjectAdded(TkPlotObject* AObject);
    void ObjectRemoved(TkPlotObject* AObject);
    void ObjectRenamed(TkPlotObject* AObject);

private:
    // The plot's part that the dialog needs; nullptr without a plot.
    TkPlotEditorHost* Host() const;
    // Open and not closing.
    TkPlotEditorFormLink* LiveForm() const { return Closing() ? nullptr : FForm; }
    void CreateForm();
    void Show(TkPlotEditorHost& Host);
    void EndModal();
    // The dialog's close event.
    void FormClosed();

    TkPlotMasterManagerCustom& FMaster;
    TkPlotObjectOwner* FOwner;
    TkPlotEditorPageIndexes FPageIndexes;
    TkPlotEditorFormLink* FForm = nullptr;
};
