// The timed image's table of readings (base/Timing.h), linked into it alone.
#include "base/Timing.h"
#include "win32/Handles.h"

#include <windows.h>

namespace setup {

// Among the zero-filled data, never packed: the compiler would put it among the initialised.
extern "C" {
__attribute__((section(".bss"))) int64_t SetupTimes[TimeSlotCount];
}

namespace {

int64_t Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

} // namespace

void MarkTime(unsigned slot) {
    if (slot < TimeSlotCount && SetupTimes[slot] == 0)
        SetupTimes[slot] = Now();
}

TTimedSpan::TTimedSpan(TTimeSlot slot) : Slot(slot), Start(Now()) {}

TTimedSpan::~TTimedSpan() {
    SetupTimes[Slot] += Now() - Start;
}

TTimedRun::TTimedRun() {
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
