#include "components/plot/input/kPlotToolBar.h"

#include <algorithm>
#include <cmath>

#include "components/foundation/kCommonRoutines.h"
#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/objects/kPlotHostServices.h"
#include "platform/ImgList.h"
#include "platform/Math.h"

namespace {

constexpr Integer kLargeButton = 30;
constexpr Integer kSmallButton = 22;
constexpr Integer kLargeImage = 24;
constexpr Integer kSmallImage = 16;
constexpr Integer kSpacerWidth = 10;
// Between the strip's edge and its buttons.
constexpr Integer kInset = 3;

// Group -1: Select and Zoom Box exclude each other; -2: Cursor alone;
// 2: the axes' modes.
constexpr TkPlotToolBarButtonSpec kResume{kptbbtResume, 0, "Resume All (Tracking)", "AUTO"};
constexpr TkPlotToolBarButtonSpec kPause{kptbbtPause, 0, "Pause All (Tracking)", "PAUSE"};
constexpr TkPlotToolBarButtonSpec kScroll{kptbbtScrollAxesMode, 2, "Scroll (Axes)", "SCROLL"};
constexpr TkPlotToolBarButtonSpec kZoom{kptbbtZoomAxesMode, 2, "Zoom (Axes)", "ZOOM"};
constexpr TkPlotToolBarButtonSpec kZoomOut{kptbbtZoomOut, 0, "Zoom Out All Axes", "ZOOMOUT"};
constexpr TkPlotToolBarButtonSpec kZoomIn{kptbbtZoomIn, 0, "Zoom In All Axes", "ZOOMIN"};
constexpr TkPlotToolBarButtonSpec kSelect{kptbbtSelect, -1, "Select", "SELECT"};
constexpr TkPlotToolBarButtonSpec kZoomBox{kptbbtZoomBox, -1, "Zoom Box", "SCROLLBOX"};
constexpr TkPlotToolBarButtonSpec kCursor{kptbbtCursor, -2, "Cursor", "CURSOR"};
constexpr TkPlotToolBarButtonSpec kEdit{kptbbtEdit, 0, "Properties", "PROPERTIES"};
constexpr TkPlotToolBarButtonSpec kCopy{kptbbtCopy, 0, "Copy to Clipboard", "COPY"};
constexpr TkPlotToolBarButtonSpec kSave{kptbbtSave, 0, "Save to File", "SAVE"};
constexpr TkPlotToolBarButtonSpec kPrint{kptbbtPrint, 0, "Print", "PRINTER"};
constexpr TkPlotToolBarButtonSpec kPreview{kptbbtPreview, 0, "Preview", "PREVIEW"};

// Calls Action with every X axis, then every Y axis, counting again at each
// step: an axis event may take axes away.
template <class F>
void ForEachAxis(const TkPlotObjectsHost& Plot, F Action)
{
    for (const bool xAxes : {true, false})
        for (Integer i = 0; i < Plot.AxisCount(xAxes); ++i) Action(*Plot.GetAxis(xAxes, i));
}

}  // namespace

