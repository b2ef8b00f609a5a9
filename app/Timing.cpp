// WinMain's part of the timed image (app/Timing.h), linked into it alone.
#include "app/Timing.h"
#include "win32/Handles.h"

#include <windows.h>

namespace setup {

TTimedRun::TTimedRun() noexcept {
    MarkTime(WinMainTime);
}

// No file named, or one that cannot be written: the benchmark that asked finds none.
TTimedRun::~TTimedRun() {
    char path[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("SETUP_TIMES", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    const TFileHandle file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written;
    if (file)
        WriteFile(file.Get(), SetupTimes, sizeof SetupTimes, &written, nullptr);
}

} // namespace setup
