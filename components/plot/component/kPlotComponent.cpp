// The plot component itself: its life, its title, settings and image lists,
// and its form stream. Its objects are in kPlotComponentObjects.cpp, its
// services to them in kPlotComponentHost.cpp.

#include "components/plot/component/kPlotComponent.h"

#include <algorithm>
#include <utility>

#include "components/foundation/kCommonRoutines.h"
#include "components/plot/annotation/kPlotAnnotation.h"
#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/component/kPlotMasterManager.h"
#include "components/plot/component/kPlotRoles.h"
#include "components/plot/input/kPlotDataCursor.h"
#include "components/plot/input/kPlotToolBar.h"
#include "components/plot/layout/kPlotLabel.h"
#include "components/plot/layout/kPlotLegend.h"
#include "components/plot/table/kPlotTable.h"
#include "components/plot/view/kPlotDataView.h"
#include "components/plot/view/kPlotLimit.h"
#include "platform/FormStream.h"
#include "platform/Forms.h"
#include "platform/Math.h"
#include "platform/Menus.h"

namespace {

// Keeps the layout manager from renumbering rows while objects come and go,
// and restores its state afterwards.
class TLayoutHold {
public:
    explicit TLayoutHold(TkPlotLayoutManager* Manager) : FManager(Manager), FWasEnabled(Manager && Manager->Enabled())
    {
        if (FManager) FManager->SetEnabled(false);
    }
    ~TLayoutHold()
    {
        if (FManager) FManager->SetEnabled(FWasEnabled);
    }
    TLayoutHold(const TLayoutHold&) = delete;
    TLayoutHold& operator=(const TLayoutHold&) = delete;

private:
    TkPlotLayoutManager* FManager;
    bool FWasEnabled;
};

}  // namespace

// ===========================================================================
// Life cycle
// ===========================================================================

TkPlotComponent::TkPlotComponent(TComponent* AOwner)
    : TkCustomComponent(AOwner), FRoles(std::make_unique<TkPlotRoles>(*this))
{
    SetBounds(Left(), Top(), 500, 200);
    SetBackGroundColor(clBlack);
    SetBorderStyle(kbsLowered);
    SetUpdateFrameRate(60);
    SetAutoFrameRate(true);
    SetTabStop(false);

    // The master manager hears what the objects report of themselves through
    // the plot's seam, which holds it before it makes its managers and their
    // first objects (the layout placeholders). The plot hears what the master
    // passes on once it is made.
    FMasterManager = CreateOwned<TkPlotMasterManager>(
        this, [this](TkPlotReportHost& Reports) { SetHost(FRoles->Host(*this, &Reports)); });
    FMasterManager->SetListener(this);
    OnInternalTimer = [this](TObject*) { HintTimerEvent(); };
}

TkPlotComponent::~TkPlotComponent() = default;

void TkPlotComponent::BeforeDestruction()
{
    // Already going for the editor the master frees below: its close event
    // must not reach a plot taken apart.
    SetComponentStateFlag(csDestroying, true);
    if (FMasterManager) {
        // The objects still report their ends to the managers, which stay
        // consistent meanwhile; nothing reaches the plot being taken apart.
        FMasterManager->SetListener(nullptr);
        FMasterManager.reset();
        SetHost(FRoles->Host(*this, nullptr));
    }
    TkCustomComponent::BeforeDestruction();
}

void TkPlotComponent::CreateDefaultObjects()
{
    DisableLayoutManager();
    for (TkPlotObjectKind kind : PlotNewKinds) AddObject(kind);
    GetToolBar(0)->SetZOrder(3);
    GetLegend(0)->SetZOrder(2);
    TkPlotLabel* title = GetLabel(0);
    title->SetZOrder(2);
    title->SetName("Title");
    title->SetCaption("Untitled");
    title->SetMarginBottom(0);
    EnableLayoutManager();
}

// ===========================================================================
// Input
// ===========================================================================

bool TkPlotComponent::kMouseWheel(Integer WheelDelta, TShiftState Shift, TPoint MousePos)
{
    FRoles->Input.MouseWheel(WheelDelta, Shift, MousePos);
    return true;
}

void TkPlotComponent::kWantSpecialKey(Word& CharCode, Integer& Result)
{
    if (CharCode >= VK_LEFT && CharCode <= VK_DOWN) Result = 1;
}

void TkPlotComponent::kKillFocus()
{
    const TFlagScope leaving(FRoles->Input.State().FocusLeaving);
    TkCustomComponent::kKillFocus();
}

void TkPlotComponent::WMCaptureChanged()
{
    TkCustomComponent::WMCaptureChanged();
    HideHint();
    FRoles->Input.CaptureLost();
}

// ===========================================================================
// Title
// ===========================================================================

bool TkPlotComponent::TitleVisible() const { return TitleLabel() && TitleLabel()->Visible(); }

void TkPlotComponent::SetTitleVisible(bool Value)
{
    if (TkPlotLabel* title = TitleLabel()) title->SetVisible(Value);
}

