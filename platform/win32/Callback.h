// The one guard around code that Windows calls back (window, subclass, dialog and timer
// procedures): no exception may unwind through Windows' own frames.
#pragma once

#include "platform/Exceptions.h"

#include <exception>

namespace setup {

// Shows a failure that a callback cannot hand back to its caller. A plain function pointer,
// set once by the application: Windows calls the procedures with no context of ours.
extern void (*CallbackErrorHandler)(const std::exception& error);

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
