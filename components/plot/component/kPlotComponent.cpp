#include "components/plot/component/kPlotComponent.h"

#include <algorithm>
#include <utility>

#include "components/foundation/kCommonRoutines.h"
#include "platform/FormStream.h"
#include "platform/Forms.h"
#include "platform/Math.h"
#include "platform/Resources.h"

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
    : TkCustomComponent(AOwner),
      TkPlotObjectOwner(this),
      FPopupMenu(CreateOwned<TPopupMenu>(nullptr)),
      FHintsFont(CreateOwned<TFont>()),
      FAnnotationDefaultFont(CreateOwned<TFont>())
{
    SetBounds(Left(), Top(), 500, 200);
    SetBackGroundColor(clBlack);
    SetBorderStyle(kbsLowered);
    SetUpdateFrameRate(60);
    SetAutoFrameRate(true);
    SetTabStop(false);
    FAnnotationDefaultFont->SetColor(clWhite);
    for (TOwned<TImageList>& list : FImageLists) {
        list = CreateOwned<TImageList>(nullptr);
        list->SetSize(24, 24);
    }

    FMasterManager = CreateOwned<TkPlotMasterManager>(static_cast<TkPlotObjectOwner*>(this));
    FMasterManager->SetOnInvalidateNow([this](TObject*) { InvalidateNow(); });
    FMasterManager->SetOnChange([this](TObject* Sender) { DoObjectChange(Sender); });
    FMasterManager->SetOnInsert([this](TObject* Object) { DoObjectAdd(Object); });
    FMasterManager->SetOnRemove([this](TObject* Object) { DoObjectRemove(Object); });
    OnInternalTimer = [this](TObject*) { HintTimerEvent(); };
}

void TkPlotComponent::BeforeDestruction()
{
    // Already going for the editor the master frees below: its close event
    // must not reach a plot taken apart.
    SetComponentStateFlag(csDestroying, true);
    if (FMasterManager) {
        // The objects still report their ends to the managers, which stay
        // consistent meanwhile; nothing reaches the plot being taken apart.
        FMasterManager->SetOnInvalidateNow(nullptr);
        FMasterManager->SetOnChange(nullptr);
        FMasterManager->SetOnInsert(nullptr);
        FMasterManager->SetOnRemove(nullptr);
        FMasterManager.reset();
    }
    TkCustomComponent::BeforeDestruction();
}

void TkPlotComponent::CreateDefaultObjects()
{
    DisableLayoutManager();
    GetToolBar(AddToolBar())->SetZOrder(3);
    GetLegend(AddLegend())->SetZOrder(2);
    AddXAxis();
    AddYAxis();
    AddChannel();
    AddDataView();
    AddDataCursor();
    TkPlotLabel* title = GetLabel(AddLabel());
    title->SetZOrder(2);
    title->SetName("Title");
    title->SetCaption("Untitled");
    title->SetMarginBottom(0);
    EnableLayoutManager();
}

// ===========================================================================
// Objects
// ===========================================================================

void TkPlotComponent::DeleteObject(TkPlotObject* Object)
{
    Object->Free();
    InvalidateNow();
}

void TkPlotComponent::RemoveAllObjects(TkPlotObjectManagerCustom& Manager)
{
    Manager.Clear();
    InvalidateNow();
}

Integer TkPlotComponent::AddAnnotation()
{
    const Integer index = Master().AddAnnotation();
    // A handler of the add event may have taken it away again.
    if (index >= 0) ApplyAnnotationDefaults(*GetAnnotation(index));
    return index;
}

void TkPlotComponent::ApplyAnnotationDefaults(TkPlotAnnotation& Annotation) const
{
    Annotation.SetBrushStyle(FAnnotationDefaultBrushStyle);
    Annotation.SetBrushColor(FAnnotationDefaultBrushColor);
    Annotation.SetPenStyle(FAnnotationDefaultPenStyle);
    Annotation.SetPenColor(FAnnotationDefaultPenColor);
    Annotation.SetPenWidth(FAnnotationDefaultPenWidth);
    Annotation.SetReference(FAnnotationDefaultReference);
    Annotation.SetReferencePositionX(FAnnotationDefaultReferences[0]);
    Annotation.SetReferencePositionY(FAnnotationDefaultReferences[1]);
    Annotation.SetReferenceSizeX(FAnnotationDefaultReferences[2]);
    Annotation.SetReferenceSizeY(FAnnotationDefaultReferences[3]);
    Annotation.SetFont(FAnnotationDefaultFont.get());
}

