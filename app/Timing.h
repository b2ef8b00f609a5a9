// WinMain's part of the benchmark's timed image (base/Timing.h): the run's mark and the table
// written out when the run ends. Nothing outside the timed image.
#pragma once

#include "base/Timing.h"

#ifdef SETUP_TIMING

namespace setup {

// Marks WinMain's start and writes the table, when it ends, to the file named by the
// environment variable SETUP_TIMES.
class TTimedRun {
public:
    TTimedRun() noexcept;
    ~TTimedRun();
    TTimedRun(const TTimedRun&) = delete;
    TTimedRun& operator=(const TTimedRun&) = delete;
};

} // namespace setup

#define SETUP_TIMED_RUN() const ::setup::TTimedRun setupTimedRun

#else

#define SETUP_TIMED_RUN() static_cast<void>(0)

#endif
