#include "widgets/QdInterface.h"

HWND Qi_AllocateHWnd(TWndMethod Method) { return AllocateHWnd(std::move(Method)); }

void Qi_DeallocateHWnd(HWND Wnd) { DeallocateHWnd(Wnd); }

TQiObjectInstance* Qi_MakeObjectInstance(TWndMethod Method) { return new TQiObjectInstance(std::move(Method)); }

void Qi_FreeObjectInstance(TQiObjectInstance* Instance) { delete Instance; }
