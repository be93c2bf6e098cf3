#pragma once
// The editor kit's multi-line edit. Every change the user makes, keystroke
// by keystroke, fires OnChange and tells the editor form; text written from
// code fires nothing, and an identical text is left alone so that a reload
// between keystrokes keeps the caret where it is.

#include "components/editor/kEditorForm.h"
#include "platform/Memo.h"

class TkComponentEditorMemo : public TMemo, public TkEditorValueControl {
    PL_CLASSINFO()
public:
    using TMemo::TMemo;

    String AsString() const { return Text(); }
    void SetAsString(const String& Value);

    // Disabled and grey, its text emptied, no events.
    void Disable() override;
    void Enable() override { SetEnabled(true); }
    void SetOnUserChange(TNotifyEvent Handler) override { OnChange = std::move(Handler); }
    // The colour follows: window colour when enabled, button face when not.
    void SetEnabled(bool Value) override;

    void KeyPress(Char& Key) override;

protected:
    void Change() override;

private:
    bool FBlockingEvents = false;
};

void kEditorMemoInitialization();
