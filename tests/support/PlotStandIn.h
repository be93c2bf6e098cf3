#pragma once
// The stand-in for the plot around its objects, shared by the tests of every
// kind of plot object: an owner that (as a plot) offers the plot's services
// and records what the objects report (their own input too when asked), or
// (without a host) a bare owner that offers nothing.
//
// As a plot it holds objects by name (those made with Add and those listed
// with List, indexed by kind so that the objects' references to each other
// resolve), routes their hooks as the plot does, forwards axis gestures
// behind a re-entry flag, keeps the occupied rectangles of one paint, maps
// data-view percent to pixels when given a data view, and writes the events
// it hears into Log (clicks, finished moves, tracking off, zoom box) and
// Events (scale changes).

#include <algorithm>
#include <array>
#include <functional>
#include <optional>
#include <set>
#include <vector>

#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/objects/kPlotHostServices.h"
#include "components/plot/layout/kPlotLegend.h"
#include "platform/Math.h"
#include "platform/SysUtils.h"

class TkPlotTranslationManager;

namespace PlotTest {

// The parts come before the owner: they are whole when it takes them.
class TStandInPlot : public TkPlotEventHost,
                     public TkPlotObjectsHost,
                     public TkPlotInputHost,
                     public TkPlotCommandHost,
                     public TkPlotPaintHost,
                     public TkPlotObjectOwner {
public:
    enum THostStyle { AsPlot, AsPlotLoggingInput, Bare };

    // Files: what the objects' files and the editor dialog need, from the
    // test that uses them; without it the files take their defaults and no
    // dialog opens.
    explicit TStandInPlot(THostStyle Style = AsPlot, TkPlotFileHost* Files = nullptr)
        : TkPlotObjectOwner(Style == Bare ? NoPlotHost : TkPlotHost{this, this, this, this, this, Files}),
          RecordEntryPoints(Style == AsPlotLoggingInput)
    {
    }
    TStandInPlot(const TStandInPlot&) = delete;
    TStandInPlot& operator=(const TStandInPlot&) = delete;
    virtual ~TStandInPlot()
    {
        while (!FMade.empty()) Free(FMade.back());
    }

    // --- what the plot heard -------------------------------------------------------------
    std::vector<String> Log;
    std::vector<String> Events;
    // The objects' entry points (mouse, focus, popup) go into Log too.
    const bool RecordEntryPoints;
    bool CancelPopup = false;
    TkPlotTranslationManager* Table = nullptr;
    Integer Changes = 0;
    Integer Repaints = 0;
    Integer MinSpanEvents = 0;
    // The objects' requests for the plot's names.
    Integer Lookups = 0;
    std::vector<String> Moves;
    std::vector<String> Draws;

    // --- what the plot offers ------------------------------------------------------------
    std::vector<TkPlotObject*> Objects;
    bool TimePlot = false;
    bool ZoomBoxMode = false;
    bool SelectMode = false;
    bool Forwarding = false;
    std::vector<TRect> Occupied;
    TRect ReferenceView;
    bool HasDataView = false;
    TRect DataView = Rect(50, 50, 150, 150);
    // A repaint is asked for: the channels report no more new points.
    bool PendingRepaint = false;
    std::array<Integer, 3> ImageCounts{};
    Integer ImageWidth = 16;
    std::function<void(TRect&, bool&)> OnBeforeZoomBox;
    std::function<void(TkPlotAxis*, String&)> OnCustomizeHint;
    std::function<void(TkPlotAxis*, String&, Double)> OnCustomizeLabel;
    std::function<void(TkPlotObject*, TkPlotAnnotationEvent)> OnAnnotationEvent;
    bool ClipAnnotations = true;
    std::function<void(String&)> OnToolBarHint;
    std::function<void(String&)> OnPointHint;
    std::function<void(String&)> OnCursorHint;
    // The toolbar commands whose before-event cancels them.
    std::set<TkPlotToolBarButtonType> CancelCommands;

    // Makes an object with the plot's hooks, names and lists it; the plot
    // frees it at its end.
    template <class T>
    T* Add(const String& Name)
    {
        T* object = Create<T>(this, [this](TObject*) { ++Changes; }, [](TObject*) {},
                              [this](TObject* Sender) { Removed(static_cast<TkPlotObject*>(Sender)); },
                              [this](TObject* Sender) { Renamed(static_cast<TkPlotObject*>(Sender)); });
        object->SetName(Name);
        FMade.push_back(object);
        List(object);
        return object;
    }
    // Add, counting the object's requests for an immediate repaint.
    template <class T>
    T* Put(const String& Name)
    {
        T* object = Add<T>(Name);
        object->SetOnInvalidateNow([this](TObject*) { ++Repaints; });
        return object;
    }
    template <class T = TkPlotXAxis>
    T* PutAxis(const String& Name, const TRect& Layout, Double Min, Double Span)
    {
        T* axis = Put<T>(Name);
        axis->SetHorizontal(axis->IsXAxis());
        axis->SetLayoutRect(Layout);
        axis->SetDrawRect(Layout);
        axis->SetMinSpan(Min, Span);
        return axis;
    }
    // Lists an object made elsewhere (its maker frees it), or takes it off.
    void List(TkPlotObject* Object)
    {
        Objects.push_back(Object);
        if (TkPlotNameIndex* names = Names(Object->Kind())) names->Insert(Object);
    }
    void Unlist(TkPlotObject* Object)
    {
        std::erase(Objects, Object);
        if (TkPlotNameIndex* names = Names(Object->Kind())) names->Remove(Object);
    }
    // What the rename hook of the objects made with Add reports.
    void Renamed(TkPlotObject* Object)
    {
        if (TkPlotNameIndex* names = Names(Object->Kind())) names->Rename(Object);
    }

    // --- the published events: what the objects report -------------------------------------
    void Fire(const TkPlotEvent& Event) override
    {
            std::visit(
            TkPlotEventHandlers{
                [this](const PlotEvent::MouseDown& E) {
                    Record("mouse down " + E.Object->Name() + " " + IntToStr(E.X) + "," + IntToStr(E.Y));
                },
                [this](const PlotEvent::MouseMove& E) { Record("mouse move " + E.Object->Name()); },
                [this](const PlotEvent::MouseUp& E) { Record("mouse up " + E.Object->Name()); },
                [this](const PlotEvent::MouseWheel& E) { Record("wheel " + E.Object->Name() + " " + IntToStr(E.WheelDelta)); },
                [this](const PlotEvent::GotFocus& E) { Record("got focus " + E.Object->Name()); },
                [this](const PlotEvent::LostFocus& E) { Record("lost focus " + E.Object->Name()); },
                [this](const PlotEvent::PopupMenu& E) {
                    Record("popup " + E.Object->Name() + " " + IntToStr(E.ScreenX) + "," + IntToStr(E.ScreenY));
                    E.Cancel = CancelPopup;
                },
                [this](const PlotEvent::Click& E) { Log.push_back("click " + E.Object->Name()); },
                [this](const PlotEvent::AxisMinChange& E) {
                    Events.push_back("min " + FloatToStr(E.OldValue) + " " + FloatToStr(E.NewValue));
                },
                [this](const PlotEvent::AxisSpanChange& E) {
                    Events.push_back("span " + FloatToStr(E.OldValue) + " " + FloatToStr(E.NewValue));
                },
                [this](const PlotEvent::AxisMinSpanChange& E) {
                    ++MinSpanEvents;
                    Events.push_back("min-span " + MinSpanText(E.OldMin, E.OldSpan, E.NewMin, E.NewSpan));
                },
                [this](const PlotEvent::AxisMinSpanChangeFinished& E) {
                    Log.push_back("finished " + E.Axis->Name() + " " +
                                  MinSpanText(E.OldMin, E.OldSpan, E.NewMin, E.NewSpan));
                },
                [this](const PlotEvent::AxisCustomizeLabel& E) {
                    if (OnCustomizeLabel) OnCustomizeLabel(E.Axis, E.Text, E.Value);
                },
                [this](const PlotEvent::AxisCustomizeHint& E) {
                    if (OnCustomizeHint) OnCustomizeHint(E.Axis, E.Text);
                },
                [this](const PlotEvent::BeforeZoomBox& E) {
                    const TRect& box = E.ZoomRect;
                    Log.push_back("before zoom box " + IntToStr(box.Left) + "," + IntToStr(box.Top) + "," +
                                  IntToStr(box.Right) + "," + IntToStr(box.Bottom));
                    if (OnBeforeZoomBox) OnBeforeZoomBox(E.ZoomRect, E.Cancel);
                },
                // "1:50>70": line 1 moved from 50 to 70.
                [this](const PlotEvent::LimitLineMove& E) { NoteMove(E.Line, E.OldValue, E.NewValue); },
                // "moved Annotation 1", "resized ...", "coordinates ...", "finished ...".
                [this](const PlotEvent::Annotation& E) {
                    static const char* const kWords[] = {"coordinates", "moved", "resized", "finished"};
                    Log.push_back(String(kWords[E.Event]) + " " + E.Object->Name());
                    if (OnAnnotationEvent) OnAnnotationEvent(E.Object, E.Event);
                },
                // "before 7", "after 7": by the command's code.
                [this](const PlotEvent::BeforeToolBarButtonClick& E) {
                    Log.push_back("before " + IntToStr(Integer{E.Type}));
                    E.Cancel = CancelCommands.contains(E.Type);
                },
                [this](const PlotEvent::ToolBarButtonClick& E) { Log.push_back("after " + IntToStr(Integer{E.Type})); },
                [this](const PlotEvent::ToolBarCustomizeHint& E) {
                    if (OnToolBarHint) OnToolBarHint(E.Text);
                },
                [this](const PlotEvent::BeforeDataCursorUpdate&) { Log.push_back("before cursor update"); },
                [this](const PlotEvent::DataCursorChange&) { Log.push_back("cursor change"); },
                [this](const PlotEvent::DataCursorCustomizeHint& E) {
                    if (OnCursorHint) OnCursorHint(E.Text);
                },
                // "point down 0:3", "point click 0:3", "point moved 0:3 1,2>4,5"...: the
                // channel's place among the listed channels, then the point's index.
                [this](const PlotEvent::DataPointMouseDown& E) { Log.push_back("point down " + PointName(E.Channel, E.DataIndex)); },
                [this](const PlotEvent::DataPointMouseMove& E) { Log.push_back("point move " + PointName(E.Channel, E.DataIndex)); },
                [this](const PlotEvent::DataPointMouseUp& E) { Log.push_back("point up " + PointName(E.Channel, E.DataIndex)); },
                [this](const PlotEvent::DataPointClick& E) { Log.push_back("point click " + PointName(E.Channel, E.DataIndex)); },
                [this](const PlotEvent::DataPointMoved& E) {
                    Log.push_back("point moved " + PointName(E.Channel, E.DataIndex) + " " + FloatToStr(E.OldX) +
                                  "," + FloatToStr(E.OldY) + ">" + FloatToStr(E.NewX) + "," + FloatToStr(E.NewY));
                },
                [this](const PlotEvent::DataPointCustomizeHint& E) {
                    if (OnPointHint) OnPointHint(E.Text);
                },
                [this](const PlotEvent::AfterOpenEditor&) { Log.push_back("after open editor"); },
                [](const PlotEvent::GetMouseCursor&) {},
            },
            Event);
    }

    // --- what the plot holds ---------------------------------------------------------------
    TkPlotNameIndex* NameIndex(TkPlotObjectKind Kind) override
    {
        ++Lookups;
        return Names(Kind);
    }
    Integer AxisCount(bool XAxes) const override { return static_cast<Integer>(AxesOf(XAxes).size()); }
    TkPlotAxis* GetAxis(bool XAxes, Integer Index) const override { return AxesOf(XAxes).at(Index); }
    Integer ChannelCount() const override { return static_cast<Integer>(Channels().size()); }
    TkPlotChannelCustom* GetChannel(Integer Index) const override { return Channels().at(Index); }
    bool IsTkPlot() const override { return TimePlot; }
    TkPlotTranslationManager* PlotTranslationManager() const override { return Table; }

    // --- the user's gestures --------------------------------------------------------------------
    TPoint PlotClientToScreen(const TPoint& P) const override { return Point(P.X + 1000, P.Y + 2000); }
    void AxesDoMouseLeft(TkPlotAxis* Axis, const TkPlotMouseData& M) override
    {
        Forward(Axis, [&](TkPlotAxis* Other) { Other->DoMouseLeft(M); });
    }
    void AxesDoMouseMove(TkPlotAxis* Axis, const TkPlotMouseData& M) override
    {
        Forward(Axis, [&](TkPlotAxis* Other) { Other->DoMouseMove(M); });
    }
    void AxesDoMouseUp(TkPlotAxis* Axis, const TkPlotMouseData& M) override
    {
        Forward(Axis, [&](TkPlotAxis* Other) { Other->DoMouseUp(M); });
    }
    void AxesDoMouseWheel(TkPlotAxis* Axis, Integer Delta, TShiftState Shift, Integer X, Integer Y) override
    {
        Forward(Axis, [&](TkPlotAxis* Other) { Other->DoMouseWheel(Delta, Shift, X, Y); });
    }
    void AxesKeyDown(TkPlotAxis* Axis, Word& Key, TShiftState Shift) override
    {
        Forward(Axis, [&](TkPlotAxis* Other) { Other->kKeyDown(Key, Shift, nullptr); });
    }
    bool AxesForwarding() const override { return Forwarding; }
    void SetAxesForwarding(bool Value) override { Forwarding = Value; }
    bool IsToolBarZoomBoxMode() const override { return ZoomBoxMode; }
    bool IsToolBarSelectMode() const override { return SelectMode; }
    bool LegendEntryHit(const TkPlotChannelCustom* Channel, TPoint P) const override
    {
        std::vector<const TkPlotChannelCustom*> hit;
        for (TkPlotObject* object : Objects)
            if (object->Kind() == kpokLegend) static_cast<TkPlotLegend*>(object)->AddChannelsOnEntries(P, hit);
        return std::find(hit.begin(), hit.end(), Channel) != hit.end();
    }
    // Seven pixels a character, twelve a line.
    TSize HintTextExtent(const String& Text) override { return {static_cast<Integer>(Text.size()) * 7, 12}; }
    // What the plot hands Object in a paint on Canvas: the axes found from
    // its settings, the exchange of axes it follows, the data view when
    // there is one, every listed axis, and the room taken (Occupied, inside
    // ReferenceView). Without a canvas: what a hit test gets.
    TkPlotPaintContext PaintContext(TkPlotObject& Object, TCanvas* Canvas = nullptr, TColor BackGround = clBlack)
    {
        TkPlotPaintContext context;
        context.Canvas = Canvas;
        context.BackGroundColor = BackGround;
        context.XYAxesReversed = Object.XYAxesReversed();
        context.ClipAnnotationsToAxes = ClipAnnotations;
        if (HasDataView) context.DataView = DataView;
        for (const bool x : {true, false}) {
            const std::vector<TkPlotAxis*> axes = AxesOf(x);
            FPaintAxes[x].assign(axes.begin(), axes.end());
            (x ? context.XAxes : context.YAxes) = FPaintAxes[x];
        }
        FOccupied.emplace(Occupied, ReferenceView);
        context.Occupied = &*FOccupied;
        return context.WithAxes(Object.BoundAxes());
    }
    TkPlotPaintContext HitTestContext(TkPlotObject& Object) override { return PaintContext(Object); }

    // --- commands on the whole plot ---------------------------------------------------------------
    void EnableAllTracking() override
    {
        Log.push_back("tracking on");
        SetTracking(true);
    }
    void DisableAllTracking() override
    {
        Log.push_back("tracking off");
        SetTracking(false);
    }
    void ClearAllUserSelections() override
    {
        Log.push_back("deselect all");
        for (TkPlotObject* object : Objects) object->SetUserSelected(false);
    }
    void ShowDataCursors(bool Value) override { Log.push_back(Value ? "cursors shown" : "cursors hidden"); }
    void ShowCursorReadoutInLegend() override { Log.push_back("readout in legend"); }
    void EditProperties() override { Log.push_back("edit"); }
    // "output 12"...: by the command's code.
    void DoToolBarOutput(TkPlotToolBarButtonType Command) override
    {
        Log.push_back("output " + IntToStr(Integer{Command}));
    }

    // --- painting and layout -----------------------------------------------------------------------
    bool RepaintPending() const override { return PendingRepaint; }
    TkPlotExtents ChannelExtents(const TkPlotAxis& Axis, bool Visible) const override
    {
        TkPlotExtents extents;
        for (TkPlotChannelCustom* channel : Channels()) channel->WidenExtents(Axis, Visible, extents);
        return extents;
    }
    bool DataViewPercentToPixels(Double Percent, bool Vertical, Integer& Pixel) const override
    {
        if (!HasDataView) return false;
        const Integer size = Vertical ? DataView.Bottom - DataView.Top : DataView.Right - DataView.Left;
        Pixel = Vertical ? RoundPix(size * (100 - Percent) / 100 + DataView.Top)
                         : RoundPix(size * Percent / 100 + DataView.Left);
        return true;
    }
    // Image lists: ImageCounts pictures of ImageWidth pixels; each drawing is logged.
    Integer PlotImageCount(Integer ListIndex) const override
    {
        return ListIndex >= 0 && ListIndex < 3 ? ImageCounts[static_cast<std::size_t>(ListIndex)] : 0;
    }
    Integer PlotImageWidth(Integer) const override { return ImageWidth; }
    void PlotDrawImage(TCanvas*, Integer ListIndex, Integer ImageIndex, Integer X, Integer Y, bool Enabled) override
    {
        Draws.push_back(IntToStr(ListIndex) + ":" + IntToStr(ImageIndex) + " at " + IntToStr(X) + "," + IntToStr(Y) +
                        (Enabled ? "" : " disabled"));
    }

private:
    void Record(const String& Entry)
    {
        if (RecordEntryPoints) Log.push_back(Entry);
    }
    static String MinSpanText(Double OldMin, Double OldSpan, Double NewMin, Double NewSpan)
    {
        return FloatToStr(OldMin) + " " + FloatToStr(OldSpan) + " " + FloatToStr(NewMin) + " " + FloatToStr(NewSpan);
    }
    void NoteMove(Integer Line, Double Old, Double New)
    {
        const auto text = [](Double Value) { return std::fabs(Value) < 1e9 ? IntToStr(Round(Value)) : String("far"); };
        Moves.push_back(IntToStr(Line) + ":" + text(Old) + ">" + text(New));
    }
    TkPlotNameIndex* Names(TkPlotObjectKind Kind)
    {
        return Kind < kpokNone ? &FNames[static_cast<std::size_t>(Kind)] : nullptr;
    }
    String PointName(TkPlotChannelCustom* Channel, Integer Index) const
    {
        const std::vector<TkPlotChannelCustom*> channels = Channels();
        const auto place = std::find(channels.begin(), channels.end(), Channel) - channels.begin();
        return IntToStr(Integer(place)) + ":" + IntToStr(Index);
    }
    void SetTracking(bool Value)
    {
        for (const bool x : {true, false})
            for (TkPlotAxis* axis : AxesOf(x)) axis->SetTrackingEnabled(Value);
    }
    std::vector<TkPlotAxis*> AxesOf(bool XAxes) const
    {
        std::vector<TkPlotAxis*> result;
        for (TkPlotObject* object : Objects)
            if (object->Kind() == (XAxes ? kpokXAxis : kpokYAxis)) result.push_back(static_cast<TkPlotAxis*>(object));
        return result;
    }
    std::vector<TkPlotChannelCustom*> Channels() const
    {
        std::vector<TkPlotChannelCustom*> result;
        for (TkPlotObject* object : Objects)
            if (object->Kind() == kpokChannel) result.push_back(static_cast<TkPlotChannelCustom*>(object));
        return result;
    }
    void Forward(TkPlotAxis* Axis, const std::function<void(TkPlotAxis*)>& Action)
    {
        if (Forwarding) return;
        Forwarding = true;
        for (TkPlotAxis* other : AxesOf(Axis->IsXAxis()))
            if (other != Axis) Action(other);
        Forwarding = false;
    }
    void Removed(TkPlotObject* Object)
    {
        std::erase(FMade, Object);
        Unlist(Object);
    }

    // The names of the listed objects, by kind.
    std::array<TkPlotNameIndex, PlotObjectKindCount> FNames;
    std::vector<TkPlotObject*> FMade;
    std::array<std::vector<const TkPlotAxis*>, 2> FPaintAxes;
    std::optional<TkPlotOccupiedRects> FOccupied;
};

}  // namespace PlotTest