void TkPlotComponent::DeleteLabel(Integer Index)
{
    if (Index == 0) throw Exception("Label Index 0 can not be Deleted (Resevered for Title)");
    GetLabel(Index)->Free();
}

void TkPlotComponent::RemoveAllLabels()
{
    while (LabelCount() >= 2) GetLabel(1)->Free();
}

// --- translation table --------------------------------------------------------

Integer TkPlotComponent::AddTranslation(const String& Original, const String& Replacement)
{
    const Integer index = Master().AddTranslation();
    TkPlotTranslationObject* entry = Master().TranslationManager()->GetItem(index);
    entry->SetOriginalString(Original);
    entry->SetReplacementString(Replacement);
    return index;
}

void TkPlotComponent::DeleteTranslation(Integer Index)
{
    Master().TranslationManager()->Delete(Index);
    InvalidateNow();
}

void TkPlotComponent::RemoveAllTranslations()
{
    Master().TranslationManager()->Clear();
    InvalidateNow();
}

String TkPlotComponent::GetTranslationOriginalString(Integer Index) const
{
    return Master().TranslationManager()->GetItem(Index)->OriginalString();
}

String TkPlotComponent::GetTranslationReplacementString(Integer Index) const
{
    return Master().TranslationManager()->GetItem(Index)->ReplacementString();
}

void TkPlotComponent::LoadTranslationsFromFile(const String& FileName)
{
    Master().TranslationManager()->LoadFromFile(FileName);
}

void TkPlotComponent::SaveTranslationsToFile(const String& FileName) const
{
    Master().TranslationManager()->SaveToFile(FileName);
}

TkPlotTranslationManager* TkPlotComponent::PlotTranslationManager() const
{
    return FMasterManager ? FMasterManager->TranslationManager() : nullptr;
}

// --- layout manager ---------------------------------------------------------------

void TkPlotComponent::DisableLayoutManager() { Master().LayoutManager()->SetEnabled(false); }

void TkPlotComponent::EnableLayoutManager() { Master().LayoutManager()->SetEnabled(true); }

void TkPlotComponent::RefreshLayoutManager()
{
    DisableLayoutManager();
    EnableLayoutManager();
}

Integer TkPlotComponent::DataViewZHorz() const { return Master().LayoutManager()->DataViewHorz()->ZOrder(); }

void TkPlotComponent::SetDataViewZHorz(Integer Value) { Master().LayoutManager()->DataViewHorz()->SetZOrder(Value); }

Integer TkPlotComponent::DataViewZVert() const { return Master().LayoutManager()->DataViewVert()->ZOrder(); }

void TkPlotComponent::SetDataViewZVert(Integer Value) { Master().LayoutManager()->DataViewVert()->SetZOrder(Value); }

// ===========================================================================
// Notifications and events
// ===========================================================================

namespace {

bool Contains(std::span<const TkPlotObjectKind> Kinds, TkPlotObjectKind Kind)
{
    return std::find(Kinds.begin(), Kinds.end(), Kind) != Kinds.end();
}

}  // namespace

Integer TkPlotComponent::ObjectIndex(const TkPlotObject* Object) const
{
    if (!Object) return -1;
    TkPlotObjectManagerCustom* manager = FMasterManager ? FMasterManager->Manager(Object->Kind()) : nullptr;
    // Objects still being made (read from a stream) are not listed yet.
    return manager ? manager->GetIndex(Object) : -1;
}

// Most events have no handler: those cost no search for the object.
template <class E, class... A>
void TkPlotComponent::FireIndexedEvent(const E& Event, const TkPlotObject* Object, A&&... Args)
{
    if (!Event || IsLoading()) return;
    const Integer index = ObjectIndex(Object);
    if (index < 0) return;
    // A copy: the handler may replace itself.
    const E handler = Event;
    handler(this, index, std::forward<A>(Args)...);
}

template <class E, class... A>
void TkPlotComponent::FireObjectEvent(const TkPlotKindEvents<E>& Events, std::span<const TkPlotObjectKind> Kinds,
                                      TkPlotObject* Object, A&&... Args)
{
    const TkPlotObjectKind kind = Object->Kind();
    if (Contains(Kinds, kind)) FireIndexedEvent(Events[kind], Object, std::forward<A>(Args)...);
}

