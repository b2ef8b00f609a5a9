// The one guard around code that Windows calls back (window, subclass, dialog and timer
// procedures): no exception may unwind through Windows' own frames.
#pragma once

#include "base/Exceptions.h"

#include <exception>
#include <functional>

namespace setup {

// Shows a failure that a callback cannot hand back to its caller; set by the application
// object for its lifetime. Global because Windows calls the procedures with no context of
// ours, and a timer or subclass procedure has nowhere else to find it.
extern std::function<void(const std::exception& error)> CallbackErrorHandler;

// Runs handler; whatever it throws goes to CallbackErrorHandler instead of into Windows.
template <class Handler> void GuardCallback(Handler&& handler) noexcept {
    try {
        try {
            handler();
        } catch (const std::exception& error) {
            if (CallbackErrorHandler)
                CallbackErrorHandler(error);
        } catch (...) {
            if (CallbackErrorHandler)
                CallbackErrorHandler(Exception("Unknown failure"));
        }
    } catch (...) {
        // The error display itself failed: there is nobody left to tell.
    }
}

} // namespace setup