TClass TkPlotToolBar::StaticClassInfo()
{
    using C = TkPlotToolBar;
    static const TClassInfo info =
        TClassBuilder<C, TkPlotLayoutObject>("TkPlotToolBar")
            .Float("ZoomInOutFactor", &C::ZoomInOutFactor, &C::SetZoomInOutFactor)
            .Bool("ShowResumeButton", &C::ShowResumeButton, &C::SetShowResumeButton)
            .Bool("ShowPauseButton", &C::ShowPauseButton, &C::SetShowPauseButton)
            .Bool("ShowAxesModeButtons", &C::ShowAxesModeButtons, &C::SetShowAxesModeButtons)
            .Bool("ShowZoomInOutButtons", &C::ShowZoomInOutButtons, &C::SetShowZoomInOutButtons)
            .Bool("ShowSelectButton", &C::ShowSelectButton, &C::SetShowSelectButton)
            .Bool("ShowZoomBoxButton", &C::ShowZoomBoxButton, &C::SetShowZoomBoxButton)
            .Bool("ShowCursorButton", &C::ShowCursorButton, &C::SetShowCursorButton)
            .Bool("ShowEditButton", &C::ShowEditButton, &C::SetShowEditButton)
            .Bool("ShowCopyButton", &C::ShowCopyButton, &C::SetShowCopyButton)
            .Bool("ShowSaveButton", &C::ShowSaveButton, &C::SetShowSaveButton)
            .Bool("ShowPrintButton", &C::ShowPrintButton, &C::SetShowPrintButton)
            .Bool("ShowPreviewButton", &C::ShowPreviewButton, &C::SetShowPreviewButton)
            .Bool("FlatBorder", &C::FlatBorder, &C::SetFlatBorder)
            .Bool("FlatButtons", &C::FlatButtons, &C::SetFlatButtons)
            .Bool("SmallButtons", &C::SmallButtons, &C::SetSmallButtons)
            .Build();
    return &info;
}

TkPlotToolBar::TkPlotToolBar(TkPlotObjectOwner* AOwner)
    : TkPlotLayoutObject(AOwner),
      FImageList(CreateOwned<TImageList>(nullptr))
{
    FImageList->SetSize(kLargeImage, kLargeImage);
    SetHorizontal(true);
    AddButton(kResume);
    AddButton(kPause);
    AddSpacer({kptbbtResume, kptbbtPause});
    AddButton(kScroll)->SetDown(true);
    AddButton(kZoom);
    AddSpacer({kptbbtScrollAxesMode, kptbbtZoomAxesMode});
    AddButton(kZoomOut);
    AddButton(kZoomIn);
    AddSpacer({kptbbtZoomOut, kptbbtZoomIn});
    AddButton(kSelect)->SetVisible(false);
    AddButton(kZoomBox);
    AddButton(kCursor);
    AddSpacer({kptbbtZoomBox, kptbbtCursor});
    AddButton(kEdit);
    AddSpacer({kptbbtEdit});
    AddButton(kCopy);
    AddButton(kSave);
    AddButton(kPrint);
    AddButton(kPreview)->SetVisible(false);

    Button(kptbbtCursor)->SetOnDownChange([this](TObject* Sender) {
        TkPlotCommandHost* plot = Host().Commands;
        if (!plot) return;
        const bool down = static_cast<TkPlotButton*>(Sender)->Down();
        if (down) plot->DisableAllTracking();
        plot->ShowDataCursors(down);
    });
    Button(kptbbtSelect)->SetOnDownChange([this](TObject* Sender) {
        TkPlotCommandHost* plot = Host().Commands;
        if (plot && static_cast<TkPlotButton*>(Sender)->Down()) plot->DisableAllTracking();
    });
}

TkPlotToolBarButton* TkPlotToolBar::AddButton(const TkPlotToolBarButtonSpec& Spec)
{
    TOwned<TkPlotToolBarButton>& button =
        FEntries.emplace_back(CreateOwned<TkPlotToolBarButton>(Owner(), this, FImageList.get(), Spec));
    const TkPlotToolBarButtonType type = Spec.Type;
    button->SetOnClick([this, type](TObject*) { Command(type); });
    button->SetOnInvalidate([this](TObject*) { DoInvalidateNow(); });
    return button.get();
}

void TkPlotToolBar::AddSpacer(std::initializer_list<TkPlotToolBarButtonType> Group)
{
    TOwned<TkPlotToolBarButton>& spacer =
        FEntries.emplace_back(CreateOwned<TkPlotToolBarButton>(Owner(), this, FImageList.get()));
    FSpacers.push_back({spacer.get(), Group});
}

TkPlotToolBarButton* TkPlotToolBar::Button(TkPlotToolBarButtonType Type) const
{
    const auto found = std::find_if(FEntries.begin(), FEntries.end(), [Type](const TOwned<TkPlotToolBarButton>& E) {
        return E->Style() == kptbbsButton && E->ButtonType() == Type;
    });
    return found->get();
}

