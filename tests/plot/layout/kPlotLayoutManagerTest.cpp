#include <gtest/gtest.h>

#include "components/plot/layout/kPlotLayoutManager.h"
#include "tests/plot/kPlotObjectsTestDoubles.h"

using namespace PlotTest;

namespace {

// A layout manager with the objects' reports routed to it as the master
// manager routes them, and the objects it lists.
class LayoutManagerTest : public ::testing::Test, public TPassedReports {
protected:
    TStandInPlot Owner{TStandInPlot::Bare};
    TkPlotLayoutManager* Layout = nullptr;
    std::vector<TkPlotObject*> Objects;

    LayoutManagerTest()
    {
        Owner.ReportTo(this);
        Layout = Create<TkPlotLayoutManager>(&Owner);
    }
    ~LayoutManagerTest() override
    {
        while (!Objects.empty()) Free(Objects.back());
        Free(Layout);
    }

    // A new object of class T on the given share of its row, announced.
    template <class T>
    T* Add(bool Horizontal = false, Double Start = 0, Double Stop = 100)
    {
        T* object = Create<T>(&Owner);
        object->SetHorizontal(Horizontal);
        object->SetStartStopPercent(Start, Stop);
        object->DoInsert();
        return object;
    }
    // Announced while the layout is disabled: it keeps Row.
    template <class T>
    T* AddOnRow(Integer Row, bool Horizontal = false)
    {
        const bool enabled = Layout->Enabled();
        Layout->SetEnabled(false);
        T* object = Create<T>(&Owner);
        object->SetHorizontal(Horizontal);
        object->SetZOrder(Row);
        object->DoInsert();
        Layout->SetEnabled(enabled);
        return object;
    }

