// The outcome of a platform call: success, or the system's code for why it failed (the
// thread's last error, a registry status), kept so that a report can name the reason.
#pragma once

#include <cstdint>

namespace setup {

class TStatus {
public:
    constexpr TStatus() = default; // success
    // A failure; a code of 0 (the system gave none) becomes ERROR_GEN_FAILURE, so that a
    // failure never reads as success.
    static constexpr TStatus Failure(uint32_t code) { return TStatus(code ? code : 31u); }

    constexpr explicit operator bool() const { return Code == 0; } // succeeded
    constexpr uint32_t ErrorCode() const { return Code; }          // 0 on success

private:
    constexpr explicit TStatus(uint32_t code) : Code(code) {}
    uint32_t Code = 0;
};

} // namespace setup
