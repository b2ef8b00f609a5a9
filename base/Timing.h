// Where a run's time goes, for the benchmark's timed image only (built with SETUP_TIMING): each
// mark keeps the performance counter's reading when the run first gets there, each span adds up
// the counts spent inside it. The table and the marks are base's own (base/win32/Timing.cpp,
// compiled into the timed image alone), so every room can mark without calling up; WinMain
// writes the table out (app/Timing.h). Everywhere else the marks are nothing, so Setup.exe's
// bytes do not depend on them.
#pragma once

#include <cstdint>

namespace setup {

// The slots of the table the timed image writes out: the readings of the marks, the summed
// counts of the spans, then one reading per install step (by its TInstallStep value).
enum TTimeSlot : unsigned {
    LaunchTime,        // the entry stub's first instruction
    UnpackedTime,      // the image checked and unpacked, before the runtime starts
    WinMainTime,       // static objects made, WinMain entered
    FirstWindowTime,   // a page's window first made
    FirstShownTime,    // a page about to be shown for the first time
    PagesCreatedTime,  // all five pages made
    FirstPaintedTime,  // a page's first paint finished
    InstallClickTime,  // the destination page's Install pressed
    RunnerStartedTime, // the install's last step has started the runner
    PictureSpan,       // decoding the pictures and making their bitmaps
    PayloadSpan,       // decoding the payload's bundle
    FirstStepTime,
    TimeSlotCount = FirstStepTime + 32
};

#ifdef SETUP_TIMING

// The readings and sums; zero where nothing has been reached. The entry stub writes its own
// before the rest of the image is unpacked, so the table lies outside the packed sections.
extern "C" int64_t SetupTimes[TimeSlotCount];

// Notes the counter in slot unless it holds a reading already.
void MarkTime(unsigned slot) noexcept;

// Adds the counts from its making to its end to slot.
class TTimedSpan {
public:
    explicit TTimedSpan(TTimeSlot slot) noexcept;
    ~TTimedSpan();
    TTimedSpan(const TTimedSpan&) = delete;
    TTimedSpan& operator=(const TTimedSpan&) = delete;

private:
    TTimeSlot Slot;
    int64_t Start;
};

#define SETUP_MARK(slot) ::setup::MarkTime(slot)
#define SETUP_MARK_STEP(step)                                                                      \
    ::setup::MarkTime(::setup::FirstStepTime + static_cast<unsigned>(step))
#define SETUP_SPAN(slot) const ::setup::TTimedSpan setupTimedSpan(::setup::slot)
// For the entry stub's start-section code, which can call nothing packed: the system's counter
// itself (the stub includes <windows.h>).
#define SETUP_START_MARK(slot)                                                                     \
    static_cast<void>(QueryPerformanceCounter(                                                     \
        reinterpret_cast<LARGE_INTEGER*>(&::setup::SetupTimes[::setup::slot])))

#else

#define SETUP_MARK(slot) static_cast<void>(0)
#define SETUP_MARK_STEP(step) static_cast<void>(0)
#define SETUP_SPAN(slot) static_cast<void>(0)
#define SETUP_START_MARK(slot) static_cast<void>(0)

#endif

} // namespace setup
