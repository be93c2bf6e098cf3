#pragma once
// The menu a text field offers on a right click when its control has no
// popup menu of its own, as the system's text fields do: undo, redo, cut,
// copy, paste, delete and select all, in Qt's own words (French, see
// ToolkitTranslation.h).

#include "platform/Controls.h"

namespace pl {

// Opens the menu of Control's text field (an edit, a memo, the field of an
// editable combo box) at a screen point; nothing for other controls. In
// tests the queued menu answer chooses an entry by its caption.
void ShowTextFieldMenu(TControl* Control, TPoint ScreenPos);

}  // namespace pl