    static std::vector<Integer> Rows(const TkPlotLayoutSideList& List)
    {
        std::vector<Integer> rows;
        for (const TkPlotLayoutObject* object : List) rows.push_back(object->ZOrder());
        return rows;
    }

private:
    void Inserted(TkPlotObject& Object) override
    {
        if (!dynamic_cast<TkPlotDataViewLayout*>(&Object)) Objects.push_back(&Object);
        if (Layout) Layout->NotificationInsert(&Object);
    }
    void Removed(TObject& Member) override
    {
        std::erase(Objects, &Member);
        if (auto* object = dynamic_cast<TkPlotObject*>(&Member); object && Layout) Layout->NotificationRemove(object);
    }
    void LayoutChanged(TkPlotObject& Object) override
    {
        if (Layout) Layout->NotificationLayoutChange(&Object);
    }
};

TEST_F(LayoutManagerTest, PlaceholdersMarkTheDataViewRowOfEachOrientation)
{
    ASSERT_NE(Layout->DataViewHorz(), nullptr);
    EXPECT_EQ(Layout->DataViewHorz()->Name(), "Data View");
    EXPECT_TRUE(Layout->DataViewHorz()->Horizontal());
    EXPECT_FALSE(Layout->DataViewVert()->Horizontal());
    EXPECT_EQ(Layout->DataViewHorz()->ZOrder(), 1);
    EXPECT_EQ(Layout->DataViewVert()->ZOrder(), 1);
    EXPECT_EQ(Layout->Count(), 2);
    EXPECT_TRUE(Layout->Enabled());
    EXPECT_EQ(Layout->GetBaseName(), "Layout Object");
}

TEST_F(LayoutManagerTest, ObjectsGoToTheSideOfTheirOrientationAndRow)
{
    auto* x = AddOnRow<TFakeXAxis>(0, true);
    auto* y = AddOnRow<TFakeYAxis>(0);
    auto* legend = AddOnRow<TFakeLabel>(2);
    EXPECT_EQ(Layout->BottomList(), TkPlotLayoutSideList{x});
    EXPECT_EQ(Layout->LeftList(), TkPlotLayoutSideList{y});
    EXPECT_EQ(Layout->RightList(), TkPlotLayoutSideList{legend});
    EXPECT_TRUE(Layout->TopList().empty());
    EXPECT_FALSE(x->ReverseSide());
    EXPECT_FALSE(y->ReverseSide());
    EXPECT_TRUE(legend->ReverseSide());
    EXPECT_EQ(Layout->BottomUniqueCount(), 1);
    EXPECT_EQ(Layout->TopUniqueCount(), 0);
}

TEST_F(LayoutManagerTest, AxesTakeTheOrientationOfTheirDirection)
{
    auto* x = Add<TFakeXAxis>(false);
    auto* y = Add<TFakeYAxis>(true);
    EXPECT_TRUE(x->Horizontal());
    EXPECT_FALSE(y->Horizontal());

    Layout->SetXYAxesReverse(true);
    EXPECT_FALSE(x->Horizontal());
    EXPECT_TRUE(y->Horizontal());
    EXPECT_EQ(Layout->LeftList(), TkPlotLayoutSideList{x});
    EXPECT_EQ(Layout->BottomList(), TkPlotLayoutSideList{y});
    auto* later = Add<TFakeXAxis>(true);
    EXPECT_FALSE(later->Horizontal());
}

TEST_F(LayoutManagerTest, MergeSharesARowWhereTheSharesDoNotOverlap)
{
    auto* right = Add<TFakeXAxis>(true, 50, 100);
    auto* left = Add<TFakeXAxis>(true, 0, 50);
    EXPECT_EQ(right->ZOrder(), 0);
    EXPECT_EQ(left->ZOrder(), 0);
    EXPECT_EQ(Layout->BottomUniqueCount(), 1);
    // Sorted by start within the row.
    EXPECT_EQ(Layout->BottomList(), (TkPlotLayoutSideList{left, right}));

    auto* overlapping = Add<TFakeXAxis>(true, 40, 100);
    EXPECT_EQ(overlapping->ZOrder(), 0);
    EXPECT_EQ(left->ZOrder(), 1);
    EXPECT_EQ(right->ZOrder(), 1);
    EXPECT_EQ(Layout->DataViewHorz()->ZOrder(), 2);
    EXPECT_EQ(Layout->DataViewVert()->ZOrder(), 1);
    EXPECT_EQ(Layout->BottomUniqueCount(), 2);
}

TEST_F(LayoutManagerTest, EqualSharesNeverMerge)
{
    auto* first = Add<TFakeLabel>(false, 30, 30);
    auto* second = Add<TFakeLabel>(false, 30, 30);
    EXPECT_EQ(second->ZOrder(), 0);
    EXPECT_EQ(first->ZOrder(), 1);
}

TEST_F(LayoutManagerTest, BelowAndAboveOpenANewRow)
{
    auto* row0 = AddOnRow<TFakeLabel>(0);
    auto* row2 = AddOnRow<TFakeLabel>(2);
    auto* moved = AddOnRow<TFakeLabel>(5);

    Layout->InsertZOrder(moved, 0, kidAbove);
    EXPECT_EQ(moved->ZOrder(), 1);
    EXPECT_EQ(row0->ZOrder(), 0);
    EXPECT_EQ(Layout->DataViewVert()->ZOrder(), 2);
    EXPECT_EQ(row2->ZOrder(), 3);

    Layout->InsertZOrder(moved, 0, kidBelow);
    EXPECT_EQ(moved->ZOrder(), 0);
    EXPECT_EQ(row0->ZOrder(), 1);
    EXPECT_EQ(row2->ZOrder(), 4);
}

TEST_F(LayoutManagerTest, RemovingTheLastObjectOfARowClosesIt)
{
    auto* row0 = AddOnRow<TFakeLabel>(0);
    auto* alone = AddOnRow<TFakeLabel>(2);
    auto* row3 = AddOnRow<TFakeLabel>(3);
    auto* row3b = AddOnRow<TFakeLabel>(3);
    auto* horizontal = AddOnRow<TFakeLabel>(4, true);

    Free(alone);
    EXPECT_EQ(row0->ZOrder(), 0);
    EXPECT_EQ(row3->ZOrder(), 2);
    EXPECT_EQ(row3b->ZOrder(), 2);
    EXPECT_EQ(horizontal->ZOrder(), 4) << "another orientation keeps its rows";
    EXPECT_EQ(Layout->RightList(), (TkPlotLayoutSideList{row3b, row3}));

    Free(row3);
    EXPECT_EQ(row3b->ZOrder(), 2) << "a row still shared stays";
    EXPECT_EQ(Layout->RightList(), TkPlotLayoutSideList{row3b});
}

TEST_F(LayoutManagerTest, DataViewsTakeNoPartInRowsOrSides)
{
    auto* view = AddOnRow<TFakeDataView>(0);
    auto* y = Add<TFakeYAxis>();
    EXPECT_EQ(y->ZOrder(), 0) << "the data view does not block the row";
    EXPECT_EQ(view->ZOrder(), 0);
    EXPECT_EQ(Layout->LeftList(), TkPlotLayoutSideList{y});
    EXPECT_TRUE(Layout->RightList().empty());
}

TEST_F(LayoutManagerTest, ProgrammaticRowChangesResortEveryKind)
{
    // Tables, legends and the placeholders included.
    auto* table = AddOnRow<TFakeLabel>(0, true);
    EXPECT_EQ(Layout->BottomList(), TkPlotLayoutSideList{table});
    table->SetZOrder(3);
    EXPECT_EQ(Layout->TopList(), TkPlotLayoutSideList{table});
    EXPECT_TRUE(table->ReverseSide());

    Layout->DataViewHorz()->SetZOrder(4);
    EXPECT_EQ(Layout->BottomList(), TkPlotLayoutSideList{table});
    EXPECT_FALSE(table->ReverseSide());

    table->SetHorizontal(false);
    EXPECT_EQ(Layout->RightList(), TkPlotLayoutSideList{table});
}

TEST_F(LayoutManagerTest, RowsSortByNumberBeyondThreeDigits)
{
    Layout->DataViewVert()->SetZOrder(-5);
    auto* far = AddOnRow<TFakeLabel>(1000);
    auto* near = AddOnRow<TFakeLabel>(999);
    auto* below = AddOnRow<TFakeLabel>(-1);
    auto* zero = AddOnRow<TFakeLabel>(0);
    EXPECT_EQ(Layout->RightList(), (TkPlotLayoutSideList{below, zero, near, far}));
    EXPECT_EQ(Layout->RightUniqueCount(), 4);
}

TEST_F(LayoutManagerTest, StartsBreakTiesWithinARowAndLaterObjectsComeFirst)
{
    Layout->SetEnabled(false);
    auto* late = Add<TFakeLabel>(false, 13.5, 50);   // rounds to 14
    auto* early = Add<TFakeLabel>(false, 12.5, 50);  // rounds to 12 (ties to even)
    auto* first = Add<TFakeLabel>(false, 30, 60);
    auto* second = Add<TFakeLabel>(false, 30, 60);
    Layout->SetEnabled(true);
    EXPECT_EQ(Layout->LeftList(), (TkPlotLayoutSideList{early, late, second, first}));
    EXPECT_EQ(Layout->LeftUniqueCount(), 1);
    EXPECT_EQ(TkPlotLayoutManager::VisibleCount(Layout->LeftList()), 4);
    first->SetVisible(false);
    EXPECT_EQ(TkPlotLayoutManager::VisibleCount(Layout->LeftList()), 3);
}

TEST_F(LayoutManagerTest, UpdatingDefersRebuilds)
{
    Layout->SetUpdating(true);
    auto* label = AddOnRow<TFakeLabel>(0);
    EXPECT_TRUE(Layout->LeftList().empty());
    EXPECT_TRUE(Layout->UpdateOccured());
    Layout->SetUpdating(false);
    Layout->Rebuild();
    EXPECT_EQ(Layout->LeftList(), TkPlotLayoutSideList{label});
}

TEST_F(LayoutManagerTest, RowsAtTheLimitDoNotWrap)
{
    auto* top = AddOnRow<TFakeLabel>(2147483647);
    auto* moved = AddOnRow<TFakeLabel>(3);
    Layout->InsertZOrder(moved, 0, kidBelow);
    EXPECT_EQ(top->ZOrder(), 2147483647);
    EXPECT_EQ(Layout->RightList().back(), top);
}

}  // namespace
