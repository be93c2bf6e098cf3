#include <gtest/gtest.h>

#include <memory>

#include <sys/resource.h>
#include <unistd.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <new>
#include <vector>

#include "components/plot/store/kPlotDataList.h"
#include "support/MessageOf.h"

namespace {

std::vector<Double> Ys(const TkPlotDataCustomList& list)
{
    std::vector<Double> ys;
    for (Integer i = 0; i < list.Count(); ++i) ys.push_back(list.GetY(i));
    return ys;
}

// Adds the points (i, i) for i in First..Last.
void AddRange(TkPlotDataCustomList& list, Integer First, Integer Last)
{
    for (Integer i = First; i <= Last; ++i) list.Add(i, i, false, false);
}

std::vector<Double> Range(Integer First, Integer Last)
{
    std::vector<Double> values;
    for (Integer i = First; i <= Last; ++i) values.push_back(i);
    return values;
}

// ---------------------------------------------------------------------------
// Behaviour shared by all four stores.

template <class T>
class PlotDataListAllStores : public ::testing::Test {
protected:
    TOwned<T> FList = CreateOwned<T>();
    TkPlotDataCustomList& List() { return *FList; }
};

using AllStores =
    ::testing::Types<TkPlotDataNullList, TkPlotDataCompactList, TkPlotDataCompactIntervalList, TkPlotDataFullList>;
TYPED_TEST_SUITE(PlotDataListAllStores, AllStores);

TYPED_TEST(PlotDataListAllStores, GrowsByFourThenSixteenThenAQuarter)
{
    auto& list = this->List();
    std::vector<Integer> capacities;
    for (Integer i = 0; i < 100; ++i) {
        list.Add(i, i, false, false);
        if (capacities.empty() || capacities.back() != list.Capacity()) capacities.push_back(list.Capacity());
    }
    EXPECT_EQ(capacities, (std::vector<Integer>{4, 8, 12, 28, 44, 60, 76, 95, 118}));
    EXPECT_EQ(list.MemoryUsed(), list.DataPointSize() * 118);
    EXPECT_EQ(Ys(list), Range(0, 99));

    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.MemoryUsed(), 0);
}

TYPED_TEST(PlotDataListAllStores, CapacityLimitsRaiseWithoutChange)
{
    auto& list = this->List();
    AddRange(list, 0, 5);
    const Integer capacity = list.Capacity();
    EXPECT_EQ(MessageOf([&] { list.SetCapacity(list.MaxDataPoints() + 1); }), "Exceed Maximum List Size");
    EXPECT_EQ(MessageOf([&] { list.SetCapacity(-1); }), "Exceed Maximum List Size");
    EXPECT_EQ(MessageOf([&] { list.SetRingBufferSize(-1); }), "Exceed Maximum List Size");
    EXPECT_EQ(MessageOf([&] { list.SetRingBufferSize(list.MaxDataPoints() + 1); }), "Exceed Maximum List Size");
    EXPECT_EQ(list.RingBufferSize(), 0);
    EXPECT_EQ(list.Capacity(), capacity);
    EXPECT_EQ(Ys(list), Range(0, 5));

    // A smaller capacity drops the newest points; a larger one only reserves.
    list.SetCapacity(3);
    EXPECT_EQ(Ys(list), Range(0, 2));
    list.SetCapacity(50);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Capacity(), 50);
}

TYPED_TEST(PlotDataListAllStores, RingOverwritesTheOldestPoint)
{
    auto& list = this->List();
    list.SetRingBufferSize(3);
    EXPECT_EQ(list.RingBufferSize(), 3);
    EXPECT_EQ(list.Add(0, 0, false, false), 0);
    EXPECT_EQ(list.Add(1, 1, false, false), 1);
    EXPECT_EQ(list.Add(2, 2, false, false), 2);
    EXPECT_EQ(list.Add(3, 3, false, false), 0);
    EXPECT_EQ(list.Add(4, 4, false, false), 1);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Capacity(), 3);
    EXPECT_EQ(Ys(list), Range(2, 4));
    EXPECT_EQ(MessageOf([&] { list.GetY(3); }), "Index out of Bounds");

    // Clear keeps the ring's slots.
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.MemoryUsed(), 3 * list.DataPointSize());
}

