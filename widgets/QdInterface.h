#pragma once
// Hidden windows and window-procedure instances for the library's
// non-visual components.

#include <utility>

#include "platform/Messages.h"

// A hidden window whose messages go to Method.
HWND Qi_AllocateHWnd(TWndMethod Method);
void Qi_DeallocateHWnd(HWND Wnd);

// A window procedure that calls a method: what a window is subclassed with.
class TQiObjectInstance {
public:
    explicit TQiObjectInstance(TWndMethod Method) : FMethod(std::move(Method)) {}
    void operator()(TMessage& Message) const
    {
        if (FMethod) FMethod(Message);
    }

private:
    TWndMethod FMethod;
};

TQiObjectInstance* Qi_MakeObjectInstance(TWndMethod Method);
// Releases an instance from Qi_MakeObjectInstance; nullptr is ignored.
void Qi_FreeObjectInstance(TQiObjectInstance* Instance);
