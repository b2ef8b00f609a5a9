// Windows' ways of saying why a call failed, turned into the platform's status.
#pragma once

#include <windows.h>

#include "base/Status.h"

namespace setup {

// Success, or the thread's last error, for a call that told whether it succeeded.
inline TStatus LastErrorStatus(bool succeeded) {
    return succeeded ? TStatus() : TStatus::Failure(GetLastError());
}

// The status a registry function returned.
inline TStatus RegistryStatus(LONG status) {
    return status == ERROR_SUCCESS ? TStatus() : TStatus::Failure(static_cast<uint32_t>(status));
}

} // namespace setup
