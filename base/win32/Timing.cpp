// The timed image's table of readings and its marks (base/Timing.h), compiled into it alone.
#include "base/Timing.h"

#include <windows.h>

namespace setup {

// Among the zero-filled data, never packed: the compiler would put it among the initialised.
extern "C" {
__attribute__((section(".bss"))) int64_t SetupTimes[TimeSlotCount];
}

namespace {

int64_t Now() noexcept {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

} // namespace

void MarkTime(unsigned slot) noexcept {
    if (slot < TimeSlotCount && SetupTimes[slot] == 0)
        SetupTimes[slot] = Now();
}

TTimedSpan::TTimedSpan(TTimeSlot slot) noexcept : Slot(slot), Start(Now()) {}

TTimedSpan::~TTimedSpan() {
    SetupTimes[Slot] += Now() - Start;
}

} // namespace setup
