// Page control: what the user's choice of a tab fires, what choosing a page
// from code does not fire, hidden tabs, and the pages in form data.

#include <gtest/gtest.h>

#include <vector>

#include "platform/ComCtrls.h"
#include "platform/FormStream.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "platform/Testing.h"

using namespace Testing;

namespace {

class PageControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = Create<TForm>(nullptr);
        Form->SetClientWidth(400);
        Form->SetClientHeight(300);
        Form->Show();
        Pages = Create<TPageControl>(Form);
        Pages->SetBounds(10, 10, 300, 200);
        Pages->SetParent(Form);
        for (const char* caption : {"Axes", "Courbes", "Legende"}) AddSheet(caption);
        Pages->OnChanging = [this](TObject*, bool& allow) {
            Events.push_back("changing " + IntToStr(Pages->ActivePageIndex()));
            allow = Allow;
        };
        Pages->OnChange = [this](TObject*) { Events.push_back("change " + IntToStr(Pages->ActivePageIndex())); };
    }
    void TearDown() override
    {
        Free(Form);
        Input::Flush();
        Answers::Clear();
    }
    TTabSheet* AddSheet(const char* caption, TPageControl* To = nullptr)
    {
        auto* sheet = Create<TTabSheet>(Form);
        sheet->SetCaption(caption);
        sheet->SetPageControl(To ? To : Pages);
        return sheet;
    }
    void ClickTab(Integer tab)
    {
        const TRect r = Pages->TabRect(tab);
        ASSERT_FALSE(IsRectEmpty(r)) << "tab " << tab;
        Input::Click(Pages, mbLeft, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    // Only the active page shows, over the whole display area.
    void ExpectShown(TTabSheet* active)
    {
        for (Integer i = 0; i < Pages->PageCount(); ++i)
            EXPECT_EQ(Pages->Pages(i)->Visible(), Pages->Pages(i) == active) << "page " << i;
        if (active) {
            EXPECT_EQ(active->BoundsRect(), Pages->DisplayRect());
        }
    }

    TForm* Form = nullptr;
    TPageControl* Pages = nullptr;
    std::vector<String> Events;
    bool Allow = true;
};

}  // namespace

TEST_F(PageControlTest, FirstPageShowsAndPagesFillTheDisplayArea)
{
    EXPECT_EQ(Pages->PageCount(), 3);
    EXPECT_EQ(Pages->ActivePageIndex(), 0);
    ExpectShown(Pages->Pages(0));
    // The class library's metrics: pages 4 pixels in, below a 20-pixel tab row.
    EXPECT_EQ(Pages->DisplayRect(), Rect(4, 24, 296, 196));
    EXPECT_EQ(Pages->IndexOfTabAt(150, 100), -1);
    EXPECT_TRUE(Events.empty());
}

TEST_F(PageControlTest, UserClickAsksOnChangingThenFiresOnChange)
{
    ClickTab(2);
    EXPECT_EQ(Events, (std::vector<String>{"changing 0", "change 2"}));
    ExpectShown(Pages->Pages(2));

    // Refused: the page stays and OnChange does not fire.
    Events.clear();
    Allow = false;
    ClickTab(1);
    EXPECT_EQ(Events, (std::vector<String>{"changing 2"}));
    ExpectShown(Pages->Pages(2));

    // A click on the active tab or beside the tabs asks nothing.
    Events.clear();
    Allow = true;
    ClickTab(2);
    Input::Click(Pages, mbLeft, 150, 100);
    EXPECT_TRUE(Events.empty());
}

TEST_F(PageControlTest, PagesChosenFromCodeFireNothing)
{
    Pages->SetActivePage(Pages->Pages(1));
    ExpectShown(Pages->Pages(1));
    Pages->SetActivePageIndex(2);
    EXPECT_EQ(Pages->ActivePageIndex(), 2);
    Pages->SetTabIndex(0);
    EXPECT_EQ(Pages->ActivePageIndex(), 0);
    Pages->SetTabIndex(7);  // no such tab: nothing happens
    EXPECT_EQ(Pages->ActivePageIndex(), 0);

    // A page of another control is ignored; an index out of range shows none.
    auto* stranger = Create<TTabSheet>(Form);
    Pages->SetActivePage(stranger);
    EXPECT_EQ(Pages->ActivePageIndex(), 0);
    Pages->SetActivePageIndex(3);
    EXPECT_EQ(Pages->ActivePage(), nullptr);
    ExpectShown(nullptr);

    // Moving a page reorders the tabs and keeps the active one.
    Pages->SetActivePageIndex(0);
    Pages->Pages(0)->SetPageIndex(99);
    EXPECT_EQ(Pages->Pages(2)->Caption(), "Axes");
    EXPECT_EQ(Pages->ActivePageIndex(), 2);
    EXPECT_EQ(Pages->TabIndex(), 2);
    EXPECT_TRUE(Events.empty());
}

