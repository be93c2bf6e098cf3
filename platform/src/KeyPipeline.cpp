// The key pipeline: each key reaches the focused control once, with the
// real shift state, in the class library's order of steps.

#include <QKeyEvent>

#include "ClipboardText.h"
#include "ControlHost.h"
#include "InputRouting.h"
#include "KeyState.h"
#include "platform/Forms.h"

namespace pl {

namespace {

// Windows' "Unicode character" key, for characters without a key of their own.
constexpr Word VK_PACKET = 0xE7;

struct KeyPair {
    int Qt;
    Word Vk;
};

// Keys whose code does not follow from a range.
constexpr KeyPair KeyTable[] = {
    {Qt::Key_Backspace, VK_BACK},    {Qt::Key_Tab, VK_TAB},          {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Return, VK_RETURN},     {Qt::Key_Enter, VK_RETURN},     {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL},   {Qt::Key_Alt, VK_MENU},         {Qt::Key_AltGr, VK_MENU},
    {Qt::Key_Meta, VK_LWIN},         {Qt::Key_Pause, VK_PAUSE},      {Qt::Key_CapsLock, VK_CAPITAL},
    {Qt::Key_Escape, VK_ESCAPE},     {Qt::Key_Space, VK_SPACE},      {Qt::Key_PageUp, VK_PRIOR},
    {Qt::Key_PageDown, VK_NEXT},     {Qt::Key_End, VK_END},          {Qt::Key_Home, VK_HOME},
    {Qt::Key_Left, VK_LEFT},         {Qt::Key_Up, VK_UP},            {Qt::Key_Right, VK_RIGHT},
    {Qt::Key_Down, VK_DOWN},         {Qt::Key_Print, VK_SNAPSHOT},   {Qt::Key_Insert, VK_INSERT},
    {Qt::Key_Delete, VK_DELETE},     {Qt::Key_Help, VK_HELP},        {Qt::Key_Menu, VK_APPS},
    {Qt::Key_NumLock, VK_NUMLOCK},   {Qt::Key_ScrollLock, VK_SCROLL}, {Qt::Key_Clear, VK_CLEAR},
    {Qt::Key_Semicolon, VK_OEM_1},   {Qt::Key_Colon, VK_OEM_1},      {Qt::Key_Equal, VK_OEM_PLUS},
    {Qt::Key_Plus, VK_OEM_PLUS},     {Qt::Key_Comma, VK_OEM_COMMA},  {Qt::Key_Less, VK_OEM_COMMA},
    {Qt::Key_Minus, VK_OEM_MINUS},   {Qt::Key_Underscore, VK_OEM_MINUS}, {Qt::Key_Period, VK_OEM_PERIOD},
    {Qt::Key_Greater, VK_OEM_PERIOD}, {Qt::Key_Slash, VK_OEM_2},     {Qt::Key_Question, VK_OEM_2},
    {Qt::Key_QuoteLeft, VK_OEM_3},   {Qt::Key_AsciiTilde, VK_OEM_3}, {Qt::Key_BracketLeft, VK_OEM_4},
    {Qt::Key_BraceLeft, VK_OEM_4},   {Qt::Key_Backslash, VK_OEM_5},  {Qt::Key_Bar, VK_OEM_5},
    {Qt::Key_BracketRight, VK_OEM_6}, {Qt::Key_BraceRight, VK_OEM_6}, {Qt::Key_Apostrophe, VK_OEM_7},
    {Qt::Key_QuoteDbl, VK_OEM_7},    {Qt::Key_Exclam, '1'},          {Qt::Key_At, '2'},
    {Qt::Key_NumberSign, '3'},       {Qt::Key_Dollar, '4'},          {Qt::Key_Percent, '5'},
    {Qt::Key_AsciiCircum, '6'},      {Qt::Key_Ampersand, '7'},       {Qt::Key_Asterisk, '8'},
    {Qt::Key_ParenLeft, '9'},        {Qt::Key_ParenRight, '0'},
};

// Keypad keys that differ from the main block.
constexpr KeyPair KeypadTable[] = {
    {Qt::Key_Asterisk, VK_MULTIPLY}, {Qt::Key_Plus, VK_ADD},     {Qt::Key_Minus, VK_SUBTRACT},
    {Qt::Key_Period, VK_DECIMAL},    {Qt::Key_Comma, VK_DECIMAL}, {Qt::Key_Slash, VK_DIVIDE},
};

// The character a key produces for KeyPress (0: none).
Char CharOf(Word Vk, TShiftState Shift, const std::u16string& Text)
{
    if (Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt)) {
        if (Vk >= 'A' && Vk <= 'Z') return static_cast<Char>(Vk - 'A' + 1);
    }
    switch (Vk) {
        case VK_BACK: return 8;
        case VK_TAB: return 9;
        case VK_RETURN: return 13;
        case VK_ESCAPE: return 27;
        default: break;
    }
    if (!Text.empty() && Text[0] >= 32 && Text[0] != 127) return Text[0];
    return 0;
}

// Return or Escape that a control asked for (controls that want every key)
// and then left unused still reaches the form's Default and Cancel buttons:
// a dialog answers them from whichever control has the focus. Qt's own
// controls use such keys after the pipeline, so theirs stay with them.
bool LeftForTheDialog(const TWinControl* Target, const TCustomForm* Form, Word Key)
{
    return (Key == VK_RETURN || Key == VK_ESCAPE) && Form && Form != Target && !Target->Host().Native;
}

void SyncModifiers(TShiftState Shift)
{
    SetKeyDown(VK_SHIFT, Shift.Contains(ssShift));
    SetKeyDown(VK_CONTROL, Shift.Contains(ssCtrl));
    SetKeyDown(VK_MENU, Shift.Contains(ssAlt));
}

}  // namespace

