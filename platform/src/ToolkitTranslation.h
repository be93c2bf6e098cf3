#pragma once
// The texts Qt draws itself (its colour, file and print dialogs, the menu
// of a text field, a scroll bar's menu) in French, the program's language,
// whatever the user's locale: on the system the program was written for,
// those windows are the system's and speak the user's language.

namespace pl {

// Installs Qt's French translation. Without it (the translations are not
// installed) the program runs on: one line on the standard error says so,
// and those texts stay in English.
void LoadToolkitTranslation();

}  // namespace pl