TEST_F(PageControlTest, HiddenTabIsSkipped)
{
    TTabSheet* hidden = Pages->Pages(1);
    hidden->SetTabVisible(false);
    EXPECT_EQ(Pages->TabCount(), 2);
    EXPECT_EQ(hidden->TabIndex(), -1);
    EXPECT_EQ(hidden->PageIndex(), 1);

    // The second tab now is the third page.
    ClickTab(1);
    EXPECT_EQ(Events, (std::vector<String>{"changing 0", "change 2"}));

    // Turning the pages as the user would passes over it, both ways.
    Events.clear();
    Pages->SelectNextPage(false);
    EXPECT_EQ(Pages->ActivePageIndex(), 0);
    Pages->SelectNextPage(true);
    EXPECT_EQ(Pages->ActivePageIndex(), 2);
    EXPECT_EQ(Events, (std::vector<String>{"changing 2", "change 0", "changing 0", "change 2"}));

    // From code the page still shows, without a tab.
    Pages->SetActivePage(hidden);
    ExpectShown(hidden);
    EXPECT_EQ(Pages->TabIndex(), -1);
}

TEST_F(PageControlTest, HidingOrRemovingTheActivePageShowsTheTabInItsPlace)
{
    Pages->SetActivePageIndex(1);
    Pages->Pages(1)->SetTabVisible(false);
    EXPECT_EQ(Pages->ActivePageIndex(), 2);

    // The last tab is replaced by the one before it.
    Pages->Pages(2)->Free();
    EXPECT_EQ(Pages->PageCount(), 2);
    EXPECT_EQ(Pages->ActivePageIndex(), 0);
    ExpectShown(Pages->Pages(0));

    // No tab left: no page.
    Pages->Pages(0)->SetTabVisible(false);
    EXPECT_EQ(Pages->ActivePage(), nullptr);
    // The first tab to come back is chosen.
    Pages->Pages(1)->SetTabVisible(true);
    EXPECT_EQ(Pages->ActivePageIndex(), 1);

    // A page moved to another parent leaves the page control.
    TTabSheet* moved = Pages->Pages(1);
    moved->SetParent(Form);
    EXPECT_EQ(moved->PageControl(), nullptr);
    EXPECT_EQ(Pages->PageCount(), 1);
    EXPECT_EQ(Pages->ActivePage(), nullptr);
    EXPECT_TRUE(Events.empty());
}

TEST_F(PageControlTest, OnChangingMayFreeTheChosenPage)
{
    Pages->OnChanging = [this](TObject*, bool&) { Pages->Pages(2)->Free(); };
    ClickTab(2);
    EXPECT_EQ(Pages->PageCount(), 2);
    EXPECT_EQ(Pages->ActivePageIndex(), 0);
    EXPECT_TRUE(Events.empty());
}

TEST_F(PageControlTest, KeysTurnThePagesAsTheUser)
{
    auto* edit = Create<TEdit>(Form);
    edit->SetParent(Pages->Pages(0));
    edit->SetFocus();
    // Ctrl+Tab from a control on a page; the focus leaves the hidden page.
    Input::Key(VK_TAB, {ssCtrl});
    EXPECT_EQ(Pages->ActivePageIndex(), 1);
    EXPECT_TRUE(Pages->Focused());
    Input::Key(VK_TAB, {ssCtrl, ssShift});
    EXPECT_EQ(Pages->ActivePageIndex(), 0);
    // The arrows step along the tabs without wrapping.
    Input::Key(VK_LEFT);
    Input::Key(VK_RIGHT);
    Input::Key(VK_RIGHT);
    Input::Key(VK_RIGHT);
    EXPECT_EQ(Pages->ActivePageIndex(), 2);
    EXPECT_EQ(Events, (std::vector<String>{"changing 0", "change 1", "changing 1", "change 0", "changing 0",
                                           "change 1", "changing 1", "change 2"}));
    // A tab's accelerator.
    Events.clear();
    Pages->Pages(0)->SetCaption("&Axes");
    Input::Key('A', {ssAlt});
    EXPECT_EQ(Events, (std::vector<String>{"changing 2", "change 0"}));
}