String TkPlotComponent::TitleText() const { return TitleLabel() ? TitleLabel()->Caption() : String(); }

void TkPlotComponent::SetTitleText(const String& Value)
{
    if (TkPlotLabel* title = TitleLabel()) title->SetCaption(Value);
}

TFont* TkPlotComponent::TitleFont() const { return TitleLabel() ? TitleLabel()->Font() : Font(); }

void TkPlotComponent::SetTitleFont(TFont* Value)
{
    if (TkPlotLabel* title = TitleLabel()) title->SetFont(Value);
}

Double TkPlotComponent::TitleMargin() const { return TitleLabel() ? TitleLabel()->MarginBottom() : 0.0; }

void TkPlotComponent::SetTitleMargin(Double Value)
{
    if (TkPlotLabel* title = TitleLabel()) title->SetMarginBottom(Value);
}

// ===========================================================================
// Settings
// ===========================================================================

void TkPlotComponent::SetHintsFont(TFont* Value)
{
    if (Value) FRoles->Hint.Font->Assign(Value);
}

void TkPlotComponent::SetAnnotationDefaultFont(TFont* Value)
{
    if (Value) FRoles->AnnotationDefaults.Font->Assign(Value);
}

void TkPlotComponent::SetLogFileName(const String& Value)
{
    if (Value == FRoles->Log.FileName) return;
    FRoles->Log.CheckInactive("Log File Name can not be changed while logging is active.");
    FRoles->Log.FileName = Value;
}

void TkPlotComponent::SetDataFileColumnSeparator(TkPlotDataFileColumnSeparator Value)
{
    if (Value == FDataFileColumnSeparator) return;
    FRoles->Log.CheckInactive("Data File Column Seperator can not be changed while logging active");
    FDataFileColumnSeparator = Value;
}

void TkPlotComponent::SetDataFileFormat(TkPlotDataFileFormat Value)
{
    if (Value == FDataFileFormat) return;
    FRoles->Log.CheckInactive("Data File Format can not be changed while logging active");
    FDataFileFormat = Value;
}

void TkPlotComponent::SetBackGroundGradientDirection(TkFillDirection Value)
{
    FRoles->Gradient.Direction = Value;
    InvalidateChange();
}

// ===========================================================================
// Form stream
// ===========================================================================

void TkPlotComponent::DefineCollection(TFiler& Filer, const String& Name, const std::function<void(TReader&)>& Read,
                                       const std::function<void(TWriter&)>& Write, bool HasData)
{
    Filer.DefineProperty(
        Name,
        [this, Read](TReader& Reader) {
            // While enabled, the layout manager would give every object read
            // a new row and close the rows of the objects replaced.
            TLayoutHold hold(Master().LayoutManager());
            Read(Reader);
        },
        Write, HasData);
}

void TkPlotComponent::DefineManager(TFiler& Filer, const String& Name, TkPlotObjectManagerCustom& Manager)
{
    DefineCollection(
        Filer, Name, [&Manager](TReader& Reader) { Manager.ReadFromStream(Reader); },
        [&Manager](TWriter& Writer) { Manager.WriteToStream(Writer); }, Manager.DoWriteToStream());
}

void TkPlotComponent::DefineProperties(TFiler& Filer)
{
    // Also published: a stored form holds each of them twice.
    Filer.DefineProperty(
        "DataViewZHorz", [this](TReader& Reader) { SetDataViewZHorz(Reader.ReadInteger()); },
        [this](TWriter& Writer) { Writer.WriteInteger(DataViewZHorz()); }, true);
    Filer.DefineProperty(
        "DataViewZVert", [this](TReader& Reader) { SetDataViewZVert(Reader.ReadInteger()); },
        [this](TWriter& Writer) { Writer.WriteInteger(DataViewZVert()); }, true);

    FRoles->Images.DefineProperties(Filer);

    for (TkPlotObjectKind kind : PlotFormKinds)
        DefineManager(Filer, String(PlotKind(kind).Name) + "Manager", KindManager(kind));
    TkPlotTranslationManager& table = *Master().TranslationManager();
    DefineCollection(
        Filer, "TranslationManager", [&table](TReader& Reader) { table.ReadFromStream(Reader); },
        [&table](TWriter& Writer) { table.WriteToStream(Writer); }, table.DoWriteToStream());

    TkCustomComponent::DefineProperties(Filer);
}

void TkPlotComponent::Loaded()
{
    TkCustomComponent::Loaded();
    SeparateToolBarFromTitle();
    RefreshLayoutManager();
}

void TkPlotComponent::SeparateToolBarFromTitle()
{
    if (ToolBarCount() == 0 || LabelCount() == 0) return;
    TkPlotToolBar* toolBar = GetToolBar(0);
    const TkPlotLabel* title = GetLabel(0);
    if (toolBar->Horizontal() == title->Horizontal() && toolBar->ZOrder() == title->ZOrder())
        toolBar->SetZOrder(SatInt32(Int64{toolBar->ZOrder()} + 1));
}