TYPED_TEST(PlotDataListAllStores, RingSizeChangesKeepUnwrappedPointsAndClearWrappedOnes)
{
    auto& list = this->List();
    list.SetRingBufferSize(5);
    AddRange(list, 0, 3);
    list.SetRingBufferSize(3);  // never wrapped: the oldest point goes
    EXPECT_EQ(Ys(list), Range(1, 3));
    list.SetRingBufferSize(0);
    EXPECT_EQ(Ys(list), Range(1, 3));
    AddRange(list, 4, 4);  // growable again
    EXPECT_EQ(Ys(list), Range(1, 4));

    list.SetRingBufferSize(4);
    AddRange(list, 5, 6);  // wraps
    EXPECT_EQ(Ys(list), Range(3, 6));
    list.SetRingBufferSize(6);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), 6);
    AddRange(list, 0, 7);
    list.SetRingBufferSize(0);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.MemoryUsed(), 0);
}

TYPED_TEST(PlotDataListAllStores, RingWithoutSlotsTurnsIntoAGrowableList)
{
    auto& list = this->List();
    list.SetRingBufferSize(3);
    AddRange(list, 0, 4);
    list.SetCapacity(0);
    EXPECT_EQ(list.RingBufferSize(), 0);
    AddRange(list, 0, 5);
    EXPECT_EQ(Ys(list), Range(0, 5));
}

TYPED_TEST(PlotDataListAllStores, WrappedRingKeepsLogicalOrderWhenResizedOrDeleted)
{
    auto& list = this->List();
    list.SetRingBufferSize(5);
    AddRange(list, 0, 7);  // holds 3..7, oldest in slot 3
    list.SetCapacity(8);
    AddRange(list, 8, 9);
    EXPECT_EQ(Ys(list), Range(3, 9));
    AddRange(list, 10, 11);  // wraps again at 8 slots
    EXPECT_EQ(Ys(list), Range(4, 11));

    list.SetCapacity(6);  // cuts the newest
    EXPECT_EQ(Ys(list), Range(4, 9));
    AddRange(list, 10, 12);
    EXPECT_EQ(Ys(list), Range(7, 12));

    list.DeletePoints(2);
    EXPECT_EQ(Ys(list), Range(9, 12));
    EXPECT_EQ(list.Capacity(), 6);
    AddRange(list, 13, 15);
    EXPECT_EQ(Ys(list), Range(10, 15));
}

TYPED_TEST(PlotDataListAllStores, DeletePointsRemovesTheOldest)
{
    auto& list = this->List();
    AddRange(list, 0, 9);
    const Integer capacity = list.Capacity();
    list.DeletePoints(0);
    list.DeletePoints(4);
    EXPECT_EQ(Ys(list), Range(4, 9));
    EXPECT_EQ(list.Capacity(), capacity);
    EXPECT_THROW(list.DeletePoints(-1), Exception);
    EXPECT_THROW(list.DeletePoints(7), Exception);
    EXPECT_EQ(Ys(list), Range(4, 9));
}

TYPED_TEST(PlotDataListAllStores, IndexedAccessIsRangeChecked)
{
    auto& list = this->List();
    Double x, y;
    Boolean empty, null;
    EXPECT_EQ(MessageOf([&] { list.GetXYEmptyNull(0, x, y, empty, null); }), "Index out of Bounds");
    AddRange(list, 0, 1);
    EXPECT_EQ(MessageOf([&] { list.GetY(-1); }), "Index out of Bounds");
    EXPECT_EQ(MessageOf([&] { list.SetY(2, 0.0); }), "Index out of Bounds");
    list.GetXYEmptyNull(1, x, y, empty, null);
    EXPECT_EQ(x, 1.0);
    EXPECT_EQ(y, 1.0);
    EXPECT_FALSE(empty);
    EXPECT_FALSE(null);
}

TYPED_TEST(PlotDataListAllStores, BlockReadsGiveWhatEachPointGivesAlsoRoundTheRing)
{
    auto& list = this->List();
    list.SetRingBufferSize(7);
    for (Integer i = 0; i < 11; ++i) list.Add(i * 0.5, i * 2.0, i % 4 == 1, i % 5 == 2);  // wrapped
    const auto block = std::make_unique<TkPlotPointBlock>();
    const auto expectSame = [&](Integer Start, Integer Count) {
        list.ReadPoints(Start, Count, *block);
        for (Integer i = 0; i < Count; ++i) {
            Double x, y;
            Boolean empty, null;
            list.GetXYEmptyNull(Start + i, x, y, empty, null);
            EXPECT_EQ(block->X[i], x) << Start + i;
            EXPECT_EQ(block->Y[i], y) << Start + i;
            EXPECT_EQ(block->Status[i], empty ? kpdpsEmpty : null ? kpdpsNull : kpdpsValid) << Start + i;
        }
    };
    expectSame(0, 7);
    expectSame(2, 4);
    expectSame(6, 1);
    expectSame(3, 0);

    EXPECT_EQ(MessageOf([&] { list.ReadPoints(5, 3, *block); }), "Index out of Bounds");
    EXPECT_EQ(MessageOf([&] { list.ReadPoints(-1, 1, *block); }), "Index out of Bounds");
}

