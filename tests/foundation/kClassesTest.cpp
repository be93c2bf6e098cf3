#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "components/foundation/kClasses.h"
#include "support/MessageOf.h"

TEST(kPlotMinMaxPoint, CollectsOneColumn)
{
    TkPlotMinMaxPoint p;
    EXPECT_TRUE(p.Empty);
    EXPECT_EQ(p.YMax, -1e301);
    EXPECT_EQ(p.YMin, 1e301);
    p.AddData(10.0, 3, 7);
    p.AddData(10.5, 1, 8);
    p.AddData(10.7, 2, 9);
    EXPECT_FALSE(p.Empty);
    EXPECT_EQ(p.XPixels, 7);
    EXPECT_EQ(p.XValue, 10.0);
    EXPECT_EQ(p.YFirst, 3);
    EXPECT_EQ(p.YMin, 1);
    EXPECT_EQ(p.YMax, 3);
    EXPECT_EQ(p.YLast, 2);

    // Clear starts a column and keeps position, first and last values.
    p.Clear();
    EXPECT_TRUE(p.Empty);
    EXPECT_EQ(p.YMax, -1e301);
    EXPECT_EQ(p.XPixels, 7);
    EXPECT_EQ(p.YFirst, 3);
    EXPECT_EQ(p.YLast, 2);

    // NaN leaves the extremes at their sentinels.
    p.AddData(11, std::numeric_limits<double>::quiet_NaN(), 12);
    EXPECT_EQ(p.YMax, -1e301);
    EXPECT_EQ(p.YMin, 1e301);
}

TEST(kPlotMinMaxPoint, AssignDownCopiesEmptyToo)
{
    TkPlotMinMaxPoint filled;
    filled.AddData(1, 5, 2);
    TkPlotMinMaxPoint empty;
    filled.AssignDown(&empty);
    EXPECT_TRUE(filled.Empty);
    filled.AddData(4, 9, 6);  // a new column
    EXPECT_EQ(filled.XPixels, 6);
    EXPECT_EQ(filled.XValue, 4);
    EXPECT_EQ(filled.YFirst, 9);
    EXPECT_EQ(filled.YMin, 9);
    EXPECT_EQ(filled.YMax, 9);

    TkPlotMinMaxPoint copy;
    copy.AssignDown(&filled);
    EXPECT_FALSE(copy.Empty);
    EXPECT_EQ(copy.XPixels, 6);
    EXPECT_EQ(copy.YLast, 9);
}

TEST(kLimitDataList, GrowsByTheTableAndKeepsRecords)
{
    TkLimitDataList list;
    std::vector<Integer> capacities;
    for (Integer i = 0; i < 118; ++i) {
        EXPECT_EQ(list.Add(i, i * 2, i * 3), i);
        if (capacities.empty() || capacities.back() != list.Capacity()) capacities.push_back(list.Capacity());
    }
    EXPECT_EQ(capacities, (std::vector<Integer>{4, 8, 12, 28, 44, 60, 76, 95, 118}));
    EXPECT_EQ(list.Count(), 118);
    for (Integer i = 0; i < 118; ++i) {
        EXPECT_EQ(list.GetValue1(i), i);
        EXPECT_EQ(list.GetValue2(i), i * 2);
        EXPECT_EQ(list.GetItem(i).Value3, i * 3);
    }
    list.Add(0, 0, 0);
    EXPECT_EQ(list.Capacity(), 147);
}

TEST(kLimitDataList, RangeErrorsAndCapacityLimits)
{
    TkLimitDataList list;
    for (int i = 0; i < 10; ++i) list.Add(i, -i, 0.5 * i);
    EXPECT_EQ(MessageOf([&] { list.GetValue2(-1); }), "Index out of Bounds");
    EXPECT_EQ(MessageOf([&] { list.GetValue2(list.Count()); }), "Index out of Bounds");
    EXPECT_EQ(MessageOf([&] { list.GetValue1(10); }), "Index out of Bounds");
    EXPECT_EQ(MessageOf([&] { list.GetValue3(-5); }), "Index out of Bounds");
    EXPECT_EQ(MessageOf([&] { list.GetItem(99); }), "Index out of Bounds");

    const Integer capacity = list.Capacity();
    EXPECT_EQ(MessageOf([&] { list.SetCapacity(134217728); }), "Exceed Maximum List Size");
    EXPECT_EQ(MessageOf([&] { list.SetCapacity(-1); }), "Exceed Maximum List Size");
    EXPECT_EQ(list.Capacity(), capacity);
    EXPECT_EQ(list.Count(), 10);
    EXPECT_EQ(list.GetValue2(9), -9);

    // Cutting below Count drops the records above.
    list.SetCapacity(6);
    EXPECT_EQ(list.Count(), 6);
    EXPECT_EQ(list.GetValue1(5), 5);
    EXPECT_EQ(MessageOf([&] { list.GetValue1(6); }), "Index out of Bounds");
    list.SetCapacity(40);
    EXPECT_EQ(list.Count(), 6);
    EXPECT_EQ(list.GetValue3(5), 2.5);

    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), 0);
    EXPECT_EQ(list.Add(1, 2, 3), 0);
    EXPECT_EQ(list.Capacity(), 4);
}

TEST(kDigitalSequenceData, ClearForgetsOnlyTheFlags)
{
    TDigitalSequenceData d;
    d.StartSet = d.StopSet = d.TransitionSet = true;
    d.StartXValue = 1;
    d.StartYValue = 2;
    d.StopXValue = 3;
    d.TransitionXValue = 4;
    d.Clear();
    EXPECT_FALSE(d.StartSet);
    EXPECT_FALSE(d.StopSet);
    EXPECT_FALSE(d.TransitionSet);
    EXPECT_EQ(d.StartXValue, 1);
    EXPECT_EQ(d.StartYValue, 2);
    EXPECT_EQ(d.StopXValue, 3);
    EXPECT_EQ(d.TransitionXValue, 4);
}
