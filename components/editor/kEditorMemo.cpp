#include "components/editor/kEditorMemo.h"

#include "components/editor/kEditorForm.h"

TClass TkComponentEditorMemo::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TkComponentEditorMemo, TMemo>("TkComponentEditorMemo").Build();
    return &info;
}

void TkComponentEditorMemo::SetAsString(const String& Value)
{
    kWithoutEvents(FBlockingEvents, [&] { SetText(Value); }, OnChange);
}

void TkComponentEditorMemo::Disable()
{
    kWithoutEvents(
        FBlockingEvents,
        [this] {
            SetEnabled(false);
            SetText(String());
        },
        OnChange);
}

void TkComponentEditorMemo::SetEnabled(bool Value)
{
    TMemo::SetEnabled(Value);
    SetColor(Value ? clWindow : clBtnFace);
}

void TkComponentEditorMemo::KeyPress(Char& Key)
{
    TMemo::KeyPress(Key);
    kEditorTabKey(this, Key);
}

void TkComponentEditorMemo::Change()
{
    TMemo::Change();
    if (!FBlockingEvents) kEditorUserChange(this);
}

void kEditorMemoInitialization() { RegisterClasses({TkComponentEditorMemo::StaticClassInfo()}); }
