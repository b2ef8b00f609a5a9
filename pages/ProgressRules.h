// The progress page's rules: the program-wide random steps, the captions and the closing
// message.
#pragma once

#include "install/InstallSequence.h"
#include "platform/ErrorTexts.h"

#include <cstdint>
#include <exception>
#include <string>
#include <vector>

namespace setup {

// One 32-bit seed, 0 at start-up and never reseeded.
class TRandomGenerator {
public:
    // A number from 0 to range - 1.
    uint32_t Next(uint32_t range) {
        Seed = Seed * 134775813u + 1u;
        return static_cast<uint32_t>((uint64_t(range) * Seed) >> 32);
    }

private:
    uint32_t Seed = 0;
};

// What one tick does to the page.
class IProgressPage {
public:
    virtual ~IProgressPage() = default;
    virtual int Progress() = 0;
    virtual void SetProgress(int progress) = 0; // clamped by the gauge
    virtual std::string DestinationFolder() = 0;
    virtual void SetStatus(const std::string& text) = 0;
    virtual void StopTimer() = 0;
    virtual void ShowMessage(const std::string& text) = 0;
    virtual void Terminate() = 0;
    // Tells of error and ends the program with a failure.
    virtual void EndWithFailure(const std::exception& error) = 0;
    // The screen's height in layout units (pixels at 96 dpi).
    virtual int ScreenHeight() = 0;
};

// Advances the animation by one random step; past 99 it stops, reports and terminates, or ends
// the program with a failure when the closing message cannot be shown. Whatever else fails
// ends the tick unseen.
void ProgressTick(IProgressPage& page, TRandomGenerator& random,
                  const std::vector<TInstallFailure>& failures, IErrorTexts& texts,
                  TLeadBytes lead) noexcept;

// The lines of failures the closing message holds at most, the last of them counting the rest,
// on a screen screenHeight layout units high: 12 from 480 up, fewer below, at least one. The
// box's title bar, margins, button, opening lines and count take 168 units; a failure line
// takes two lines of text of 13 units at most.
constexpr size_t MostFailureLines(int screenHeight) {
    const int lines = (screenHeight - 168) / 26;
    return lines >= 12 ? 12 : lines >= 1 ? static_cast<size_t>(lines) : 1;
}

// "Palvorne Lumivary Installation Completed", or what went wrong in the order it happened,
// each failure with the system's reason when there is one: at most mostLines lines of
// failures and names short enough to fit the screen whatever fails, never cut inside a
// character. Names inside destination are relative to it.
std::string CompletionMessage(const std::vector<TInstallFailure>& failures,
                              const std::string& destination, IErrorTexts& texts, TLeadBytes lead,
                              size_t mostLines = MostFailureLines(480));

} // namespace setup
