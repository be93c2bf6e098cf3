#include "components/plot/objects/kPlotEditorSession.h"

#include <utility>

#include "components/foundation/kComponent.h"
#include "components/plot/objects/kPlotHostServices.h"
#include "platform/Forms.h"

namespace {

// The kinds the editor can switch to for an object's "Edit..." (labels and
// annotations open the editor where it stands).
bool EditorShowsKind(TkPlotObjectKind Kind) { return HasEditorPage(Kind) && Kind != kpokLabel; }

TkPlotEditorFormMaker& EditorFormMaker()
{
    static TkPlotEditorFormMaker maker;
    return maker;
}

}  // namespace

void SetPlotEditorFormMaker(TkPlotEditorFormMaker Maker) { EditorFormMaker() = std::move(Maker); }

TkPlotEditorHost* TkPlotEditorSession::Host() const { return FOwner ? FOwner->Host().Editor : nullptr; }

// ===========================================================================
// Opening and closing
// ===========================================================================

void TkPlotEditorSession::CreateForm()
{
    TkPlotEditorHost* host = Host();
    const TkPlotEditorFormMaker& maker = EditorFormMaker();
    if (!host || !maker) return;
    TkPlotEditorFormLink* form = maker(host->PlotComponent(), &FMaster);
    if (!form) return;
    form->Form()->OnClose = [this](TObject*, TCloseAction&) { FormClosed(); };
    FForm = form;
    form->LoadObjects();
    form->SetPageIndexes(FPageIndexes);
}

void TkPlotEditorSession::EditProperties()
{
    TkPlotEditorHost* host = Host();
    if (!host) return;
    // A dialog showing already (a stay-on-top one) is brought forward, also
    // when the plot's editor style became modal meanwhile.
    if (FForm && FForm->Form()->Visible()) {
        FForm->UpdateAll();
        FForm->Form()->BringToFront();
        return;
    }
    if (!FForm) CreateForm();
    if (FForm) Show(*host);
}

void TkPlotEditorSession::Show(TkPlotEditorHost& Host)
{
    TkPlotEditorFormLink* link = FForm;
    TCustomForm* form = link->Form();
    link->UpdateAll();
    link->LoadGeneralPages();
    link->EnableLogControls(Host.LoggingActive());
    form->SetLeft(Screen->Width() / 2 - form->Width() / 2);
    form->SetTop(Screen->Height() / 2 - form->Height() / 2);
    if (TkPlotEventHost* events = FOwner ? FOwner->Host().Events : nullptr) events->Fire(PlotEvent::AfterOpenEditor{form});
    if (Host.EditorFormStyle() == kpfsStayOnTop) {
        form->SetFormStyle(fsStayOnTop);
        form->Show();
        FPageIndexes = link->PageIndexes();
        return;
    }
    try {
        form->ShowModal();
    } catch (...) {
        EndModal();
        throw;
    }
    EndModal();
}

void TkPlotEditorSession::EndModal()
{
    if (!FForm) return;
    FPageIndexes = FForm->PageIndexes();
    // Forgotten before it is freed: handlers that run while the dialog ends
    // may add or remove objects, and must not reach a dialog half gone.
    TkPlotEditorFormLink* form = std::exchange(FForm, nullptr);
    form->Form()->Free();
}

void TkPlotEditorSession::FormClosed()
{
    TkPlotEditorFormLink* form = FForm;
    if (!form) return;
    // This handler stands in for the dialog's own close handler, which
    // would have marked it closing.
    form->SetClosing();
    // A modal dialog is freed once ShowModal returns.
    if (form->Form()->FormStyle() != fsStayOnTop) return;
    FPageIndexes = form->PageIndexes();
    FForm = nullptr;
    // Not inside its own close handler: the form goes once closing is over.
    form->Form()->Release();
}

void TkPlotEditorSession::FreeForm()
{
    if (TkPlotEditorFormLink* form = std::exchange(FForm, nullptr)) form->Form()->Free();
}

void TkPlotEditorSession::EditObject(TkPlotObject* AObject)
{
    if (!Host()) return;
    if (!FForm) CreateForm();
    if (!FForm) return;
    if (const TkPlotObjectKind kind = AObject->Kind(); EditorShowsKind(kind)) FForm->ShowObject(kind, AObject);
    EditProperties();
}

void TkPlotEditorSession::BasicPropertyChanged()
{
    TkPlotEditorFormLink* form = LiveForm();
    TkPlotEditorHost* host = Host();
    if (!form || !host) return;
    // A setter may refuse its value part-way; the log controls must still
    // show whether the plot is logging.
    try {
        form->WriteGeneralPages();
    } catch (...) {
        form->EnableLogControls(host->LoggingActive());
        throw;
    }
    form->EnableLogControls(host->LoggingActive());
}

// ===========================================================================
// The plot's objects
// ===========================================================================

void TkPlotEditorSession::ObjectAdded(TkPlotObject* AObject)
{
    const TkPlotObjectKind kind = AObject->Kind();
    if (TkPlotEditorFormLink* form = LiveForm(); form && HasEditorPage(kind)) form->ObjectAdded(kind, AObject);
}

void TkPlotEditorSession::ObjectRemoved(TkPlotObject* AObject)
{
    const TkPlotObjectKind kind = AObject->Kind();
    if (TkPlotEditorFormLink* form = LiveForm(); form && HasEditorPage(kind)) form->ObjectRemoved(kind, AObject);
}

void TkPlotEditorSession::ObjectRenamed(TkPlotObject* AObject)
{
    // A new object being named is no rename for the editor: no choice can
    // show it yet, and an empty choice must not take its name.
    const TkPlotObjectKind kind = AObject->Kind();
    if (TkPlotEditorFormLink* form = LiveForm(); form && IsNamedReferenceKind(kind) && !AObject->NameOld().empty())
        form->ObjectRenamed(kind, AObject);
}