// ===========================================================================
// Properties
// ===========================================================================

void TkPlotToolBar::SetZoomInOutFactor(Double Value)
{
    // A factor that is not finite would spoil every span it zooms.
    SetProperty(FZoomInOutFactor, std::isfinite(Value) && Value >= 1.0 ? Value : 1.0, &TkPlotToolBar::DoChange);
}

void TkPlotToolBar::Show(std::initializer_list<TkPlotToolBarButtonType> Types, bool Value)
{
    for (const TkPlotToolBarButtonType type : Types) Button(type)->SetVisible(Value);
    DoChange();
}

void TkPlotToolBar::SetFlatButtons(bool Value)
{
    if (Value == FFlatButtons) return;
    FFlatButtons = Value;
    for (const TOwned<TkPlotToolBarButton>& entry : FEntries) entry->SetFlat(Value);
    DoChange();
}

void TkPlotToolBar::SetSmallButtons(bool Value)
{
    if (Value == FSmallButtons) return;
    FSmallButtons = Value;
    for (const TOwned<TkPlotToolBarButton>& entry : FEntries) entry->SetSmallImage(Value);
    FImageList->Clear();
    const Integer side = Value ? kSmallImage : kLargeImage;
    FImageList->SetSize(side, side);
    DoChange();
}

Integer TkPlotToolBar::ButtonSize() const { return FSmallButtons ? kSmallButton : kLargeButton; }

Integer TkPlotToolBar::GetRequiredSize(TCanvas*) { return ButtonSize() + 2 * kInset; }

// ===========================================================================
// Commands
// ===========================================================================

void TkPlotToolBar::Command(TkPlotToolBarButtonType Type)
{
    TWeakRef<TkPlotObject> self(this);
    bool cancel = false;
    Fire(PlotEvent::BeforeToolBarButtonClick{this, Type, cancel});
    if (!self || cancel) return;
    Act(Type);
    if (self && Type != kptbbtEdit) Fire(PlotEvent::ToolBarButtonClick{this, Type});
}

void TkPlotToolBar::Act(TkPlotToolBarButtonType Type)
{
    TkPlotCommandHost* plot = Host().Commands;
    switch (Type) {
    case kptbbtResume: Resume(); return;
    case kptbbtPause:
        if (plot) plot->DisableAllTracking();
        return;
    case kptbbtScrollAxesMode:
    case kptbbtZoomAxesMode: SetAxesMode(Type); return;
    case kptbbtZoomOut:
    case kptbbtZoomIn: ZoomAllAxes(Type == kptbbtZoomIn); return;
    case kptbbtSelect:
        Button(kptbbtSelect)->SetDown(!SelectDown());
        Button(kptbbtZoomBox)->SetDown(false);
        return;
    case kptbbtZoomBox:
        Button(kptbbtSelect)->SetDown(false);
        Button(kptbbtZoomBox)->SetDown(!ZoomBoxDown());
        return;
    case kptbbtCursor: Button(kptbbtCursor)->SetDown(!CursorDown()); return;
    case kptbbtEdit:
        if (plot) plot->EditProperties();
        return;
    case kptbbtCopy:
    case kptbbtSave:
    case kptbbtPrint:
    case kptbbtPreview:
        if (plot) plot->DoToolBarOutput(Type);
        return;
    }
}

void TkPlotToolBar::Resume()
{
    TWeakRef<TkPlotObject> self(this);
    if (CursorDown()) DoButtonClickCursor();
    if (self && SelectDown()) DoButtonClickSelect();
    if (!self) return;
    TkPlotCommandHost* plot = Host().Commands;
    if (!plot) return;
    plot->ClearAllUserSelections();
    plot->EnableAllTracking();
}

