#pragma once
// The kinds of plot objects, declared once: their names, classes and orders.
// Everything that goes through the kinds one by one (the plot's accessors,
// its form collections, its configuration files, its events per kind, the
// editor's pages, the master manager's routing) derives from this table.
//
// Nothing here includes the kinds' headers: the classes are only declared.

#include <algorithm>
#include <array>
#include <cstddef>
#include <tuple>

// One row per kind, in the order in which insertions and removals reach the
// managers, which is also the order of the form's collections and of the
// editor's pages. Columns:
//   Kind, Kinds  the kind's name (its configuration sections "XAxis0", its
//                form collection "XAxisManager", its events "OnAddXAxis",
//                its editor page) and the plural of its accessors
//                (RemoveAllXAxes)
//   Class        the class of its objects as the plot hands them out
//   NewName      the stem of its new objects' names ("X-Axis 1")
//   Config       its place in configuration files
//   Clear        its place among the kinds a configuration file replaces
//   New          its place among the objects of a new plot
//   Mouse        its place among the events of the mouse family
//                (OnMouseDown..., OnClick..., OnPopupMenu...)
//   Focus        its place among the events of the focus family
//   List         its place among the events of the list family (OnAdd...,
//                OnRemove..., OnGetMouseCursor...)
//   Form         streamed with the form
//   Page         has a page in the property editor
// A place of 0: not there.
#define PL_PLOT_KINDS(X)                                                                                \
    /* Kind       Kinds        Class                NewName       Config Clear New Mouse Focus List Form Page */ \
    X(ToolBar,    ToolBars,    TkPlotToolBar,       "Toolbar",    4,     0,    1,  0,    0,    0,   1,   1)    \
    X(Legend,     Legends,     TkPlotLegend,        "Legend",     5,     1,    2,  4,    6,    6,   1,   1)    \
    X(Table,      Tables,      TkPlotTable,         "Table",      6,     2,    0,  0,    0,    8,   1,   1)    \
    X(XAxis,      XAxes,       TkPlotXAxis,         "X-Axis",     2,     5,    3,  1,    2,    2,   1,   1)    \
    X(YAxis,      YAxes,       TkPlotYAxis,         "Y-Axis",     3,     6,    4,  2,    3,    3,   1,   1)    \
    X(Channel,    Channels,    TkPlotChannelCustom, "Channel",    1,     8,    5,  5,    1,    1,   1,   1)    \
    X(DataView,   DataViews,   TkPlotDataView,      "Data View",  8,     7,    6,  3,    5,    5,   1,   1)    \
    X(DataCursor, DataCursors, TkPlotDataCursor,    "Cursor",     9,     10,   7,  7,    4,    4,   1,   1)    \
    X(Limit,      Limits,      TkPlotLimit,         "Limit",      10,    4,    0,  6,    0,    7,   1,   1)    \
    X(Label,      Labels,      TkPlotLabel,         "Label",      7,     3,    8,  0,    0,    0,   1,   1)    \
    X(Annotation, Annotations, TkPlotAnnotation,    "Annotation", 0,     9,    0,  8,    7,    9,   0,   0)

#define PL_PLOT_KIND_DECLARE_CLASS(Kind, Kinds, Class, ...) class Class;
PL_PLOT_KINDS(PL_PLOT_KIND_DECLARE_CLASS)
#undef PL_PLOT_KIND_DECLARE_CLASS

// Every object answers its kind (Kind), so nothing needs to ask its class.
enum TkPlotObjectKind {
#define PL_PLOT_KIND_ENUMERATOR(Kind, ...) kpok##Kind,
    PL_PLOT_KINDS(PL_PLOT_KIND_ENUMERATOR)
#undef PL_PLOT_KIND_ENUMERATOR
    kpokNone
};
inline constexpr std::size_t PlotObjectKindCount = kpokNone;

constexpr bool IsAxisKind(TkPlotObjectKind Kind) { return Kind == kpokXAxis || Kind == kpokYAxis; }
// The kinds other objects refer to by name (kPlotObjectRef.h).
constexpr bool IsNamedReferenceKind(TkPlotObjectKind Kind) { return IsAxisKind(Kind) || Kind == kpokChannel; }

// A row of the table without its identifiers.
struct TkPlotKindInfo {
    const char* Name;
    const char* NewName;
    int Config;
    int Clear;
    int New;
    int Mouse;
    int Focus;
    int List;
    bool Form;
    bool Page;
};