// The record array must fail cleanly when the memory is refused. The child
// process runs with a small address-space limit, which the sanitizers'
// shadow memory cannot live with.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PL_TEST_ASAN 1
#endif
#endif
#if !defined(__SANITIZE_ADDRESS__) && !defined(PL_TEST_ASAN)
// Exit code 0 when the refused capacity leaves count, capacity and points
// as they were; the store first holds Bytes of room (0: as ten points grow
// it), on the heap or, from 32 MB, in a mapping of its own.
int ExitCodeAfterRefusedCapacity(TkPlotDataCustomList& list, Integer Bytes)
{
    if (Bytes != 0) list.SetCapacity(Bytes / list.DataPointSize());
    const Integer capacity = Bytes != 0 ? list.Capacity() : 12;
    AddRange(list, 0, 9);
    // Room for 256 MB more than the process holds now: far below the 2 GB
    // that MaxDataPoints records take in every store.
    std::size_t pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    const rlim_t bytes = pages * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + (rlim_t{256} << 20);
    const rlimit limit{bytes, bytes};
    setrlimit(RLIMIT_AS, &limit);
    bool refused = false;
    try {
        list.SetCapacity(list.MaxDataPoints());
    } catch (const std::bad_alloc&) {
        refused = true;
    }
    return refused && list.Capacity() == capacity && Ys(list) == Range(0, 9) ? 0 : 1;
}

TYPED_TEST(PlotDataListAllStores, RefusedMemoryLeavesTheStoreUnchanged)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const Integer bytes : {0, 1 << 20, 40 << 20}) {
        SCOPED_TRACE(bytes);
        EXPECT_EXIT(_exit(ExitCodeAfterRefusedCapacity(this->List(), bytes)), ::testing::ExitedWithCode(0), "");
    }
}
#endif

// ---------------------------------------------------------------------------

TEST(PlotDataList, SizesAndLimitsOfEachStore)
{
    struct Expected {
        TOwned<TkPlotDataCustomList> list;
        Integer size, max;
        const char* name;
    };
    Expected stores[] = {
        {CreateOwned<TkPlotDataNullList>(), 24, 89478485, "TkPlotDataNullList"},
        {CreateOwned<TkPlotDataCompactList>(), 8, 268435455, "TkPlotDataCompactList"},
        {CreateOwned<TkPlotDataCompactIntervalList>(), 4, 536870911, "TkPlotDataCompactIntervalList"},
        {CreateOwned<TkPlotDataFullList>(), 144, 14913080, "TkPlotDataFullList"},
    };
    for (auto& s : stores) {
        EXPECT_EQ(s.list->DataPointSize(), s.size) << s.name;
        EXPECT_EQ(s.list->MaxDataPoints(), s.max) << s.name;
        EXPECT_EQ(s.list->ClassName(), s.name);
        EXPECT_TRUE(s.list->StoredBarVisible());
        EXPECT_EQ(s.list->StoredMarkerSize(), 0);
    }
    // Growth stops exactly at the limit instead of overshooting it.
    EXPECT_EQ(GrownCapacity(14913000, 14913080), 14913080);
    EXPECT_EQ(GrownCapacity(1000, 14913080), 1250);
}

TEST(PlotDataList, DeleteMessagesAndBoundsDifferPerStore)
{
    auto null = CreateOwned<TkPlotDataNullList>();
    auto full = CreateOwned<TkPlotDataFullList>();
    auto interval = CreateOwned<TkPlotDataCompactIntervalList>();
    for (TkPlotDataCustomList* list : {static_cast<TkPlotDataCustomList*>(null.get()),
                                       static_cast<TkPlotDataCustomList*>(full.get()),
                                       static_cast<TkPlotDataCustomList*>(interval.get())})
        AddRange(*list, 0, 2);
    EXPECT_EQ(MessageOf([&] { null->DeletePoints(3); }), "Delete size out of Range");
    EXPECT_EQ(MessageOf([&] { full->DeletePoints(3); }), "Delete Size Out Of Range");
    EXPECT_EQ(MessageOf([&] { interval->DeletePoints(4); }), "Delete size out of Range");
    interval->DeletePoints(3);
    EXPECT_EQ(interval->Count(), 0);
    EXPECT_EQ(interval->Capacity(), 4);
}

