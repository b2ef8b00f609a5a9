#include "pages/ProgressRules.h"

namespace setup {

std::string CompletionMessage(const std::vector<TInstallFailure>& failures, IErrorTexts& texts) {
    if (failures.empty())
        return "Palvorne Lumivary Installation Completed";
    // Never report success for an install that lost files or values on the way, and say why.
    std::string text = "Palvorne Lumivary Installation did not complete.";
    for (const TInstallFailure& failure : failures) {
        text += "\n" + failure.Subject + ": " + failure.Message;
        if (failure.ErrorCode == 0)
            continue;
        const std::string reason = ReasonText(texts, failure.ErrorCode);
        // A message that already is the system's text (a COM failure) is not said twice.
        if (reason != AsClause(failure.Message))
            text += ": " + reason + ".";
    }
    return text;
}

void ProgressTick(IProgressPage& page, TRandomGenerator& random,
                  const std::vector<TInstallFailure>& failures, IErrorTexts& texts) {
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
    if (progress > 99) {
        page.StopTimer();
        page.ShowMessage(CompletionMessage(failures, texts));
        page.Terminate();
    }
}

} // namespace setup
