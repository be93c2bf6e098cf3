// References by name between a plot's objects: every holder keeps the name
// as it was given and resolves it as objects of its kind come, are renamed
// and go, the first of a name in the order of their manager winning.

#include <gtest/gtest.h>

#include "components/plot/annotation/kPlotAnnotation.h"
#include "components/plot/component/kPlotMasterManager.h"
#include "components/plot/component/kXYPlot.h"
#include "components/plot/input/kPlotDataCursor.h"
#include "components/plot/view/kPlotDataView.h"
#include "components/plot/view/kPlotLimit.h"

namespace {

// One reference of a holder kind to objects of a target kind.
struct THolderCase {
    const char* Reference;
    TkPlotObjectKind Holder;
    TkPlotObjectKind Target;
    void (*SetName)(TkPlotObject& Holder, const String& Name);
    String (*Name)(TkPlotObject& Holder);
    const TkPlotObject* (*Resolved)(TkPlotObject& Holder);
};

template <class T>
T& As(TkPlotObject& Object)
{
    return static_cast<T&>(Object);
}

// The axis of Holder's plot whose scale Scale is.
const TkPlotObject* AxisOfScale(const TkPlotObject& Holder, const TkPlotAxisScale* Scale)
{
    const TkPlotObjectsHost& plot = *Holder.Host().Objects;
    for (const bool x : {true, false})
        for (Integer i = 0; i < plot.AxisCount(x); ++i)
            if (Scale && ScaleOf(plot.GetAxis(x, i)) == Scale) return plot.GetAxis(x, i);
    return nullptr;
}

const THolderCase HolderCases[] = {
    {"channel X axis", kpokChannel, kpokXAxis,
     [](TkPlotObject& H, const String& N) { As<TkPlotChannelCustom>(H).SetXAxisName(N); },
     [](TkPlotObject& H) { return As<TkPlotChannelCustom>(H).XAxisName(); },
     [](TkPlotObject& H) -> const TkPlotObject* { return As<TkPlotChannelCustom>(H).XAxis(); }},
    {"channel Y axis", kpokChannel, kpokYAxis,
     [](TkPlotObject& H, const String& N) { As<TkPlotChannelCustom>(H).SetYAxisName(N); },
     [](TkPlotObject& H) { return As<TkPlotChannelCustom>(H).YAxisName(); },
     [](TkPlotObject& H) -> const TkPlotObject* { return As<TkPlotChannelCustom>(H).YAxis(); }},
    {"limit X axis", kpokLimit, kpokXAxis,
     [](TkPlotObject& H, const String& N) { As<TkPlotLimit>(H).SetXAxisName(N); },
     [](TkPlotObject& H) { return As<TkPlotLimit>(H).XAxisName(); },
     [](TkPlotObject& H) -> const TkPlotObject* { return As<TkPlotLimit>(H).XAxis(); }},
    {"limit Y axis", kpokLimit, kpokYAxis,
     [](TkPlotObject& H, const String& N) { As<TkPlotLimit>(H).SetYAxisName(N); },
     [](TkPlotObject& H) { return As<TkPlotLimit>(H).YAxisName(); },
     [](TkPlotObject& H) -> const TkPlotObject* { return As<TkPlotLimit>(H).YAxis(); }},
    {"data view grid X axis", kpokDataView, kpokXAxis,
     [](TkPlotObject& H, const String& N) { As<TkPlotDataView>(H).SetGridXAxisName(N); },
     [](TkPlotObject& H) { return As<TkPlotDataView>(H).GridXAxisName(); },
     [](TkPlotObject& H) { return AxisOfScale(H, H.BoundScales().X); }},
    {"data view grid Y axis", kpokDataView, kpokYAxis,
     [](TkPlotObject& H, const String& N) { As<TkPlotDataView>(H).SetGridYAxisName(N); },
     [](TkPlotObject& H) { return As<TkPlotDataView>(H).GridYAxisName(); },
     [](TkPlotObject& H) { return AxisOfScale(H, H.BoundScales().Y); }},
    {"annotation channel", kpokAnnotation, kpokChannel,
     [](TkPlotObject& H, const String& N) { As<TkPlotAnnotation>(H).SetChannelName(N); },
     [](TkPlotObject& H) { return As<TkPlotAnnotation>(H).ChannelName(); },
     [](TkPlotObject& H) -> const TkPlotObject* { return As<TkPlotAnnotation>(H).Channel(); }},
    {"data cursor channel", kpokDataCursor, kpokChannel,
     [](TkPlotObject& H, const String& N) { As<TkPlotDataCursor>(H).SetChannelName(N); },
     [](TkPlotObject& H) { return As<TkPlotDataCursor>(H).ChannelName(); },
     [](TkPlotObject& H) -> const TkPlotObject* { return As<TkPlotDataCursor>(H).GetChannel(); }},
    {"axis Cartesian reference", kpokXAxis, kpokYAxis,
     [](TkPlotObject& H, const String& N) { As<TkPlotAxis>(H).SetCartesianChildRefAxisName(N); },
     [](TkPlotObject& H) { return As<TkPlotAxis>(H).CartesianChildRefAxisName(); },
     [](TkPlotObject& H) -> const TkPlotObject* { return As<TkPlotAxis>(H).GetCartesianChildRefAxis(); }},
    {"axis align reference", kpokYAxis, kpokYAxis,
     [](TkPlotObject& H, const String& N) { As<TkPlotAxis>(H).SetAlignRefAxisName(N); },
     [](TkPlotObject& H) { return As<TkPlotAxis>(H).AlignRefAxisName(); },
     [](TkPlotObject& H) -> const TkPlotObject* { return As<TkPlotAxis>(H).GetAlignRefAxis(); }},
};

class PlotObjectRefTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { kXYPlotInitialization(); }

    TOwned<TkXYPlot> Plot{Create<TkXYPlot>(nullptr)};

    TkPlotObject* Add(TkPlotObjectKind Kind, const String& Name = {})
    {
        TkPlotObject* object = Plot->Master().Manager(Kind)->GetItem(Plot->Master().Add(Kind));
        if (!Name.empty()) object->SetName(Name);
        return object;
    }
};

TEST_F(PlotObjectRefTest, EveryHolderResolvesItsNameAsObjectsComeAreRenamedAndGo)
{
    for (const THolderCase& c : HolderCases) {
        SCOPED_TRACE(c.Reference);
        TkPlotObject& holder = *Add(c.Holder);
        const auto expect = [&](const char* Name, const TkPlotObject* Resolved) {
            EXPECT_EQ(c.Name(holder), Name);
            EXPECT_EQ(c.Resolved(holder), Resolved);
        };

        c.SetName(holder, "Target");
        expect("Target", nullptr);
        TkPlotObject* first = Add(c.Target, "TARGET");
        expect("Target", first);
        first->SetName("Moved");
        expect("Moved", first);
        first->Free();
        expect("Moved", nullptr);

        // Of several of a name, the first in order; the next once it goes.
        TkPlotObject* second = Add(c.Target, "moved");
        TkPlotObject* third = Add(c.Target, "MOVED");
        expect("Moved", second);
        third->SetName("Elsewhere");
        expect("Moved", second);
        third->SetName("Moved");
        second->Free();
        expect("Moved", third);

        third->Free();
        holder.Free();
    }
}

}  // namespace