Word VirtualKeyFromQt(int QtKey, int QtModifiers)
{
    if (QtModifiers & Qt::KeypadModifier) {
        if (QtKey >= Qt::Key_0 && QtKey <= Qt::Key_9) return static_cast<Word>(VK_NUMPAD0 + (QtKey - Qt::Key_0));
        for (const KeyPair& k : KeypadTable)
            if (k.Qt == QtKey) return k.Vk;
    }
    if (QtKey >= Qt::Key_A && QtKey <= Qt::Key_Z) return static_cast<Word>('A' + (QtKey - Qt::Key_A));
    if (QtKey >= Qt::Key_0 && QtKey <= Qt::Key_9) return static_cast<Word>('0' + (QtKey - Qt::Key_0));
    if (QtKey >= Qt::Key_F1 && QtKey <= Qt::Key_F24) return static_cast<Word>(VK_F1 + (QtKey - Qt::Key_F1));
    for (const KeyPair& k : KeyTable)
        if (k.Qt == QtKey) return k.Vk;
    return 0;
}

int QtKeyFromVirtualKey(Word Vk)
{
    if (Vk >= 'A' && Vk <= 'Z') return Qt::Key_A + (Vk - 'A');
    if (Vk >= '0' && Vk <= '9') return Qt::Key_0 + (Vk - '0');
    if (Vk >= VK_NUMPAD0 && Vk <= VK_NUMPAD9) return Qt::Key_0 + (Vk - VK_NUMPAD0);
    if (Vk >= VK_F1 && Vk <= VK_F12 + 12) return Qt::Key_F1 + (Vk - VK_F1);
    for (const KeyPair& k : KeypadTable)
        if (k.Vk == Vk) return k.Qt;
    for (const KeyPair& k : KeyTable)
        if (k.Vk == Vk) return k.Qt;
    return Qt::Key_unknown;
}

TWinControl* KeyTarget(TControl* Control)
{
    TControl* root = RootOf(Control);
    if (TWinControl* focused = FocusedControl(); focused && RootOf(focused) == root) return focused;
    return dynamic_cast<TWinControl*>(root);
}

