#include "platform/Messages.h"

#include <array>
#include <map>
#include <memory>

#include "Guard.h"
#include "KeyState.h"
#include "MessageLoop.h"

struct HWND__ {
    TWndMethod Proc;
    std::map<UINT, pl::TimerId> Timers;
};

namespace {

// Windows are held by shared pointers so that a window freed inside its own
// procedure stays valid until the procedure returns.
std::map<HWND, std::shared_ptr<HWND__>>& Windows()
{
    static std::map<HWND, std::shared_ptr<HWND__>> windows;
    return windows;
}

std::shared_ptr<HWND__> Find(HWND wnd)
{
    auto it = Windows().find(wnd);
    return it == Windows().end() ? nullptr : it->second;
}

LRESULT Deliver(const std::shared_ptr<HWND__>& window, Cardinal msg, WPARAM wParam, LPARAM lParam)
{
    TMessage m{msg, wParam, lParam, 0};
    if (window->Proc) window->Proc(m);
    return m.Result;
}

// One byte a key, as the system's keyboard state: bit 7 while down, bit 0
// toggled by each press.
std::array<Byte, 256>& KeyTable()
{
    static std::array<Byte, 256> table{};
    return table;
}

}  // namespace

HWND AllocateHWnd(TWndMethod proc)
{
    auto window = std::make_shared<HWND__>();
    window->Proc = std::move(proc);
    Windows()[window.get()] = window;
    return window.get();
}

void DeallocateHWnd(HWND wnd)
{
    auto window = Find(wnd);
    if (!window) return;
    for (auto& [id, timer] : window->Timers) pl::StopTimer(timer);
    window->Timers.clear();
    Windows().erase(wnd);
}

bool IsWindow(HWND wnd) { return Find(wnd) != nullptr; }

UINT SetTimer(HWND wnd, UINT id, UINT elapseMs)
{
    auto window = Find(wnd);
    if (!window || id == 0) return 0;
    auto it = window->Timers.find(id);
    if (it != window->Timers.end() && pl::TimerExists(it->second)) {
        pl::ChangeTimerInterval(it->second, elapseMs);
        return id;
    }
    window->Timers[id] = pl::StartTimer(elapseMs, [wnd, id] {
        if (auto target = Find(wnd)) Deliver(target, WM_TIMER, id, 0);
    });
    return id;
}

bool KillTimer(HWND wnd, UINT id)
{
    auto window = Find(wnd);
    if (!window) return false;
    auto it = window->Timers.find(id);
    if (it == window->Timers.end()) return false;
    pl::StopTimer(it->second);
    window->Timers.erase(it);
    return true;
}

bool PostMessage(HWND wnd, Cardinal msg, WPARAM wParam, LPARAM lParam)
{
    if (!Find(wnd)) return false;
    pl::PostCall([wnd, msg, wParam, lParam] {
        if (auto target = Find(wnd)) Deliver(target, msg, wParam, lParam);
    });
    return true;
}

LRESULT SendMessage(HWND wnd, Cardinal msg, WPARAM wParam, LPARAM lParam)
{
    auto window = Find(wnd);
    return window ? Deliver(window, msg, wParam, lParam) : 0;
}

LRESULT DefWindowProc(HWND, Cardinal, WPARAM, LPARAM) { return 0; }

SmallInt GetKeyState(Integer vk)
{
    if (vk < 0 || vk > 255) return 0;
    const Byte state = KeyTable()[static_cast<std::size_t>(vk)];
    return static_cast<SmallInt>((state & 0x80 ? 0x8000 : 0) | (state & 1));
}

void GetKeyboardState(std::array<Byte, 256>& State) { State = KeyTable(); }

void SetKeyboardState(const std::array<Byte, 256>& State) { KeyTable() = State; }

SmallInt GetAsyncKeyState(Integer vk) { return GetKeyState(vk); }

namespace pl {

void SetKeyDown(Word vk, bool down)
{
    if (vk >= KeyTable().size()) return;
    Byte& state = KeyTable()[vk];
    if (down && !(state & 0x80)) state ^= 1;
    state = static_cast<Byte>(down ? state | 0x80 : state & ~0x80);
}

}  // namespace pl