// A click on a tab of a row inside a page takes the focus from the outer
// row, so that the arrows then step along the row clicked.
TEST_F(PageControlTest, AClickOnATabTakesTheFocusForTheArrows)
{
    auto* inner = Create<TPageControl>(Form);
    inner->SetBounds(0, 0, 250, 150);
    inner->SetParent(Pages->Pages(0));
    for (const char* caption : {"General", "Trace", "Hint"}) AddSheet(caption, inner);
    Pages->SetFocus();
    const TRect second = inner->TabRect(1);
    Input::Click(inner, mbLeft, (second.Left + second.Right) / 2, (second.Top + second.Bottom) / 2);
    EXPECT_TRUE(inner->Focused());
    Input::Key(VK_RIGHT);
    EXPECT_EQ(inner->ActivePageIndex(), 2);
    EXPECT_EQ(Pages->ActivePageIndex(), 0);
}

// Tabs that do not fit scroll a tab at a time under the arrows at the
// row's end; a page chosen whose tab is out of view brings it whole into
// view, and no further.
TEST_F(PageControlTest, ArrowsScrollARowTooLongAndAChosenTabComesIntoView)
{
    for (const char* caption : {"Curseurs", "Limites", "Etiquettes", "Tableaux"}) AddSheet(caption);
    const auto left = [this](Integer Tab) { return Pages->TabRect(Tab).Left; };
    const Integer rowEnd = Pages->Width();
    ASSERT_GT(Pages->TabRect(6).Right, rowEnd);
    EXPECT_EQ(left(0), 0);
    EXPECT_EQ(Pages->IndexOfTabAt(rowEnd - 4, 10), -1);  // the arrows, not a tab
    Input::Click(Pages, mbLeft, rowEnd - 4, 10);          // the right arrow
    EXPECT_EQ(left(1), 0);
    EXPECT_EQ(Pages->ActivePageIndex(), 0);  // scrolling chooses no page
    Pages->SetActivePageIndex(6);
    const TRect last = Pages->TabRect(6);
    EXPECT_EQ(Pages->IndexOfTabAt(last.Right - 1, 10), 6);
    EXPECT_EQ(Pages->IndexOfTabAt(last.Right + 1, 10), -1);
    Pages->SetActivePageIndex(0);
    EXPECT_EQ(left(0), 0);
    EXPECT_TRUE(Events.empty());
}

TEST(PageControlFormData, PagesReadAndWriteWithTheActivePageByName)
{
    const String text = R"(object Form1: TForm
  Caption = 'Plot'
  object PageControl1: TPageControl
    Left = 0
    Top = 0
    Width = 300
    Height = 200
    ActivePage = TabSheet2
    Align = alClient
    TabOrder = 0
    object TabSheet1: TTabSheet
      Caption = 'General'
    end
    object TabSheet2: TTabSheet
      Caption = 'Axes'
      object Edit1: TEdit
        Left = 8
        Top = 8
        TabOrder = 0
      end
    end
    object TabSheet3: TTabSheet
      Caption = 'Cach'#233
      TabVisible = False
    end
  end
end
)";
    auto* form = Create<TForm>(nullptr);
    ReadComponent(text, form);
    auto* pages = dynamic_cast<TPageControl*>(form->FindComponent("PageControl1"));
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->PageCount(), 3);
    EXPECT_EQ(pages->ActivePage(), form->FindComponent("TabSheet2"));
    EXPECT_EQ(pages->TabCount(), 2);
    EXPECT_FALSE(pages->Pages(2)->TabVisible());
    EXPECT_EQ(pages->Pages(2)->Caption(), "Caché");

    // Pages keep their order in the data; their bounds and index are the
    // page control's business and are not written.
    const String written = WriteComponent(form);
    EXPECT_NE(written.find("ActivePage = TabSheet2"), String::npos);
    EXPECT_NE(written.find("TabVisible = False"), String::npos);
    EXPECT_EQ(written.find("PageIndex"), String::npos);
    const auto sheet = written.find("object TabSheet1");
    EXPECT_EQ(written.substr(sheet, written.find("end", sheet) - sheet).find("Width"), String::npos);

    auto* copy = Create<TForm>(nullptr);
    ReadComponent(written, copy);
    EXPECT_EQ(WriteComponent(copy), written);
    copy->Free();
    form->Free();
}