inline constexpr std::array<TkPlotKindInfo, PlotObjectKindCount> PlotKinds = {{
#define PL_PLOT_KIND_INFO(Kind, Kinds, Class, NewName, Config, Clear, New, Mouse, Focus, List, Form, Page) \
    {#Kind, NewName, Config, Clear, New, Mouse, Focus, List, Form != 0, Page != 0},
    PL_PLOT_KINDS(PL_PLOT_KIND_INFO)
#undef PL_PLOT_KIND_INFO
}};

constexpr const TkPlotKindInfo& PlotKind(TkPlotObjectKind Kind) { return PlotKinds[static_cast<std::size_t>(Kind)]; }
// Whether the property editor has a page for Kind (none for kpokNone).
constexpr bool HasEditorPage(TkPlotObjectKind Kind)
{
    return static_cast<std::size_t>(Kind) < PlotObjectKindCount && PlotKind(Kind).Page;
}

// The classes of the kinds as the plot hands them out: a bundle with one
// member per kind (the master manager is written over such a bundle, so
// that tests can bring classes of their own), and the class of kind K.
struct TkPlotObjectKinds {
#define PL_PLOT_KIND_MEMBER(Kind, Kinds, Class, ...) using Kind = Class;
    PL_PLOT_KINDS(PL_PLOT_KIND_MEMBER)
#undef PL_PLOT_KIND_MEMBER
};
template <TkPlotObjectKind K>
using TkPlotKindClass = std::tuple_element_t<K, std::tuple<
#define PL_PLOT_KIND_CLASS(Kind, Kinds, Class, ...) Class,
    PL_PLOT_KINDS(PL_PLOT_KIND_CLASS)
#undef PL_PLOT_KIND_CLASS
    void>>;

// ---------------------------------------------------------------------------
// The orders of the table

namespace PlotKindsDetail {

// How many kinds Column places or marks.
template <auto Column>
constexpr std::size_t Count()
{
    return std::count_if(PlotKinds.begin(), PlotKinds.end(),
                         [](const TkPlotKindInfo& Kind) { return Kind.*Column != 0; });
}

// Every place of an order filled, each kind once.
template <std::size_t N>
constexpr bool EachKindOnce(const std::array<TkPlotObjectKind, N>& Kinds)
{
    for (std::size_t i = 0; i < N; ++i)
        if (Kinds[i] == kpokNone || std::count(Kinds.begin(), Kinds.end(), Kinds[i]) != 1) return false;
    return true;
}

}  // namespace PlotKindsDetail

// The kinds placed by Column, in its order. The places of a column run
// from 1, each once (checked below).
template <int TkPlotKindInfo::*Column>
constexpr auto PlotKindsBy()
{
    std::array<TkPlotObjectKind, PlotKindsDetail::Count<Column>()> kinds{};
    kinds.fill(kpokNone);
    for (std::size_t k = 0; k < PlotObjectKindCount; ++k)
        if (const int place = PlotKinds[k].*Column; place > 0 && std::size_t(place) <= kinds.size())
            kinds[std::size_t(place - 1)] = TkPlotObjectKind(k);
    return kinds;
}

// The kinds marked by Column, in the order of the kinds.
template <bool TkPlotKindInfo::*Column>
constexpr auto PlotKindsWith()
{
    std::array<TkPlotObjectKind, PlotKindsDetail::Count<Column>()> kinds{};
    std::size_t next = 0;
    for (std::size_t k = 0; k < PlotObjectKindCount; ++k)
        if (PlotKinds[k].*Column) kinds[next++] = TkPlotObjectKind(k);
    return kinds;
}

// Every kind, in the order of the table.
inline constexpr auto PlotAllKinds = [] {
    std::array<TkPlotObjectKind, PlotObjectKindCount> kinds{};
    for (std::size_t k = 0; k < PlotObjectKindCount; ++k) kinds[k] = TkPlotObjectKind(k);
    return kinds;
}();
inline constexpr auto PlotConfigKinds = PlotKindsBy<&TkPlotKindInfo::Config>();
inline constexpr auto PlotClearKinds = PlotKindsBy<&TkPlotKindInfo::Clear>();
inline constexpr auto PlotNewKinds = PlotKindsBy<&TkPlotKindInfo::New>();
inline constexpr auto PlotMouseEventKinds = PlotKindsBy<&TkPlotKindInfo::Mouse>();
inline constexpr auto PlotFocusEventKinds = PlotKindsBy<&TkPlotKindInfo::Focus>();
inline constexpr auto PlotListEventKinds = PlotKindsBy<&TkPlotKindInfo::List>();
inline constexpr auto PlotFormKinds = PlotKindsWith<&TkPlotKindInfo::Form>();
inline constexpr auto PlotEditorKinds = PlotKindsWith<&TkPlotKindInfo::Page>();
static_assert(PlotKindsDetail::EachKindOnce(PlotConfigKinds) && PlotKindsDetail::EachKindOnce(PlotClearKinds) &&
                  PlotKindsDetail::EachKindOnce(PlotNewKinds) && PlotKindsDetail::EachKindOnce(PlotMouseEventKinds) &&
                  PlotKindsDetail::EachKindOnce(PlotFocusEventKinds) &&
                  PlotKindsDetail::EachKindOnce(PlotListEventKinds),
              "the places of each column run from 1, each once");