TEST(PlotDataList, BaseAttributesAnswerAnyIndex)
{
    auto compact = CreateOwned<TkPlotDataCompactList>();
    compact->SetStoredMarkerSize(7);
    compact->SetStoredBarPenStyle(psDot);
    EXPECT_EQ(compact->GetMarkerSize(-5), 7);
    EXPECT_EQ(compact->GetBarPenStyle(100), psDot);
    EXPECT_FALSE(compact->GetNull(-5));
    EXPECT_EQ(compact->GetHigh(3), 0.0);
    compact->SetMarkerSize(0, 9);  // ignored
    EXPECT_THROW(compact->GetX(-5), Exception);
}

TEST(PlotDataList, NullStorePacksFlagsAndMarkerIntoExtra)
{
    auto list = CreateOwned<TkPlotDataNullList>();
    list->SetStoredMarkerVisible(true);
    list->SetStoredMarkerStyle(kpmsCharacter);
    list->Add(1, 2, true, false);
    list->SetStoredMarkerVisible(false);
    list->SetStoredMarkerStyle(kpmsDiamond);
    list->Add(3, 4, false, true);

    EXPECT_TRUE(list->GetNull(0));
    EXPECT_FALSE(list->GetEmpty(0));
    EXPECT_TRUE(list->GetMarkerVisible(0));
    EXPECT_EQ(list->GetMarkerStyle(0), kpmsCharacter);
    EXPECT_FALSE(list->GetNull(1));
    EXPECT_TRUE(list->GetEmpty(1));
    EXPECT_FALSE(list->GetMarkerVisible(1));
    EXPECT_EQ(list->GetMarkerStyle(1), kpmsDiamond);

    list->SetNull(1, true);
    list->SetEmpty(1, false);
    list->SetMarkerStyle(1, kpmsCross);
    list->SetMarkerVisible(1, true);
    Double x, y;
    Boolean empty, null;
    list->GetXYEmptyNull(1, x, y, empty, null);
    EXPECT_EQ(x, 3.0);
    EXPECT_EQ(y, 4.0);
    EXPECT_TRUE(null);
    EXPECT_FALSE(empty);
    EXPECT_EQ(list->GetMarkerStyle(1), kpmsCross);
    EXPECT_TRUE(list->GetMarkerVisible(1));
    // Attributes the record does not keep come from the channel.
    list->SetStoredMarkerSize(5);
    EXPECT_EQ(list->GetMarkerSize(1), 5);
}

TEST(PlotDataList, CompactStoreKeepsSinglePrecision)
{
    auto list = CreateOwned<TkPlotDataCompactList>();
    list->Add(0.1, 45000.123, true, true);
    EXPECT_EQ(list->GetX(0), static_cast<Double>(0.1f));
    EXPECT_EQ(list->GetY(0), static_cast<Double>(45000.123f));
    EXPECT_FALSE(list->GetNull(0));
    EXPECT_FALSE(list->GetEmpty(0));

    const Double inf = std::numeric_limits<Double>::infinity();
    list->Add(inf, std::nan(""), false, false);
    EXPECT_EQ(list->GetX(1), inf);
    EXPECT_TRUE(std::isnan(list->GetY(1)));

    // Beyond the single range: an error, and nothing stored.
    EXPECT_THROW(list->Add(1.0, 1e300, false, false), EOverflow);
    EXPECT_THROW(list->SetX(0, -1e39), EOverflow);
    EXPECT_EQ(list->Count(), 2);
    EXPECT_EQ(list->GetX(0), static_cast<Double>(0.1f));
}