KeyOutcome KeyDownPipeline(TWinControl* Target, Word Vk, TShiftState Shift, const std::u16string& Text)
{
    SyncModifiers(Shift);
    SetKeyDown(Vk, true);
    TWeakRef<TWinControl> alive(Target);
    TCustomForm* form = GetParentForm(Target);
    const bool preview = form && form != Target && form->KeyPreview();
    Word key = Vk;
    // A handler that set Key to 0 took the key; its character still comes.
    bool taken = false;
    if (preview) {
        form->KeyDown(key, Shift);
        if (!alive) return {};
        taken = key == 0;
    }
    if (!taken) {
        if (form && form->IsShortCut(key, Shift)) return {};
        if (!alive || Target->CNKeyDown(key, Shift) || !alive) return {};
        Target->KeyDown(key, Shift);
        if (!alive) return {};
        taken = key == 0;
        if (!taken && LeftForTheDialog(Target, form, key) && form->CMDialogKey(key, Shift)) return {};
        if (!alive) return {};
    }
    Char ch = CharOf(Vk, Shift, Text);
    if (Shift.Contains(ssAlt) && !Shift.Contains(ssCtrl)) {
        if (ch != 0) Target->WMSysChar(ch);
        return {};
    }
    KeyOutcome out;
    out.PassKey = !taken;
    out.Text = Text;
    if (ch == 0) return out;
    if (preview) {
        form->KeyPress(ch);
        if (!alive) return {};
    }
    if (ch != 0) Target->KeyPress(ch);
    if (!alive || ch == 0) return {};
    if (ch != CharOf(Vk, Shift, Text) || taken) {
        out.CharOnly = true;
        out.PassKey = ch >= 32;
        out.Text = std::u16string(1, ch);
    }
    return out;
}

bool KeyUpPipeline(TWinControl* Target, Word Vk, TShiftState Shift)
{
    SetKeyDown(Vk, false);
    SyncModifiers(Shift);
    if (Vk == VK_SHIFT || Vk == VK_CONTROL || Vk == VK_MENU) SetKeyDown(Vk, false);
    TWeakRef<TWinControl> alive(Target);
    TCustomForm* form = GetParentForm(Target);
    Word key = Vk;
    if (form && form != Target && form->KeyPreview()) {
        form->KeyUp(key, Shift);
        if (!alive || key == 0) return false;
    }
    if (Target->CNKeyUp(key, Shift) || !alive) return false;
    Target->KeyUp(key, Shift);
    return alive && key != 0;
}

bool RouteQtKey(TControl* Control, QKeyEvent* Event, bool Native, const std::function<bool(QEvent*)>& Base)
{
    const std::u16string text = Event->text().toStdU16String();
    Word vk = VirtualKeyFromQt(Event->key(), Event->modifiers());
    if (vk == 0 && !text.empty()) vk = VK_PACKET;
    TWinControl* target = KeyTarget(Control);
    if (vk == 0 || !target) return Native ? Base(Event) : true;
    TShiftState shift = ShiftFromQt(Event->modifiers());
    if (Event->key() == Qt::Key_Backtab) shift.Include(ssShift);
    const bool deliver = Native && target == Control;
    if (Event->type() == QEvent::KeyRelease) {
        // A held key repeats its press; the release comes once, at the end.
        if (Event->isAutoRepeat()) return Native ? Base(Event) : true;
        const bool pass = KeyUpPipeline(target, vk, shift);
        return deliver && pass ? Base(Event) : true;
    }
    const KeyOutcome out = KeyDownPipeline(target, vk, shift, text);
    if (!deliver || !out.PassKey || PastesNoText(Event)) return true;
    if (!out.CharOnly) return Base(Event);
    QKeyEvent replaced(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromStdU16String(out.Text));
    return Base(&replaced);
}

}  // namespace pl
