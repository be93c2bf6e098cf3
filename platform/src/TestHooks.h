#pragma once
// What the layer asks the test answerer (platform/Testing.h) before it
// would block on a user: modal forms, dialogs, message boxes and popup
// menus.
// Outside tests the answerer is off and every query says "not answering".
// The file streams also ask how much a test's full disk still takes, and
// the block transfers whether a test holds them to their general path.

#include <functional>

#include "platform/System.h"

class TCustomForm;

namespace pl {

// True once InitTestProcess enabled answering: an unanswered query then
// raises instead of waiting for a user.
bool TestAnswering();

// Raises the error of an unanswered query (what names the kind).
[[noreturn]] void RaiseUnanswered(const String& What);

// The next queued modal answer; empty when none is queued.
std::function<void(TCustomForm*)> TakeModalAnswer();

// Records a message box's text; true with the queued result when one is
// queued.
bool TakeMessageAnswer(const String& Text, Integer& Result);

// The next queued menu choice: true with the caption to choose ("" chooses
// nothing); false when none is queued.
bool TakeMenuAnswer(String& Caption);

// A generic dialog: true with the queued answer, which sets up the dialog
// and returns whether it was accepted.
bool TakeDialogAnswer(std::function<bool(TObject*)>& Answer);

// A dialog of Qt's own about to run: true when a test queued an answer that
// reads and ends it once it is up (Testing::Answers::ToolkitDialog).
bool AnswerToolkitDialogOnceShown();

// How many of Count bytes a file write may put on the disk now: all of
// them unless a test filled the disk (Testing::Disk).
Int64 DiskRoomFor(Int64 Count);
// How many bytes a test's full disk still takes; -1 without one.
Int64 DiskRoomLeft();

// True while a test has the block transfers sample every pixel through
// their general path (Testing::BlockTransfers).
bool GeneralBlockTransfersOnly();

}  // namespace pl
