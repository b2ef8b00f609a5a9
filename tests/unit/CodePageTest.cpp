// Every walk of path text under code page 932, where a character's second byte can look like a
// backslash (表, ソ) or an ASCII letter (ヂ): against fakes that walk by character too, so that
// what is tested is the program.
#include "install/InstallSequence.h"
#include "install/PalvorneComp.h"
#include "install/ProcessTerminator.h"
#include "pages/ProgressRules.h"
#include "platform/fake/FakeErrorTexts.h"
#include "platform/fake/FakeFileSystem.h"
#include "platform/fake/FakeProcesses.h"
#include "platform/fake/FakeShellLinks.h"
#include "tests/unit/CodePage932.h"

#include <gtest/gtest.h>

#include <vector>

namespace setup {
namespace {

std::string Rep(const std::string& text, int times) {
    std::string result;
    for (int i = 0; i < times; ++i)
        result += text;
    return result;
}

// The folders an install into path makes, each followed by "|", on a drive that has C:\Apps
// and C:\ア.
std::string FoldersMade(std::string_view path) {
    FakeFileSystem files;
    files.LeadBytes = LeadBytes932;
    files.AddDirectory("C:\\Apps");
    files.AddDirectory("C:\\" + A);
    std::string made = CreateFolderTree(files, std::string(path), LeadBytes932) ? "" : "failed ";
    for (const std::string& call : files.Log)
        made += call.substr(call.find(' ') + 1) + "|";
    return made;
}

std::string WorkingFolder(std::string_view target) {
    FakeShellLinks links;
    FakeErrorTexts texts;
    EXPECT_TRUE(CreateShortcut(links, texts, "", "x.lnk", std::string(target), LeadBytes932));
    return links.Links.at(0).Link.WorkingDirectory;
}

// Whether a running program recorded as exeFile is ended for target.
std::string Ends(std::string_view exeFile, const std::string& target) {
    FakeProcesses processes;
    processes.Running = {{1, std::string(exeFile)}};
    TerminateProcesses(processes, target, LeadBytes932);
    return processes.Terminated.empty() ? "kept" : "ended";
}

// The name the closing message gives a failed file outside the destination.
std::string ClosingName(std::string_view subject) {
    FakeErrorTexts texts;
    const std::string message =
        CompletionMessage({{TInstallStep::WriteRunner, std::string(subject), "Cannot create file"}},
                          "D:\\Dest", texts, LeadBytes932);
    const size_t line = message.rfind('\n') + 1;
    return message.substr(line, message.rfind(": Cannot create file.") - line);
}

using TWalk = std::string (*)(std::string_view);

TEST(CodePage932, PathsAreWalkedByCharacter) {
    const std::string lone = "\x95"; // a lead byte with nothing after it
    const TWalk closing = [](std::string_view text) {
        return WithoutClosingSeparators(text, LeadBytes932);
    };
    const TWalk name = [](std::string_view path) { return ExtractFileName(path, LeadBytes932); };
    const TWalk upper = [](std::string_view text) { return AsciiUpperCase(text, LeadBytes932); };
    const TWalk endsA = [](std::string_view exe) { return Ends(exe, "a.exe"); };
    const TWalk endsKatakanaA = [](std::string_view exe) { return Ends(exe, A + ".EXE"); };
    const struct {
        TWalk Walk;
        std::string Text;
        std::string Expected;
    } rows[] = {
        {closing, "C:\\Apps\\" + Hyo, "C:\\Apps\\" + Hyo},
        {closing, "C:\\" + So + "\\\\", "C:\\" + So},
        {closing, "C:\\x\\" + lone, "C:\\x\\" + lone},
        {closing, "C:/" + So + "//", "C:/" + So},
        {FoldersMade, "C:\\Apps\\" + Hyo, "C:\\Apps\\" + Hyo + "|"},
        {FoldersMade, "C:\\" + Hyo + "\\Palvorne Lumivary",
         "C:\\" + Hyo + "|C:\\" + Hyo + "\\Palvorne Lumivary|"},
        {FoldersMade, "C:\\Apps\\" + So + "\\", "C:\\Apps\\" + So + "|"},
        {FoldersMade, "C:\\" + So + Hyo + "\\" + So,
         "C:\\" + So + Hyo + "|C:\\" + So + Hyo + "\\" + So + "|"},
        // A slash is a separator, and the folders keep the text as typed.
        {FoldersMade, "C:/Apps/" + Hyo + "/Palvorne Lumivary",
         "C:/Apps/" + Hyo + "|C:/Apps/" + Hyo + "/Palvorne Lumivary|"},
        {FoldersMade, "C:/" + So + "/x/", "C:/" + So + "|C:/" + So + "/x|"},
        // ヂ is no ア in another case: its folder is still to be made.
        {FoldersMade, "C:\\" + Di + "\\x", "C:\\" + Di + "|C:\\" + Di + "\\x|"},
        {WorkingFolder, "C:\\" + Hyo + "\\PalvorneLV.exe", "C:\\" + Hyo + "\\"},
        {WorkingFolder, "C:\\x\\" + So, "C:\\x\\"},
        {WorkingFolder, "C:/" + Hyo + "/x.exe", "C:/" + Hyo + "/"},
        {WorkingFolder, "C:\\" + Hyo + "\\" + So + "\\x.exe", "C:\\" + Hyo + "\\" + So + "\\"},
        {name, "C:\\x\\" + So + ".exe", So + ".exe"},
        {name, "C:\\a\\" + lone, lone},
        {name, "C:/x/" + So + ".exe", So + ".exe"},
        {upper, "c:\\" + Di + "a", "C:\\" + Di + "A"},
        {upper, "a" + lone, "A" + lone},
        {endsA, "C:\\" + So + "a.exe", "kept"},
        {endsA, "C:\\" + So + "\\A.EXE", "ended"},
        {endsKatakanaA, "C:\\WIN\\" + Di + ".exe", "kept"},
        {endsKatakanaA, "C:\\WIN\\" + A + ".exe", "ended"},
        // 60 bytes at most, cut between characters: the head before the ninth 表, the tail
        // after the ソ its first byte would cut.
        {ClosingName, "C:\\" + Rep(Hyo, 9) + std::string(30, 'x') + Rep(So, 20),
         "C:\\" + Rep(Hyo, 8) + "..." + Rep(So, 18)},
        {ClosingName, std::string(70, 'x') + lone,
         std::string(20, 'x') + "..." + std::string(36, 'x') + lone},
    };
    for (const auto& row : rows) {
        // Exactly the text's bytes, with nothing after them, so that a walk past the end is
        // seen by the address checker.
        const std::vector<char> exact(row.Text.begin(), row.Text.end());
        EXPECT_EQ(row.Walk({exact.data(), exact.size()}), row.Expected) << row.Text;
    }
}

} // namespace
} // namespace setup
