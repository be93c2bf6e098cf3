#pragma once

#include "platform/SysUtils.h"

// The message of the Exception that Action raises, or "(no exception)", so
// that a test can compare the exact text a caller would show. Given Kinds,
// the exception must be one of them: another passes on and fails the test.
template <class... Kinds, class F>
String MessageOf(F&& Action)
{
    try {
        Action();
    } catch (const Exception& e) {
        if constexpr (sizeof...(Kinds) > 0) {
            if (!(dynamic_cast<const Kinds*>(&e) || ...)) throw;
        }
        return e.Message();
    }
    return "(no exception)";
}
