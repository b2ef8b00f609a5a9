// The system's codes that the fakes fail with, with the platform's numbers.
#pragma once

#include <cstdint>

namespace setup {

enum : uint32_t {
    ErrorFileNotFound = 2,
    ErrorPathNotFound = 3,
    ErrorAccessDenied = 5,
    ErrorNotReady = 21,
    ErrorSharingViolation = 32,
    ErrorInvalidParameter = 87,
    ErrorDiskFull = 112,
    ErrorAlreadyExists = 183,
    ErrorNoInterface = 0x80004002, // E_NOINTERFACE
};

} // namespace setup