void TkPlotComponent::DoObjectAdd(TObject* Object)
{
    if (auto* object = dynamic_cast<TkPlotObject*>(Object)) FireObjectEvent(OnObjectAdd, PlotListEventKinds, object);
}

void TkPlotComponent::DoObjectRemove(TObject* Object)
{
    ++FRemovals;
    if (auto* object = dynamic_cast<TkPlotObject*>(Object)) {
        ForgetHintOf(object);
        FireObjectEvent(OnObjectRemove, PlotListEventKinds, object);
    }
}

void TkPlotComponent::DoObjectChange(TObject*) { InvalidateChange(); }

void TkPlotComponent::DoObjectMouseDown(TkPlotObject* Object, TMouseButton Button, TShiftState Shift, Integer X,
                                        Integer Y)
{
    FireObjectEvent(OnObjectMouseDown, PlotMouseEventKinds, Object, Button, Shift, X, Y);
}

void TkPlotComponent::DoObjectMouseMove(TkPlotObject* Object, TShiftState Shift, Integer X, Integer Y)
{
    FireObjectEvent(OnObjectMouseMove, PlotMouseEventKinds, Object, Shift, X, Y);
}

void TkPlotComponent::DoObjectMouseUp(TkPlotObject* Object, TMouseButton Button, TShiftState Shift, Integer X,
                                      Integer Y)
{
    FireObjectEvent(OnObjectMouseUp, PlotMouseEventKinds, Object, Button, Shift, X, Y);
}

void TkPlotComponent::DoObjectMouseWheel(TkPlotObject* Object, Integer WheelDelta, TShiftState Shift, Integer X,
                                         Integer Y)
{
    FireObjectEvent(OnObjectMouseWheel, PlotMouseEventKinds, Object, WheelDelta, Shift, X, Y);
}

void TkPlotComponent::DoObjectGotFocus(TkPlotObject* Object)
{
    FireObjectEvent(OnObjectGotFocus, PlotFocusEventKinds, Object);
}

void TkPlotComponent::DoObjectLostFocus(TkPlotObject* Object)
{
    FireObjectEvent(OnObjectLostFocus, PlotFocusEventKinds, Object);
}

void TkPlotComponent::DoObjectPopupMenu(TkPlotObject* Object, bool& Cancel, Integer ScreenX, Integer ScreenY)
{
    FireObjectEvent(OnObjectPopupMenu, PlotMouseEventKinds, Object, Cancel, ScreenX, ScreenY);
}

template <class E, class... A>
void TkPlotComponent::FireAxisEvent(const E& XEvent, const E& YEvent, TkPlotAxis* Axis, A&&... Args)
{
    if (Axis->IsXAxis())
        FireIndexedEvent(XEvent, Axis, std::forward<A>(Args)...);
    else if (Axis->IsYAxis())
        FireIndexedEvent(YEvent, Axis, std::forward<A>(Args)...);
}

bool TkPlotComponent::AxisScaleEventsAssigned() const
{
    return OnXAxisMinChange || OnYAxisMinChange || OnXAxisSpanChange || OnYAxisSpanChange || OnXAxisMinSpanChange ||
           OnYAxisMinSpanChange;
}

void TkPlotComponent::DoAxisMinChange(TkPlotAxis* Axis, Double OldValue, Double NewValue)
{
    FireAxisEvent(OnXAxisMinChange, OnYAxisMinChange, Axis, OldValue, NewValue);
}

void TkPlotComponent::DoAxisSpanChange(TkPlotAxis* Axis, Double OldValue, Double NewValue)
{
    FireAxisEvent(OnXAxisSpanChange, OnYAxisSpanChange, Axis, OldValue, NewValue);
}

void TkPlotComponent::DoAxisMinSpanChange(TkPlotAxis* Axis, Double OldMin, Double OldSpan, Double NewMin,
                                          Double NewSpan)
{
    FireAxisEvent(OnXAxisMinSpanChange, OnYAxisMinSpanChange, Axis, OldMin, OldSpan, NewMin, NewSpan);
}

