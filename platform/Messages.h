#pragma once
// Window messages, virtual-key codes, the key-state table, hidden windows
// with their timers, and posted messages.

#include <array>
#include <cstdint>
#include <functional>

#include "platform/Types.h"

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using UINT = std::uint32_t;

struct TMessage {
    Cardinal Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

// A hidden window: a message procedure with timers and a post queue.
struct HWND__;
using HWND = HWND__*;
using TWndMethod = std::function<void(TMessage&)>;

constexpr Cardinal WM_NULL = 0x0000;
constexpr Cardinal WM_CLOSE = 0x0010;
constexpr Cardinal WM_QUERYENDSESSION = 0x0011;
constexpr Cardinal WM_ENDSESSION = 0x0016;
constexpr Cardinal WM_KEYDOWN = 0x0100;
constexpr Cardinal WM_KEYUP = 0x0101;
constexpr Cardinal WM_CHAR = 0x0102;
constexpr Cardinal WM_TIMER = 0x0113;
constexpr Cardinal WM_USER = 0x0400;

// Dialog codes a control answers to WMGetDlgCode.
constexpr Integer DLGC_WANTARROWS = 0x0001;
constexpr Integer DLGC_WANTTAB = 0x0002;
constexpr Integer DLGC_WANTALLKEYS = 0x0004;
constexpr Integer DLGC_WANTCHARS = 0x0080;

// Virtual-key codes.
constexpr Word VK_LBUTTON = 0x01;
constexpr Word VK_RBUTTON = 0x02;
constexpr Word VK_CANCEL = 0x03;
constexpr Word VK_MBUTTON = 0x04;
constexpr Word VK_BACK = 0x08;
constexpr Word VK_TAB = 0x09;
constexpr Word VK_CLEAR = 0x0C;
constexpr Word VK_RETURN = 0x0D;
constexpr Word VK_SHIFT = 0x10;
constexpr Word VK_CONTROL = 0x11;
constexpr Word VK_MENU = 0x12;
constexpr Word VK_PAUSE = 0x13;
constexpr Word VK_CAPITAL = 0x14;
constexpr Word VK_ESCAPE = 0x1B;
constexpr Word VK_SPACE = 0x20;
constexpr Word VK_PRIOR = 0x21;
constexpr Word VK_NEXT = 0x22;
constexpr Word VK_END = 0x23;
constexpr Word VK_HOME = 0x24;
constexpr Word VK_LEFT = 0x25;
constexpr Word VK_UP = 0x26;
constexpr Word VK_RIGHT = 0x27;
constexpr Word VK_DOWN = 0x28;
constexpr Word VK_SELECT = 0x29;
constexpr Word VK_PRINT = 0x2A;
constexpr Word VK_SNAPSHOT = 0x2C;
constexpr Word VK_INSERT = 0x2D;
constexpr Word VK_DELETE = 0x2E;
constexpr Word VK_HELP = 0x2F;
// '0'..'9' and 'A'..'Z' are their ASCII codes.
constexpr Word VK_LWIN = 0x5B;
constexpr Word VK_RWIN = 0x5C;
constexpr Word VK_APPS = 0x5D;
constexpr Word VK_NUMPAD0 = 0x60;
constexpr Word VK_NUMPAD1 = 0x61;
constexpr Word VK_NUMPAD2 = 0x62;
constexpr Word VK_NUMPAD3 = 0x63;
constexpr Word VK_NUMPAD4 = 0x64;
constexpr Word VK_NUMPAD5 = 0x65;
constexpr Word VK_NUMPAD6 = 0x66;
constexpr Word VK_NUMPAD7 = 0x67;
constexpr Word VK_NUMPAD8 = 0x68;
constexpr Word VK_NUMPAD9 = 0x69;
constexpr Word VK_MULTIPLY = 0x6A;
constexpr Word VK_ADD = 0x6B;
constexpr Word VK_SEPARATOR = 0x6C;
constexpr Word VK_SUBTRACT = 0x6D;
constexpr Word VK_DECIMAL = 0x6E;
constexpr Word VK_DIVIDE = 0x6F;
constexpr Word VK_F1 = 0x70;
constexpr Word VK_F2 = 0x71;
constexpr Word VK_F3 = 0x72;
constexpr Word VK_F4 = 0x73;
constexpr Word VK_F5 = 0x74;
constexpr Word VK_F6 = 0x75;
constexpr Word VK_F7 = 0x76;
constexpr Word VK_F8 = 0x77;
constexpr Word VK_F9 = 0x78;
constexpr Word VK_F10 = 0x79;
constexpr Word VK_F11 = 0x7A;
constexpr Word VK_F12 = 0x7B;
constexpr Word VK_NUMLOCK = 0x90;
constexpr Word VK_SCROLL = 0x91;
constexpr Word VK_LSHIFT = 0xA0;
constexpr Word VK_RSHIFT = 0xA1;
constexpr Word VK_LCONTROL = 0xA2;
constexpr Word VK_RCONTROL = 0xA3;
constexpr Word VK_LMENU = 0xA4;
constexpr Word VK_RMENU = 0xA5;
constexpr Word VK_OEM_1 = 0xBA;       // ';:'
constexpr Word VK_OEM_PLUS = 0xBB;
constexpr Word VK_OEM_COMMA = 0xBC;
constexpr Word VK_OEM_MINUS = 0xBD;
constexpr Word VK_OEM_PERIOD = 0xBE;
constexpr Word VK_OEM_2 = 0xBF;       // '/?'
constexpr Word VK_OEM_3 = 0xC0;       // '`~'
constexpr Word VK_OEM_4 = 0xDB;       // '[{'
constexpr Word VK_OEM_5 = 0xDC;       // '\|'
constexpr Word VK_OEM_6 = 0xDD;       // ']}'
constexpr Word VK_OEM_7 = 0xDE;       // quote

// The state of a key as the input pipeline last saw it: bit 15 set while the
// key is down. Kept for the virtual keys 0..255; VK_SHIFT, VK_CONTROL and
// VK_MENU follow the modifiers of every key event, the VK_*BUTTON codes
// the mouse buttons.
SmallInt GetKeyState(Integer vk);
// The same table, for code that asks asynchronously.
SmallInt GetAsyncKeyState(Integer vk);
// The whole table, one byte a key: bit 7 while down, bit 0 toggled (the
// lock keys' state). Setting it changes what the program sees; the
// toolkit cannot switch the keyboard's own locks or lights.
void GetKeyboardState(std::array<Byte, 256>& State);
void SetKeyboardState(const std::array<Byte, 256>& State);

// Creates a hidden window whose messages go to proc (which may free the
// window from inside a message).
HWND AllocateHWnd(TWndMethod proc);
void DeallocateHWnd(HWND wnd);
bool IsWindow(HWND wnd);

// Starts timer id of wnd, or changes its interval when it runs already; the
// window then receives WM_TIMER with WParam = id. Intervals below 10 ms,
// 0 included, run at 10 ms. Returns id, or 0 when wnd is not a window or id
// is 0.
UINT SetTimer(HWND wnd, UINT id, UINT elapseMs);
bool KillTimer(HWND wnd, UINT id);

// Queues a message for wnd; it is delivered from the message loop, after the
// current handler returns, and only while wnd exists.
bool PostMessage(HWND wnd, Cardinal msg, WPARAM wParam, LPARAM lParam);
// Delivers a message at once.
LRESULT SendMessage(HWND wnd, Cardinal msg, WPARAM wParam, LPARAM lParam);
// What a window procedure answers for messages it does not handle.
LRESULT DefWindowProc(HWND wnd, Cardinal msg, WPARAM wParam, LPARAM lParam);

// Message box flags and results (Application->MessageBox).
constexpr Integer MB_OK = 0x00;
constexpr Integer MB_OKCANCEL = 0x01;
constexpr Integer MB_ABORTRETRYIGNORE = 0x02;
constexpr Integer MB_YESNOCANCEL = 0x03;
constexpr Integer MB_YESNO = 0x04;
constexpr Integer MB_RETRYCANCEL = 0x05;
constexpr Integer MB_ICONSTOP = 0x10;
constexpr Integer MB_ICONERROR = 0x10;
constexpr Integer MB_ICONQUESTION = 0x20;
constexpr Integer MB_ICONWARNING = 0x30;
constexpr Integer MB_ICONEXCLAMATION = 0x30;
constexpr Integer MB_ICONINFORMATION = 0x40;
constexpr Integer IDOK = 1;
constexpr Integer IDCANCEL = 2;
constexpr Integer IDABORT = 3;
constexpr Integer IDRETRY = 4;
constexpr Integer IDIGNORE = 5;
constexpr Integer IDYES = 6;
constexpr Integer IDNO = 7;
