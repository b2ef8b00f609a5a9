// The COM side of the callback guard (win32/Callback.h): a COM method answers the system with
// a code, so what its work throws becomes that code instead of unwinding into the caller's
// frames.
#pragma once

#include "base/Result.h"

#include <windows.h>

#include <new>

namespace setup {

// The system's code for a status: a failure carries its HRESULT, or none (E_FAIL).
inline HRESULT ComStatus(TStatus status) {
    if (status)
        return S_OK;
    return status.ErrorCode() ? static_cast<HRESULT>(status.ErrorCode()) : E_FAIL;
}

// Runs work, which answers a TResult: a failed allocation answers E_OUTOFMEMORY, anything else
// thrown E_FAIL.
template <typename Work> auto GuardCom(Work&& work) noexcept -> decltype(work()) {
    try {
        return work();
    } catch (const std::bad_alloc&) {
        return TStatus::Failure(static_cast<uint32_t>(E_OUTOFMEMORY));
    } catch (...) {
        return TStatus::Failure(static_cast<uint32_t>(E_FAIL));
    }
}

} // namespace setup