void TkPlotComponent::DoAxisCustomizeLabel(TkPlotAxis* Axis, String& Text, Double Value)
{
    // Kept by the plot meanwhile: a handler may ask for it to be set.
    FInput.CustomizeLabelText = Text;
    FireAxisEvent(OnXAxisCustomizeLabel, OnYAxisCustomizeLabel, Axis, Value, FInput.CustomizeLabelText);
    Text = FInput.CustomizeLabelText;
}

void TkPlotComponent::DoAxisMinSpanChangeFinished(TkPlotAxis* Axis, Double OldMin, Double OldSpan, Double NewMin,
                                                  Double NewSpan)
{
    FireAxisEvent(OnXAxisMinSpanChangeFinished, OnYAxisMinSpanChangeFinished, Axis, OldMin, OldSpan, NewMin,
                  NewSpan);
}

void TkPlotComponent::DoAxisCustomizeHint(TkPlotAxis* Axis, String& Text)
{
    FireAxisEvent(OnXAxisCustomizeHint, OnYAxisCustomizeHint, Axis, Text);
}

void TkPlotComponent::DoObjectClick(TkPlotObject* Object)
{
    const bool dblClick = std::exchange(FInput.DblClick, false);
    FireObjectEvent(dblClick ? OnObjectDblClick : OnObjectClick, PlotMouseEventKinds, Object);
}

void TkPlotComponent::DoObjectGetMouseCursor(TkPlotObject* Object, TCursor& Cursor)
{
    FireObjectEvent(OnObjectGetMouseCursor, PlotListEventKinds, Object, Cursor);
}

void TkPlotComponent::DoBeforeToolBarButtonClick(TkPlotObject* ToolBar, TkPlotToolBarButtonType Type, bool& Cancel)
{
    FireIndexedEvent(OnBeforeToolBarButtonClick, ToolBar, Type, Cancel);
}

void TkPlotComponent::DoToolBarButtonClick(TkPlotObject* ToolBar, TkPlotToolBarButtonType Type)
{
    FireIndexedEvent(OnToolBarButtonClick, ToolBar, Type);
}

void TkPlotComponent::DoToolBarCustomizeHint(TkPlotObject* ToolBar, String& Text)
{
    FireIndexedEvent(OnToolBarCustomizeHint, ToolBar, Text);
}

void TkPlotComponent::DoDataPointMouseDown(TkPlotChannelCustom* Channel, Integer DataIndex, TMouseButton Button,
                                           TShiftState Shift, Integer X, Integer Y)
{
    FireIndexedEvent(OnMouseDownDataPoint, Channel, DataIndex, Button, Shift, X, Y);
}

void TkPlotComponent::DoDataPointMouseMove(TkPlotChannelCustom* Channel, Integer DataIndex, TShiftState Shift,
                                           Integer X, Integer Y)
{
    FireIndexedEvent(OnMouseMoveDataPoint, Channel, DataIndex, Shift, X, Y);
}

void TkPlotComponent::DoDataPointMouseUp(TkPlotChannelCustom* Channel, Integer DataIndex, TMouseButton Button,
                                         TShiftState Shift, Integer X, Integer Y)
{
    FireIndexedEvent(OnMouseUpDataPoint, Channel, DataIndex, Button, Shift, X, Y);
}

void TkPlotComponent::DoDataPointClick(TkPlotChannelCustom* Channel, Integer DataIndex)
{
    const bool dblClick = std::exchange(FInput.DblClick, false);
    FireIndexedEvent(dblClick ? OnDblClickDataPoint : OnClickDataPoint, Channel, DataIndex);
}

void TkPlotComponent::DoDataPointMoved(TkPlotChannelCustom* Channel, Integer DataIndex, Double OldX, Double OldY,
                                       Double NewX, Double NewY)
{
    FireIndexedEvent(OnDataPointMoved, Channel, DataIndex, OldX, OldY, NewX, NewY);
}

void TkPlotComponent::DoDataPointCustomizeHint(TkPlotChannelCustom* Channel, Integer DataIndex, String& Text)
{
    FireIndexedEvent(OnDataPointCustomizeHint, Channel, DataIndex, Text);
}

void TkPlotComponent::DoBeforeDataCursorUpdate(TkPlotObject* Cursor)
{
    FireIndexedEvent(OnBeforeDataCursorUpdate, Cursor);
}

void TkPlotComponent::DoDataCursorChange(TkPlotObject* Cursor) { FireIndexedEvent(OnDataCursorChange, Cursor); }

