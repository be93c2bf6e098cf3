#pragma once
// The message box behind ShowException, MessageDlg and ShowMessage.

#include "platform/Types.h"

namespace pl {

// Flags: MB_* buttons and icon. Asks the test answerer first; returns an
// ID* result (IDCANCEL when the box was dismissed).
Integer RunMessageBox(const String& Text, const String& Caption, Integer Flags);

}  // namespace pl