void TkPlotToolBar::SetAxesMode(TkPlotToolBarButtonType Type)
{
    const bool zoom = Type == kptbbtZoomAxesMode;
    Button(kptbbtScrollAxesMode)->SetDown(!zoom);
    Button(kptbbtZoomAxesMode)->SetDown(zoom);
    if (const TkPlotObjectsHost* plot = Host().Objects)
        ForEachAxis(*plot, [zoom](TkPlotAxis& Axis) { Axis.SetMode(zoom ? kpamZoom : kpamScroll); });
}

void TkPlotToolBar::ZoomAllAxes(bool In)
{
    TWeakRef<TkPlotObject> self(this);
    DoButtonClickPause();
    if (!self) return;
    const TkPlotObjectsHost* plot = Host().Objects;
    if (!plot) return;
    const Double factor = In ? 1.0 / FZoomInOutFactor : FZoomInOutFactor;
    // A log axis zooms by whole decades.
    const Double decades = In ? -1.0 : 1.0;
    ForEachAxis(*plot, [&](TkPlotAxis& Axis) { Axis.Zoom(Axis.ScaleType() == kpstLog10 ? decades : factor); });
}

// ===========================================================================
// Drawing and mouse
// ===========================================================================

void TkPlotToolBar::RefreshStates()
{
    for (const TSpacer& spacer : FSpacers)
        spacer.Spacer->SetVisible(std::any_of(spacer.Group.begin(), spacer.Group.end(),
                                              [this](TkPlotToolBarButtonType Type) { return ButtonShown(Type); }));
    bool anyTracking = false;
    bool anyPaused = false;
    if (const TkPlotObjectsHost* plot = Host().Objects)
        ForEachAxis(*plot, [&](const TkPlotAxis& Axis) { (Axis.TrackingEnabled() ? anyTracking : anyPaused) = true; });
    Button(kptbbtResume)->SetEnabled(anyPaused);
    Button(kptbbtPause)->SetEnabled(anyTracking);
}

void TkPlotToolBar::Draw(const TkPlotPaintContext& Context)
{
    TCanvas* canvas = Context.Canvas;
    if (!Visible()) return;
    const Integer size = ButtonSize();
    RefreshStates();
    TRect strip = DrawRect();
    strip.Right = SatInt32(Int64{strip.Right} + 1);
    canvas->Pen()->SetWidth(1);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(clBtnFace);
    canvas->FillRect(strip);
    if (!FFlatBorder) DrawFrame(canvas, DrawRect(), 1);
    Int64 x = Int64{DrawRect().Left} + kInset;
    const Int64 top = Int64{DrawRect().Top} + kInset;
    for (const TOwned<TkPlotToolBarButton>& entry : FEntries) {
        if (!entry->Visible()) continue;
        const Integer width = entry->Style() == kptbbsSpacer ? kSpacerWidth : size;
        entry->SetDrawRect(Rect(SatInt32(x), SatInt32(top), SatInt32(x + width), SatInt32(top + size)));
        entry->Draw(Context.WithBackGround(clBtnFace));
        x += width;
    }
}

TkPlotObject* TkPlotToolBar::GetObjectAtPoint(TPoint P)
{
    if (Visible())
        for (const TOwned<TkPlotToolBarButton>& entry : FEntries)
            if (entry->Visible() && PtInRect(entry->DrawRect(), P)) {
                SetMouseOverObject(entry.get());
                return entry.get();
            }
    return TkPlotLayoutObject::GetObjectAtPoint(P);
}

void TkPlotToolBar::NotificationSetFocus(TkPlotObject* AObject)
{
    TkPlotLayoutObject::NotificationSetFocus(AObject);
    if (AObject != this && AObject->UserSelected()) SetUserSelected(false);
}

void TkPlotToolBar::BuildPopupMenu(TPopupMenu* PopupMenu)
{
    TkPlotLayoutObject::BuildPopupMenu(PopupMenu);
    AddEditMenuItem(PopupMenu);
}
