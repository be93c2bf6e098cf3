#pragma once
// The stand-in for the plot around its objects, shared by the tests of every
// kind of plot object: an owner that (as a plot) offers the plot's services
// and records what the objects report (their own input too when asked), or
// (without a host) a bare owner that offers nothing.
//
// As a plot it holds objects by name (those made with Add and those listed
// with List, indexed by kind so that the objects' references to each other
// resolve), hears what they report of themselves (or hands it to a master
// manager under test, ReportTo), forwards axis gestures
// behind a re-entry flag, keeps the occupied rectangles of one paint, maps
// data-view percent to pixels when given a data view, and writes the events
// it hears into Log (clicks, finished moves, tracking off, zoom box) and
// Events (scale changes).

#include <algorithm>
#include <concepts>
#include <array>
#include <functional>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/objects/kPlotHostServices.h"
#include "components/plot/layout/kPlotLegend.h"
#include "platform/Math.h"
#include "platform/SysUtils.h"

class TkPlotTranslationManager;

namespace PlotTest {

// Hears what objects report of themselves and lets it pass; a stand-in
// overrides the reports it follows.
class TPassedReports : public TkPlotReportHost {
public:
    void Inserted(TkPlotObject&) override {}
    void Removed(TObject&) override {}
    void Renamed(TkPlotObject&) override {}
    void Changed() override {}
    void LayoutChanged(TkPlotObject&) override {}
    void Selected(TkPlotObject&) override {}
    void EditRequested(TkPlotObject&) override {}
    void RepaintNow() override {}

protected:
    ~TPassedReports() = default;
};

// The parts come before the owner: they are whole when it takes them.
class TStandInPlot : public TkPlotEventHost,
                     public TkPlotObjectsHost,
                     public TkPlotInputHost,
                     public TkPlotCommandHost,
                     public TkPlotPaintHost,
                     public TPassedReports,
                     public TkPlotObjectOwner {
public:
    enum THostStyle { AsPlot, AsPlotLoggingInput, Bare };

    // Editor: what the editor dialog needs, from the test that uses it;
    // without it no dialog opens. The objects' files take their defaults.
    explicit TStandInPlot(THostStyle Style = AsPlot, TkPlotEditorHost* Editor = nullptr)
        : TkPlotObjectOwner(Style == Bare ? NoPlotHost
                                          : TkPlotHost{this, this, this, this, this, nullptr, Editor, this}),
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

    // What the objects report goes to Reports (a master manager under test)
    // rather than to this plot.
    void ReportTo(TkPlotReportHost* Reports)
    {
        TkPlotHost host = Host();
        host.Reports = Reports;
        SetHost(host);
    }

    // Makes an object with the plot as its owner, names and lists it; the
    // plot frees it at its end.
    template <class T>
    T* Add(const String& Name)
    {
        T* object = Create<T>(this);
        object->SetName(Name);
        FMade.push_back(object);
        List(object);
        return object;
    }
    template <class T = TkPlotXAxis>
    T* PutAxis(const String& Name, const TRect& Layout, Double Min, Double Span)
    {
        T* axis = Add<T>(Name);
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

    // --- what the objects report of themselves ---------------------------------------------
    void Removed(TObject& Member) override
    {
        if (auto* object = dynamic_cast<TkPlotObject*>(&Member)) {
            std::erase(FMade, object);
            Unlist(object);
        }
    }
    void Renamed(TkPlotObject& Object) override
    {
        if (TkPlotNameIndex* names = Names(Object.Kind())) names->Rename(&Object);
    }
    void Changed() override { ++Changes; }
    // The objects' requests for an immediate repaint.
    void RepaintNow() override { ++Repaints; }

    // --- the published events: what the objects report -------------------------------------
    void Fire(const TkPlotEvent& Event) override
    {
        std::visit(
            TkPlotEventHandlers{
                [this](const PlotEvent::MouseDown& R) {
                    Record("mouse down " + R.Object->Name() + " " + IntToStr(R.X) + "," + IntToStr(R.Y));
                },
                [this](const PlotEvent::MouseMove& R) { Record("mouse move " + R.Object->Name()); },
                [this](const PlotEvent::MouseUp& R) { Record("mouse up " + R.Object->Name()); },
                [this](const PlotEvent::MouseWheel& R) {
                    Record("wheel " + R.Object->Name() + " " + IntToStr(R.WheelDelta));
                },
                [this](const PlotEvent::GotFocus& R) { Record("got focus " + R.Object->Name()); },
                [this](const PlotEvent::LostFocus& R) { Record("lost focus " + R.Object->Name()); },
                [this](const PlotEvent::PopupMenu& R) {
                    Record("popup " + R.Object->Name() + " " + IntToStr(R.ScreenX) + "," + IntToStr(R.ScreenY));
                    R.Cancel = CancelPopup;
                },
                [this](const PlotEvent::Click& R) { Log.push_back("click " + R.Object->Name()); },
                [this](const PlotEvent::AxisMinChange& R) { Events.push_back("min " + Text(R.OldValue, R.NewValue)); },
                [this](const PlotEvent::AxisSpanChange& R) {
                    Events.push_back("span " + Text(R.OldValue, R.NewValue));
                },
                [this](const PlotEvent::AxisMinSpanChange& R) {
                    ++MinSpanEvents;
                    Events.push_back("min-span " + Text(R.OldMin, R.OldSpan, R.NewMin, R.NewSpan));
                },
                [this](const PlotEvent::AxisMinSpanChangeFinished& R) {
                    Log.push_back("finished " + R.Axis->Name() + " " + Text(R.OldMin, R.OldSpan, R.NewMin, R.NewSpan));
                },
                [this](const PlotEvent::AxisCustomizeLabel& R) { Call(OnCustomizeLabel, R.Axis, R.Text, R.Value); },
                [this](const PlotEvent::AxisCustomizeHint& R) { Call(OnCustomizeHint, R.Axis, R.Text); },
                [this](const PlotEvent::BeforeZoomBox& R) {
                    const TRect& box = R.ZoomRect;
                    Log.push_back("before zoom box " + IntToStr(box.Left) + "," + IntToStr(box.Top) + "," +
                                  IntToStr(box.Right) + "," + IntToStr(box.Bottom));
                    Call(OnBeforeZoomBox, R.ZoomRect, R.Cancel);
                },
                // "1:50>70": line 1 moved from 50 to 70.
                [this](const PlotEvent::LimitLineMove& R) { NoteMove(R.Line, R.OldValue, R.NewValue); },
                // "moved Annotation 1", "resized ...", "coordinates ...", "finished ...".
                [this](const PlotEvent::Annotation& R) {
                    static const char* const kWords[] = {"coordinates", "moved", "resized", "finished"};
                    Log.push_back(String(kWords[R.Event]) + " " + R.Object->Name());
                    Call(OnAnnotationEvent, R.Object, R.Event);
                },
                // "before 7", "after 7": by the command's code.
                [this](const PlotEvent::BeforeToolBarButtonClick& R) {
                    Log.push_back("before " + IntToStr(Integer{R.Type}));
                    R.Cancel = CancelCommands.contains(R.Type);
                },
                [this](const PlotEvent::ToolBarButtonClick& R) { Log.push_back("after " + IntToStr(Integer{R.Type})); },
                [this](const PlotEvent::ToolBarCustomizeHint& R) { Call(OnToolBarHint, R.Text); },
                [this](const PlotEvent::BeforeDataCursorUpdate&) { Log.push_back("before cursor update"); },
                [this](const PlotEvent::DataCursorChange&) { Log.push_back("cursor change"); },
                [this](const PlotEvent::DataCursorCustomizeHint& R) { Call(OnCursorHint, R.Text); },
                // "point down 0:3", "point click 0:3", "point moved 0:3 1,2>4,5"...: the
                // channel's place among the listed channels, then the point's index.
                [this](const PlotEvent::DataPointMouseDown& R) { NotePoint("down", R.Channel, R.DataIndex); },
                [this](const PlotEvent::DataPointMouseMove& R) { NotePoint("move", R.Channel, R.DataIndex); },
                [this](const PlotEvent::DataPointMouseUp& R) { NotePoint("up", R.Channel, R.DataIndex); },
                [this](const PlotEvent::DataPointClick& R) { NotePoint("click", R.Channel, R.DataIndex); },
                [this](const PlotEvent::DataPointMoved& R) {
                    NotePoint("moved", R.Channel, R.DataIndex,
                              " " + FloatToStr(R.OldX) + "," + FloatToStr(R.OldY) + ">" + FloatToStr(R.NewX) + "," +
                                  FloatToStr(R.NewY));
                },
                [this](const PlotEvent::DataPointCustomizeHint& R) { Call(OnPointHint, R.Text); },
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
    TkPlotExtents ChannelExtents(const TkPlotAxis& Axis, bool Visible) const override
    {
        TkPlotExtents extents;
        for (TkPlotChannelCustom* channel : Channels()) channel->WidenExtents(Axis, Visible, extents);
        return extents;
    }

    // --- the user's gestures --------------------------------------------------------------------
    TPoint PlotClientToScreen(const TPoint& P) const override { return Point(P.X + 1000, P.Y + 2000); }
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
    // What the plot hands Object in a paint on Canvas: the scales found from
    // its settings, the exchange of axes it follows, the data view when
    // there is one, every listed axis's marks, and the room taken (Occupied, inside
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
            FPaintMarks[x].assign(axes.begin(), axes.end());
            (x ? context.XMarks : context.YMarks) = FPaintMarks[x];
        }
        FOccupied.emplace(Occupied, ReferenceView);
        context.Occupied = &*FOccupied;
        return context.WithScales(Object.BoundScales());
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
    bool RepaintQueued() const override { return PendingRepaint; }
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
    // The values, a space between them.
    static String Text(Double First, std::same_as<Double> auto... Rest)
    {
        String text = FloatToStr(First);
        ((text += " " + FloatToStr(Rest)), ...);
        return text;
    }
    // A hook of the test's, when set.
    template <class H, class... A>
    static void Call(const H& Hook, A&&... Args)
    {
        if (Hook) Hook(std::forward<A>(Args)...);
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
    void NotePoint(const char* Event, TkPlotChannelCustom* Channel, Integer Index, const String& More = "")
    {
        const std::vector<TkPlotChannelCustom*> channels = Channels();
        const auto place = std::find(channels.begin(), channels.end(), Channel) - channels.begin();
        Log.push_back("point " + String(Event) + " " + IntToStr(Integer(place)) + ":" + IntToStr(Index) + More);
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
    // The names of the listed objects, by kind.
    std::array<TkPlotNameIndex, PlotObjectKindCount> FNames;
    std::vector<TkPlotObject*> FMade;
    std::array<std::vector<const TkPlotTickMarks*>, 2> FPaintMarks;
    std::optional<TkPlotOccupiedRects> FOccupied;
};

}  // namespace PlotTest
