#include "pages/ProgressRules.h"

#include "base/Exceptions.h"

namespace setup {

namespace {

constexpr size_t LongestName = 60;

// text, when longer than 60 bytes, cut to at most 60 in its middle with "...", between
// characters.
std::string ShortenedInTheMiddle(const std::string& text, TLeadBytes lead) {
    if (text.size() <= LongestName)
        return text;
    // The end names the file, so more of it stays.
    constexpr size_t head = 20;
    constexpr size_t tail = LongestName - head - 3;
    const size_t headEnd = lead.CharStart(text, head);
    size_t tailStart = lead.CharStart(text, text.size() - tail);
    if (tailStart < text.size() - tail)
        tailStart += lead.CharLength(text, tailStart);
    return text.substr(0, headEnd) + "..." + text.substr(tailStart);
}

// The file or value a line is about: relative to the destination when inside it.
std::string NameOf(const std::string& subject, const std::string& destination, TLeadBytes lead) {
    const std::string inside = destination + "\\";
    if (!destination.empty() && subject.size() > inside.size() && subject.starts_with(inside))
        return ShortenedInTheMiddle(subject.substr(inside.size()), lead);
    return ShortenedInTheMiddle(subject, lead);
}

// The failure's own text without the path it repeats: "Cannot create file C:\x" says
// "Cannot create file".
std::string WithoutSubject(const std::string& message, const std::string& subject) {
    const std::string named = " " + subject;
    if (!subject.empty() && message.size() > named.size() && message.ends_with(named))
        return message.substr(0, message.size() - named.size());
    return message;
}

std::string FailureLine(const TInstallFailure& failure, const std::string& destination,
                        IErrorTexts& texts, TLeadBytes lead) {
    switch (failure.Outcome) {
    case TOutcome::Skipped:
        return NameOf(failure.Subject, destination, lead) + ": skipped after the failure above.";
    case TOutcome::NotDone:
        return "Not done after the failure above: " + failure.Message + ".";
    case TOutcome::Failed:
        break;
    }
    std::string line = NameOf(failure.Subject, destination, lead) + ": " +
                       AsClause(WithoutSubject(failure.Message, failure.Subject));
    if (failure.ErrorCode != 0) {
        const std::string reason = ReasonText(texts, failure.ErrorCode);
        // A message that already is the system's text (a COM failure) is not said twice.
        if (reason != AsClause(failure.Message))
            line += ": " + reason;
    }
    return line + ".";
}

// Stops the animation and shows the closing message, then ends the program.
void Finish(IProgressPage& page, const std::vector<TInstallFailure>& failures, IErrorTexts& texts,
            TLeadBytes lead) {
    page.StopTimer();
    // With the timer stopped the closing message is the one way out left: one that cannot be
    // shown must still end the program, and not as a success.
    try {
        page.ShowMessage(CompletionMessage(failures, page.DestinationFolder(), texts, lead,
                                           MostFailureLines(page.ScreenHeight())));
    } catch (const std::exception& error) {
        page.EndWithFailure(error);
        return;
    }
    page.Terminate();
}

void Advance(IProgressPage& page, TRandomGenerator& random,
             const std::vector<TInstallFailure>& failures, IErrorTexts& texts, TLeadBytes lead) {
    page.SetProgress(page.Progress() + static_cast<int>(random.Next(10)));
    const int progress = page.Progress();
    // Every passing test rewrites the caption: the last one stays.
    if (progress > 35)
        page.SetStatus(page.DestinationFolder() + "\\PalvorneLV.exe");
    if (progress > 45)
        page.SetStatus(page.DestinationFolder() + "\\Run.exe");
    if (progress > 58)
        page.SetStatus(page.DestinationFolder() + "\\Mpegdll.dll");
    if (progress > 75)
        page.SetStatus("Update your system");
    if (progress > 99)
        Finish(page, failures, texts, lead);
}

} // namespace

std::string CompletionMessage(const std::vector<TInstallFailure>& failures,
                              const std::string& destination, IErrorTexts& texts, TLeadBytes lead,
                              size_t mostLines) {
    if (failures.empty())
        return "Palvorne Lumivary Installation Completed";
    // Never report success for an install that lost files or values on the way, and say why.
    std::string text = "Palvorne Lumivary Installation did not complete.\nFolder: " +
                       ShortenedInTheMiddle(destination, lead);
    const size_t shown = failures.size() <= mostLines ? failures.size() : mostLines - 1;
    for (size_t i = 0; i < shown; ++i)
        text += "\n" + FailureLine(failures[i], destination, texts, lead);
    if (shown < failures.size())
        text += Format("\n... and %zu more.", failures.size() - shown);
    return text;
}

void ProgressTick(IProgressPage& page, TRandomGenerator& random,
                  const std::vector<TInstallFailure>& failures, IErrorTexts& texts,
                  TLeadBytes lead) noexcept {
    try {
        Advance(page, random, failures, texts, lead);
    } catch (...) {
        // The animation is no place to report a failure: the tick just ends, and the next one
        // carries on.
    }
}

} // namespace setup
