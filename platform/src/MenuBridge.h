#pragma once
// Qt menus built from menu items.

#include <QPointer>
#include <QWidget>

class TMainMenu;

namespace pl {

// Builds Frame's menu bar from Menu (removes it when Menu is nullptr).
void RebuildMenuBar(TMainMenu* Menu, QWidget* Frame, QPointer<QWidget>& MenuBar);

}  // namespace pl
