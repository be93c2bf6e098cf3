#pragma once
// A plot editor dialog as the plot's editor session sees it, over any form
// class: the session's calls go to the page logic, which works on the
// dialog through the surface the leaf class implements over its controls.

#include "components/editor/kPlotEditorController.h"
#include "components/plot/component/kPlotComponent.h"
#include "components/plot/objects/kPlotEditorSession.h"
#include "platform/Forms.h"

template <class FormBase>
class TkPlotEditorLinkedForm : public FormBase, public TkPlotEditorFormLink, public TkPlotEditorSurface {
public:
    TkPlotEditorLinkedForm(TComponent* AOwner, TkPlotComponent& APlot)
        : FormBase(AOwner), FPlot(APlot), FController(APlot, *this)
    {
    }

    // The plot hears that its editor closed, unless the plot itself is
    // going: its handlers may no longer reach it.
    void BeforeDestruction() override
    {
        if (!FPlot.ComponentState().Contains(csDestroying) && FPlot.OnAfterCloseEditor) FPlot.OnAfterCloseEditor(this);
        FormBase::BeforeDestruction();
    }

    TkPlotComponent& Plot() const { return FPlot; }
    TkPlotEditorController& Controller() { return FController; }

    // --- TkPlotEditorFormLink ----------------------------------------------------------
    TCustomForm* Form() override { return this; }
    bool IsClosing() const override { return FIsClosing; }
    void SetClosing() override { FIsClosing = true; }
    void LoadObjects() override { FController.LoadObjects(); }
    void UpdateAll() override { FController.UpdateAll(); }
    void ObjectAdded(TkPlotObjectKind Kind, TkPlotObject* AObject) override { FController.ObjectAdded(Kind, AObject); }
    void ObjectRemoved(TkPlotObjectKind Kind, TkPlotObject* AObject) override
    {
        FController.ObjectRemoved(Kind, AObject);
    }
    void ObjectRenamed(TkPlotObjectKind Kind, TkPlotObject* AObject) override
    {
        FController.ObjectRenamed(Kind, AObject);
    }
    void ShowObject(TkPlotObjectKind Kind, TkPlotObject* AObject) override { FController.ShowObject(Kind, AObject); }
    void LoadGeneralPages() override { FController.LoadGeneralPages(); }
    void WriteGeneralPages() override { FController.WriteGeneralPages(); }
    void EnableLogControls(bool LoggingActive) override { FController.EnableLogControls(LoggingActive); }

protected:
    void DoClose(TCloseAction& Action) override
    {
        FIsClosing = true;
        FormBase::DoClose(Action);
    }

    // A stay-on-top editor shows what changed in the plot while it was in
    // the background. Only on activation: a deactivation comes before the
    // focused edit commits what was typed, which a reload would lose.
    void Activate() override
    {
        FormBase::Activate();
        if (this->FormStyle() == fsStayOnTop && !FIsClosing) FController.UpdateAll();
    }

private:
    TkPlotComponent& FPlot;
    bool FIsClosing = false;
    TkPlotEditorController FController;
};