void TkPlotComponent::DoDataCursorCustomizeHint(TkPlotObject* Cursor, String& Text)
{
    FireIndexedEvent(OnDataCursorCustomizeHint, Cursor, Text);
}

void TkPlotComponent::ShowCursorReadoutInLegend()
{
    if (LegendCount() > 0) GetLegend(0)->SetCursorAllChannels(true);
}

void TkPlotComponent::DoLimitLine1PositionChange(TkPlotLimit* Limit, Double OldValue, Double NewValue)
{
    FireIndexedEvent(OnLimitLine1PositionChange, Limit, OldValue, NewValue);
}

void TkPlotComponent::DoLimitLine2PositionChange(TkPlotLimit* Limit, Double OldValue, Double NewValue)
{
    FireIndexedEvent(OnLimitLine2PositionChange, Limit, OldValue, NewValue);
}

void TkPlotComponent::DoAnnotationEvent(TkPlotObject* Annotation, TkPlotAnnotationEvent Event)
{
    const TkPlotObjectEvent* events[] = {&OnAnnotationCoordinatesChange, &OnAnnotationMoveUser,
                                         &OnAnnotationResizeUser, &OnAnnotationCoordinatesChangeFinished};
    FireIndexedEvent(*events[Event], Annotation);
}

void TkPlotComponent::DoBeforeZoomBox(TRect& ZoomRect, bool& Cancel)
{
    if (IsLoading()) return;
    const TkPlotBeforeZoomBoxEvent handler = OnBeforeZoomBox;
    if (handler) handler(this, ZoomRect, Cancel);
}

void TkPlotComponent::DoAfterOpenEditor(TCustomForm* Form)
{
    if (OnAfterOpenEditor) OnAfterOpenEditor(Form);
}

// ===========================================================================
// What axes and channels ask
// ===========================================================================

namespace {

// Calls Action with every X axis, then every Y axis.
template <class F>
void ForEachAxis(const TkPlotMasterManager& Master, F Action)
{
    const std::array<const TkPlotObjectManagerCustom*, 2> managers = {Master.XAxisManager(), Master.YAxisManager()};
    for (const TkPlotObjectManagerCustom* manager : managers)
        for (Integer i = 0; i < manager->Count(); ++i) Action(manager->GetItem(i));
}

}  // namespace

Cardinal TkPlotComponent::AxesVersion() const
{
    // Compared in place: a channel whose axis is missing asks at every point.
    std::size_t seen = 0;
    bool same = true;
    ForEachAxis(Master(), [&](const TkPlotObject* Axis) {
        same = same && seen < FAxesSeen.size() && FAxesSeen[seen].Axis == Axis &&
               FAxesSeen[seen].Name == Axis->Name();
        ++seen;
    });
    if (same && seen == FAxesSeen.size()) return FAxesVersion;
    FAxesSeen.clear();
    ForEachAxis(Master(), [this](const TkPlotObject* Axis) { FAxesSeen.push_back({Axis, Axis->Name()}); });
    return ++FAxesVersion;
}

TkPlotExtents TkPlotComponent::ChannelExtents(const TkPlotAxis& Axis, bool Visible) const
{
    TkPlotExtents extents;
    for (Integer i = 0; i < ChannelCount(); ++i) GetChannel(i)->WidenExtents(Axis, Visible, extents);
    return extents;
}

TkPlotAxis* TkPlotComponent::GetAxis(bool XAxes, Integer Index) const
{
    if (XAxes) return GetXAxis(Index);
    return GetYAxis(Index);
}

void TkPlotComponent::ForwardToAxes(TkPlotAxis* Axis, const std::function<void(TkPlotAxis*)>& Action)
{
    if (FAxesForwarding) return;
    const bool xAxes = Axis->IsXAxis();
    // Held weakly: a handler reached through an axis may free others.
    std::vector<TWeakRef<TkPlotAxis>> others;
    for (Integer i = 0; i < AxisCount(xAxes); ++i)
        if (TkPlotAxis* other = GetAxis(xAxes, i); other != Axis) others.emplace_back(other);
    const TFlagScope forwarding(FAxesForwarding);
    for (const TWeakRef<TkPlotAxis>& other : others)
        if (TkPlotAxis* axis = other.Get()) Action(axis);
}

