// The layer-painted list box: what the user's choices fire, and a
// selection that stays within the rows.

#include <gtest/gtest.h>

#include "platform/Forms.h"
#include "platform/ListBox.h"
#include "platform/Messages.h"
#include "platform/Testing.h"

using namespace Testing;

TEST(ListBox, UserChoicesClickAndCodeFiresNothing)
{
    TOwned<TForm> form(Create<TForm>(nullptr));
    form->SetBounds(0, 0, 300, 200);
    TListBox* list = Create<TListBox>(form.get());
    list->SetParent(form.get());
    list->SetBounds(10, 10, 100, 50);  // three rows of 13 pixels show
    for (const char* item : {"a", "b", "c", "d", "e"}) list->Items()->Add(item);
    form->Show();
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
