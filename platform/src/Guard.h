#pragma once
// The fence between Qt and the layer: no exception unwinds through a Qt
// frame. Every entry from Qt (widget overrides, signal lambdas, timers,
// posted calls) runs its body through Guard.

#include <utility>

namespace pl {

// Hands the exception being handled to Application->HandleException (or to
// standard error when there is no application); never throws.
void HandleCurrentException() noexcept;

template <class F>
void Guard(F&& body) noexcept
{
    try {
        std::forward<F>(body)();
    } catch (...) {
        HandleCurrentException();
    }
}

}  // namespace pl