TEST(PlotDataList, IntervalStoreDerivesXFromTheFirstTwoPoints)
{
    auto list = CreateOwned<TkPlotDataCompactIntervalList>();
    EXPECT_EQ(list->Interval(), -1.0);
    list->Add(10, 1, false, false);
    list->Add(12, 2, false, false);
    list->Add(99, 3, false, false);
    EXPECT_EQ(list->GetX(0), 10.0);
    EXPECT_EQ(list->GetX(1), 12.0);
    EXPECT_EQ(list->GetX(2), 14.0);
    EXPECT_EQ(list->GetX(5), 20.0);  // computed, no range check
    EXPECT_EQ(Ys(*list), (std::vector<Double>{1, 2, 3}));

    list->SetX(0, 0.0);
    EXPECT_EQ(list->GetX(2), 4.0);
    const String message = "Data Style does not support setting individual X-Value with the exception of the first X-Value";
    EXPECT_EQ(MessageOf([&] { list->SetX(1, 5.0); }), message);

    // The survivors of a delete keep their X values.
    list->DeletePoints(1);
    EXPECT_EQ(list->GetX(0), 2.0);

    list->Clear();
    EXPECT_EQ(list->Interval(), -1.0);
    EXPECT_EQ(MessageOf([&] { list->SetX(0, 5.0); }), message);
    list->Add(100, 1, false, false);
    list->Add(105, 2, false, false);
    EXPECT_EQ(list->GetX(1), 105.0);
    Double x, y;
    Boolean empty, null;
    list->GetXYEmptyNull(1, x, y, empty, null);
    EXPECT_EQ(x, 105.0);
    EXPECT_EQ(y, 2.0);
}

TEST(PlotDataList, IntervalStoreRingKeepsXOfSurvivors)
{
    auto list = CreateOwned<TkPlotDataCompactIntervalList>();
    list->SetRingBufferSize(3);
    for (Integer i = 0; i < 5; ++i) list->Add(10 + 2 * i, i, false, false);
    EXPECT_EQ(list->GetX(0), 14.0);
    EXPECT_EQ(list->GetX(2), 18.0);

    // A ring of one slot still moves on.
    auto single = CreateOwned<TkPlotDataCompactIntervalList>();
    single->SetRingBufferSize(1);
    for (Integer i = 0; i < 4; ++i) single->Add(10 + 2 * i, i, false, false);
    EXPECT_EQ(single->GetX(0), 16.0);
    EXPECT_EQ(single->GetY(0), 3.0);
}

TEST(PlotDataList, IntervalStoreKeepsAGenuineStepOfMinusOne)
{
    auto list = CreateOwned<TkPlotDataCompactIntervalList>();
    list->Add(10, 0, false, false);
    list->Add(9, 0, false, false);
    list->Add(8, 0, false, false);
    list->DeletePoints(2);
    EXPECT_EQ(list->GetX(0), 8.0);
    list->Add(100, 0, false, false);
    EXPECT_EQ(list->Interval(), -1.0);
    EXPECT_EQ(list->GetX(1), 7.0);
}

TEST(PlotDataList, FullStoreTakesTheChannelAttributesAtAdd)
{
    auto list = CreateOwned<TkPlotDataFullList>();
    list->SetStoredTraceLineColor(255);
    list->SetStoredTraceLineStyle(kplsDot);
    list->SetStoredMarkerSize(3);
    list->SetStoredMarkerBrushStyle(bsCross);
    list->SetStoredMarkerCharacter(u'A');
    list->SetStoredBarWidth(5.0);
    list->SetStoredBarPenStyle(psDashDot);
    list->Add(1, 2, true, true);
    list->SetStoredMarkerSize(9);

    EXPECT_TRUE(list->GetNull(0));
    EXPECT_TRUE(list->GetEmpty(0));
    EXPECT_EQ(list->GetTraceLineColor(0), 255);
    EXPECT_EQ(list->GetTraceLineStyle(0), kplsDot);
    EXPECT_EQ(list->GetMarkerSize(0), 3);
    EXPECT_EQ(list->GetMarkerBrushStyle(0), bsCross);
    EXPECT_EQ(list->GetMarkerCharacter(0), u'\0');
    EXPECT_TRUE(list->GetBarVisible(0));
    EXPECT_EQ(list->GetBarWidth(0), 5.0);
    EXPECT_EQ(list->GetBarPenStyle(0), psDashDot);
    EXPECT_EQ(list->GetHigh(0), 0.0);

    list->SetHigh(0, 4.0);
    list->SetClose(0, 3.0);
    list->SetMarkerCharacter(0, u'x');
    list->SetBarBrushColor(0, 42);
    EXPECT_EQ(list->GetHigh(0), 4.0);
    EXPECT_EQ(list->GetClose(0), 3.0);
    EXPECT_EQ(list->GetMarkerCharacter(0), u'x');
    EXPECT_EQ(list->GetBarBrushColor(0), 42);
    EXPECT_THROW(list->GetBarWidth(1), Exception);
}

}  // namespace
