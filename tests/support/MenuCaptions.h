#pragma once
// Reading a built popup menu: its submenus by caption and their items.

#include <vector>

#include "platform/Menus.h"

namespace MenuTest {

// The captions of a menu item's sub-items, "*" marking the checked one.
inline std::vector<String> Captions(const TMenuItem* Item)
{
    std::vector<String> captions;
    for (Integer i = 0; i < Item->Count(); ++i)
        captions.push_back(Item->Items(i)->Caption() + (Item->Items(i)->Checked() ? "*" : ""));
    return captions;
}

inline TMenuItem* SubMenu(TPopupMenu* Menu, const String& Caption)
{
    for (Integer i = 0; i < Menu->Items()->Count(); ++i)
        if (Menu->Items()->Items(i)->Caption() == Caption) return Menu->Items()->Items(i);
    return nullptr;
}

}  // namespace MenuTest