void TkPlotComponent::AxesDoMouseLeft(TkPlotAxis* Axis, const TkPlotMouseData& MouseData)
{
    ForwardToAxes(Axis, [&MouseData](TkPlotAxis* Other) { Other->DoMouseLeft(MouseData); });
}

void TkPlotComponent::AxesDoMouseMove(TkPlotAxis* Axis, const TkPlotMouseData& MouseData)
{
    ForwardToAxes(Axis, [&MouseData](TkPlotAxis* Other) { Other->DoMouseMove(MouseData); });
}

void TkPlotComponent::AxesDoMouseUp(TkPlotAxis* Axis, const TkPlotMouseData& MouseData)
{
    ForwardToAxes(Axis, [&MouseData](TkPlotAxis* Other) { Other->DoMouseUp(MouseData); });
}

void TkPlotComponent::AxesDoMouseWheel(TkPlotAxis* Axis, Integer WheelDelta, TShiftState Shift, Integer X, Integer Y)
{
    ForwardToAxes(Axis, [=](TkPlotAxis* Other) { Other->DoMouseWheel(WheelDelta, Shift, X, Y); });
}

void TkPlotComponent::AxesKeyDown(TkPlotAxis* Axis, Word& Key, TShiftState Shift)
{
    // The other axes open no popup menu.
    ForwardToAxes(Axis, [&Key, Shift](TkPlotAxis* Other) { Other->kKeyDown(Key, Shift, nullptr); });
}

void TkPlotComponent::DisableAllTracking() { SetAllTracking(false); }

void TkPlotComponent::EnableAllTracking() { SetAllTracking(true); }

void TkPlotComponent::SetAllTracking(bool Value)
{
    // By index: turning tracking off may bring back resume values, whose
    // events reach the user's handlers.
    for (const bool xAxes : {true, false})
        for (Integer i = 0; i < AxisCount(xAxes); ++i) GetAxis(xAxes, i)->SetTrackingEnabled(Value);
}

bool TkPlotComponent::DataViewPercentToPixels(Double Percent, bool Vertical, Integer& Pixel) const
{
    if (DataViewCount() == 0) return false;
    const TkPlotDataView* view = GetDataView(0);
    Pixel = Vertical ? view->PositionPercentToPixelsY(Percent) : view->PositionPercentToPixelsX(Percent);
    return true;
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
    if (Value) FHintsFont->Assign(Value);
}

void TkPlotComponent::SetAnnotationDefaultFont(TFont* Value)
{
    if (Value) FAnnotationDefaultFont->Assign(Value);
}

void TkPlotComponent::CheckLoggingInactive(const char* Message) const
{
    if (FLoggingActive) throw Exception(Message);
}

void TkPlotComponent::SetLogFileName(const String& Value)
{
    if (Value == FLogFileName) return;
    CheckLoggingInactive("Log File Name can not be changed while logging is active.");
    FLogFileName = Value;
}

void TkPlotComponent::SetDataFileColumnSeparator(TkPlotDataFileColumnSeparator Value)
{
    if (Value == FDataFileColumnSeparator) return;
    CheckLoggingInactive("Data File Column Seperator can not be changed while logging active");
    FDataFileColumnSeparator = Value;
}

void TkPlotComponent::SetDataFileFormat(TkPlotDataFileFormat Value)
{
    if (Value == FDataFileFormat) return;
    CheckLoggingInactive("Data File Format can not be changed while logging active");
    FDataFileFormat = Value;
}

void TkPlotComponent::SetBackGroundGradientDirection(TkFillDirection Value)
{
    FBackGroundGradientDirection = Value;
    InvalidateChange();
}

// ===========================================================================
// Image lists
// ===========================================================================

namespace {

constexpr char ImageSizeMessage[] =
    "Image Width and Height must be the same as other images, or both smaller, or both larger";

}  // namespace

TImageList* TkPlotComponent::FindImageList(Integer Index) const
{
    return Index >= 0 && Index < static_cast<Integer>(FImageLists.size())
               ? FImageLists[static_cast<std::size_t>(Index)].get()
               : nullptr;
}

TImageList* TkPlotComponent::ImageList(Integer Index) const
{
    TImageList* list = FindImageList(Index);
    if (!list) throw Exception("ImageList Index must be 0-2");
    return list;
}

void TkPlotComponent::ImageListClear(Integer Index)
{
    ImageList(Index)->Clear();
    InvalidateChange();
}

