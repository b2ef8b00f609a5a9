#include "tests/e2e/Walk.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace e2e {

HWND WelcomePage(const TSetupProcess& setup) {
    return WaitForWindow("Palvorne Lumivary", "&Continue >>", setup.ProcessId());
}

HWND DestinationPage(const TSetupProcess& setup) {
    return WaitForWindow("Palvorne Lumivary", "&Install", setup.ProcessId());
}

HWND ProgressPage(const TSetupProcess& setup) {
    return WaitForWindow("Installing", "&Exit Setup", setup.ProcessId());
}

HWND FolderChooser(const TSetupProcess& setup) {
    return WaitForWindow("Choose Folder", "&OK", setup.ProcessId());
}

HWND OpenDestinationPage(const TSetupProcess& setup) {
    HWND welcome = WelcomePage(setup);
    if (!welcome)
        return nullptr;
    SendKeys(welcome, "%c");
    return DestinationPage(setup);
}

HWND StartInstall(const TSetupProcess& setup) {
    HWND destination = OpenDestinationPage(setup);
    if (!destination)
        return nullptr;
    SendKeys(destination, "%i");
    return ProgressPage(setup);
}

std::string DismissClosingMessage(const TSetupProcess& setup) {
    HWND message = WaitForWindow("Setup", "OK", setup.ProcessId(), 30s);
    if (!message)
        return "<no closing message>";
    const std::string text = StaticTexts(message);
    SaveScreenshot("closing-message");
    SendKeys(message, "{ENTER}");
    return text;
}

std::string InstallWithKeyboard(const std::string& setupExe) {
    TSetupProcess setup(setupExe);
    if (!StartInstall(setup))
        return "<no progress page>";
    const std::string text = DismissClosingMessage(setup);
    return setup.WaitForExit() == 0u ? text : std::string();
}

void ExpectFileIsBlock(const std::string& path, const std::string& block) {
    const auto bytes = ReadFileBytes(path);
    const std::string expected = EmbeddedBlock(block);
    ASSERT_FALSE(expected.empty()) << "no block " << block;
    EXPECT_TRUE(bytes && *bytes == expected)
        << path << " (" << (bytes ? bytes->size() : 0) << " bytes) is not block " << block << " ("
        << expected.size() << " bytes)";
}

} // namespace e2e
