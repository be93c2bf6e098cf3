#pragma once

#include "platform/SysUtils.h"

// The message of the Exception that f raises, or "(no exception)", so that a
// test can compare the exact text a caller would show.
template <class F>
String MessageOf(F&& f)
{
    try {
        f();
    } catch (const Exception& e) {
        return e.Message();
    }
    return "(no exception)";
}