void TkPlotComponent::ImageListAdd(Integer Index, TBitmap* Bitmap)
{
    TImageList* list = ImageList(Index);
    // An empty picture would give the list no size, or hold nothing.
    if (!Bitmap || Bitmap->Empty()) throw Exception(ImageSizeMessage);
    const Integer width = Bitmap->Width();
    const Integer height = Bitmap->Height();
    if (list->Count() == 0) list->SetSize(width, height);
    const bool smaller = width < list->Width() && height < list->Height();
    const bool larger = width > list->Width() && height > list->Height();
    if (!smaller && !larger && width != list->Width() && height != list->Height()) throw Exception(ImageSizeMessage);
    const TColor mask = Bitmap->TransparentColor();
    if (smaller) {
        TOwned<TBitmap> centred = CreateOwned<TBitmap>();
        centred->SetSize(list->Width(), list->Height());
        TCanvas* canvas = centred->Canvas();
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(mask);
        canvas->FillRect(Rect(0, 0, list->Width(), list->Height()));
        canvas->Draw(list->Width() / 2 - width / 2, list->Height() / 2 - height / 2, Bitmap);
        list->AddMasked(centred.get(), mask);
    } else {
        list->AddMasked(Bitmap, mask);
    }
    InvalidateChange();
}

void TkPlotComponent::ImageListLoadFromResourceName(Integer Index, const String& ResName)
{
    ImageList(Index);
    TOwned<TBitmap> bitmap = CreateOwned<TBitmap>();
    bitmap->LoadFromResourceName(ResName);
    ImageListAdd(Index, bitmap.get());
}

void TkPlotComponent::ImageListLoadFromResourceID(Integer Index, Integer ResID)
{
    ImageListLoadFromResourceName(Index, NumberedResourceName(ResID));
}

Integer TkPlotComponent::PlotImageCount(Integer ListIndex) const
{
    const TImageList* list = FindImageList(ListIndex);
    return list ? list->Count() : 0;
}

Integer TkPlotComponent::PlotImageWidth(Integer ListIndex) const
{
    const TImageList* list = FindImageList(ListIndex);
    return list ? list->Width() : 0;
}

void TkPlotComponent::PlotDrawImage(TCanvas* Canvas, Integer ListIndex, Integer ImageIndex, Integer X, Integer Y,
                                    bool Enabled)
{
    if (const TImageList* list = FindImageList(ListIndex)) list->Draw(Canvas, X, Y, ImageIndex, Enabled);
}

// ===========================================================================
// Form stream
// ===========================================================================

void TkPlotComponent::DefineImageList(TFiler& Filer, Integer Index)
{
    TOwned<TImageList>& list = FImageLists[static_cast<std::size_t>(Index)];
    Filer.DefineBinaryProperty(
        "ImageList" + IntToStr(Index),
        [this, &list](TStream& Stream) {
            // Read aside: a damaged list leaves the one held as it was.
            TOwned<TImageList> read = CreateOwned<TImageList>(nullptr);
            try {
                read->ReadData(Stream);
            } catch (const Exception&) {
                throw EReadError("Failed to read ImageList data from stream");
            }
            list = std::move(read);
            InvalidateChange();
        },
        [&list](TStream& Stream) {
            try {
                list->WriteData(Stream);
            } catch (const Exception&) {
                throw EWriteError("Failed to write ImageList data to stream");
            }
        },
        list->Count() > 0);
}

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

    for (Integer i = 0; i < static_cast<Integer>(FImageLists.size()); ++i) DefineImageList(Filer, i);

    TkPlotMasterManager& master = Master();
    DefineManager(Filer, "ToolBarManager", *master.ToolBarManager());
    DefineManager(Filer, "LegendManager", *master.LegendManager());
    DefineManager(Filer, "TableManager", *master.TableManager());
    DefineManager(Filer, "XAxisManager", *master.XAxisManager());
    DefineManager(Filer, "YAxisManager", *master.YAxisManager());
    DefineManager(Filer, "ChannelManager", *master.ChannelManager());
    DefineManager(Filer, "DataViewManager", *master.DataViewManager());
    DefineManager(Filer, "DataCursorManager", *master.DataCursorManager());
    DefineManager(Filer, "LimitManager", *master.LimitManager());
    DefineManager(Filer, "LabelManager", *master.LabelManager());
    TkPlotTranslationManager& table = *master.TranslationManager();
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
