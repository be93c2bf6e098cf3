#pragma once
// Whether what the clipboard or a drop brings carries text for a text
// control. The toolkit's own paste does not ask: its multi-line edit read
// the first format of data of no format at all (the clipboard of a fresh
// X11 session, or of one cleared) and crashed, and its edits delete their
// selection for a paste of nothing.

class QKeyEvent;
class QMimeData;

namespace pl {

// False for no data, data of no format and data without text.
bool CarriesText(const QMimeData* Data);
// Whether Event is a paste key (Ctrl+V, Shift+Insert...) of a clipboard
// that carries no text: the text controls drop it.
bool PastesNoText(const QKeyEvent* Event);

}  // namespace pl
