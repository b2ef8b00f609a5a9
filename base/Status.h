// The outcome of a platform call: success, or a failure with the system's code for why (the
// thread's last error, a registry status, an HRESULT), kept so that a report can name the
// reason. Ignoring one does not compile in the product build.
#pragma once

#include <cstdint>

namespace setup {

class [[nodiscard]] TStatus {
public:
    constexpr TStatus() = default; // success
    // A failure; a code of 0 means the system gave no reason (Windows 9x often does not), which
    // stays "failed, no code" rather than reading as success or as some other reason.
    static constexpr TStatus Failure(uint32_t code) { return TStatus(true, code); }

    constexpr explicit operator bool() const { return !Failed; } // succeeded
    constexpr uint32_t ErrorCode() const { return Code; } // 0 on success or when none was given

private:
    constexpr TStatus(bool failed, uint32_t code) : Failed(failed), Code(code) {}
    bool Failed = false;
    uint32_t Code = 0;
};

} // namespace setup
