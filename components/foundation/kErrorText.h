#pragma once
// What a failure says, and failures passed on under the name of the
// operation they broke.

#include <utility>

#include "platform/SysUtils.h"

// The message of the exception being handled; call only inside a handler.
String CurrentExceptionMessage();

// Runs Body; what it raises comes out as an Exception whose message is
// Prefix followed by the cause's message.
template <class F>
void WithErrorPrefix(const String& Prefix, F&& Body)
{
    try {
        std::forward<F>(Body)();
    } catch (...) {
        throw Exception(Prefix + CurrentExceptionMessage());
    }
}
