// The layer-painted list box: what the user's choices fire, and a
// selection that stays within the rows.

#include <gtest/gtest.h>

#include "platform/Forms.h"
#include "platform/ListBox.h"
#include "platform/Messages.h"
#include "platform/Testing.h"

using namespace Testing;

namespace {

// A list of Height pixels on a shown form, holding Rows.
TListBox* ShownList(TForm* Form, Integer Height, std::initializer_list<const char*> Rows)
{
    Form->SetBounds(0, 0, 300, 200);
    TListBox* list = Create<TListBox>(Form);
    list->SetParent(Form);
    list->SetBounds(10, 10, 100, Height);
    for (const char* row : Rows) list->Items()->Add(row);
    Form->Show();
    return list;
}

}  // namespace

TEST(ListBox, UserChoicesClickAndCodeFiresNothing)
{
    TOwned<TForm> form(Create<TForm>(nullptr));
    TListBox* list = ShownList(form.get(), 50, {"a", "b", "c", "d", "e"});  // three rows of 13 pixels show
    Integer clicks = 0;
    list->OnClick = [&](TObject*) { ++clicks; };

    list->SetItemIndex(1);
    list->SetItemIndex(99);  // outside: none
    EXPECT_EQ(list->ItemIndex(), -1);
    EXPECT_EQ(clicks, 0);

    Input::Click(list, mbLeft, 20, 15);
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(clicks, 1);
    Input::Key(VK_END);
    EXPECT_EQ(list->ItemIndex(), 4);
    EXPECT_GE(list->TopIndex(), 2);  // scrolled to show it
    Input::Key(VK_END);  // already there: no click
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(list->ItemAtPos(TPoint{20, 500}, true), -1);

    list->Items()->Delete(4);
    list->Items()->Delete(3);
    EXPECT_LT(list->ItemIndex(), list->Count());
    list->Clear();
    EXPECT_EQ(list->ItemIndex(), -1);
    EXPECT_EQ(list->TopIndex(), 0);
    Input::Flush();
}

TEST(ListBox, RowsThatDoNotAllShowScrollByBarWheelAndPage)
{
    TOwned<TForm> form(Create<TForm>(nullptr));
    TListBox* list = ShownList(form.get(), 39, {"a", "b", "c"});  // three rows of 13 pixels: all show
    Input::Flush();
    EXPECT_EQ(list->ItemRect(0).Right, 100);  // no bar

    for (const char* item : {"d", "e", "f", "g"}) list->Items()->Add(item);
    EXPECT_LT(list->ItemRect(0).Right, 90);  // the bar takes its place
    Input::Click(list, mbLeft, 20, 5);
    Input::Wheel(list, -120, 20, 5);
    EXPECT_EQ(list->TopIndex(), 3);
    Input::Wheel(list, -240, 20, 5);
    EXPECT_EQ(list->TopIndex(), 4);  // the last three rows fill the list
    Input::Wheel(list, 360, 20, 5);
    EXPECT_EQ(list->TopIndex(), 0);
    Input::Key(VK_NEXT);
    EXPECT_EQ(list->ItemIndex(), 2);
    Input::Key(VK_NEXT);
    EXPECT_EQ(list->ItemIndex(), 4);
    EXPECT_EQ(list->TopIndex(), 2);
    Input::Key(VK_PRIOR);
    EXPECT_EQ(list->ItemIndex(), 2);
}
