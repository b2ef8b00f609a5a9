#include "tests/e2e/Walk.h"

#include "install/DefaultConfiguration.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

namespace e2e {

namespace {

// What a page's window is known by: its caption and a child's text.
struct TPage {
    const char* Caption;
    const char* Child;
};
constexpr TPage Welcome{"Palvorne Lumivary", "&Continue >>"};
constexpr TPage Destination{"Palvorne Lumivary", "&Install"};
constexpr TPage Progress{"Installing", "&Exit Setup"};
constexpr TPage Chooser{"Choose Folder", "&OK"};

HWND WaitForPage(const TSetupProcess& setup, TPage page) {
    return WaitForWindow(page.Caption, page.Child, setup.ProcessId());
}

HWND PressForPage(const TSetupProcess& setup, HWND window, const std::string& keys, TPage page) {
    return PressForWindow(window, keys, page.Caption, page.Child, setup.ProcessId());
}

} // namespace

HWND WelcomePage(const TSetupProcess& setup) {
    return WaitForPage(setup, Welcome);
}

HWND DestinationPage(const TSetupProcess& setup) {
    return WaitForPage(setup, Destination);
}

HWND ProgressPage(const TSetupProcess& setup) {
    return WaitForPage(setup, Progress);
}

HWND FolderChooser(const TSetupProcess& setup) {
    return WaitForPage(setup, Chooser);
}

HWND ToDestinationPage(const TSetupProcess& setup, HWND welcome, const std::string& keys) {
    return PressForPage(setup, welcome, keys, Destination);
}

HWND ToProgressPage(const TSetupProcess& setup, HWND destination) {
    return PressForPage(setup, destination, "%i", Progress);
}

bool PressAway(HWND window, const std::string& keys) {
    return PressUntil(
        window, keys, [window] { return !IsWindow(window) || !IsWindowVisible(window); }, 10s);
}

HWND OpenDestinationPage(const TSetupProcess& setup) {
    HWND welcome = WelcomePage(setup);
    return welcome ? ToDestinationPage(setup, welcome) : nullptr;
}

HWND StartInstall(const TSetupProcess& setup) {
    HWND destination = OpenDestinationPage(setup);
    return destination ? ToProgressPage(setup, destination) : nullptr;
}

HWND ChildOfClass(HWND window, const char* className) {
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[32] = {};
        GetClassNameA(child, name, sizeof name);
        if (lstrcmpiA(name, className) == 0)
            return child;
    }
    return nullptr;
}

void ClickIn(HWND page, HWND control, POINT point) {
    MapWindowPoints(control, page, &point, 1);
    ClickAt(page, point.x, point.y);
}

HWND Browse(const TSetupProcess& setup, HWND destination) {
    return PressForPage(setup, destination, "%r", Chooser);
}

std::string EditText(HWND chooser) {
    char text[MAX_PATH] = {};
    SendMessageA(ChildOfClass(chooser, "Edit"), WM_GETTEXT, MAX_PATH,
                 reinterpret_cast<LPARAM>(text));
    return text;
}

void TypePath(HWND chooser, const std::string& path) {
    ClickIn(chooser, ChildOfClass(chooser, "Edit"), {20, 8});
    SendKeys(chooser, "{HOME}+{END}{DEL}" + path);
    // A loaded machine may deliver the last keys after SendKeys has returned.
    for (int waited = 0; EditText(chooser) != path && waited < 5000; waited += 50)
        Sleep(50);
}

std::string DismissClosingMessage(const TSetupProcess& setup) {
    HWND message = WaitForWindow("Setup", "OK", setup.ProcessId(), 30s);
    if (!message)
        return "<no closing message>";
    const std::string text = StaticTexts(message);
    SaveScreenshot("closing-message");
    PressAway(message, "{ENTER}");
    return text;
}

int GaugeFill(HWND progress) {
    POINT origin{GaugeLeft, GaugeTop};
    ClientToScreen(progress, &origin);
    HDC screen = GetDC(nullptr);
    int fill = 0;
    while (fill < GaugeWidth && GetPixel(screen, origin.x + fill, origin.y) == RGB(0, 0, 128))
        ++fill;
    ReleaseDC(nullptr, screen);
    return fill;
}

void MoveAside(HWND window) {
    RECT box;
    GetWindowRect(window, &box);
    SetWindowPos(window, nullptr, box.left, box.top + 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Sleep(300);
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

namespace {
// The shell keeps a link's target in its own form, with backslashes only.
std::string WithBackslashes(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string ExpectedConfiguration() {
    std::string text;
    for (const std::string& line : setup::DefaultConfigurationLines())
        text += line + "\r\n";
    return text;
}
} // namespace

void ExpectEveryFileOfTheInstall(const std::string& dest) {
    ExpectFileIsBlock(dest + "\\PalvorneLV.exe", "PLV");
    ExpectFileIsBlock(dest + "\\Uninstall.exe", "UNINSTALL");
    ExpectFileIsBlock(dest + "\\Mpegdll.dll", "MPEGDLL");
    ExpectFileIsBlock(dest + "\\Run.exe", "RUN");
    ExpectFileIsBlock(WindowsFolder() + "\\system\\PLVCPL.cpl", "PLVCPL");
    const auto config = ReadFileBytes(dest + "\\config.ini");
    ASSERT_TRUE(config);
    EXPECT_EQ(config->size(), 666u);
    EXPECT_EQ(*config, ExpectedConfiguration());

    const std::string group = ProgramsFolder() + "\\Palvorne\\Lumivary\\";
    for (const char* name : {"PalvorneLV", "Uninstall"}) {
        const std::string target = dest + "\\" + name + ".exe";
        const auto link = ReadShortcut(group + name + ".lnk");
        ASSERT_TRUE(link) << name;
        EXPECT_EQ(link->Path, WithBackslashes(target));
        EXPECT_EQ(link->Arguments, target);
        EXPECT_EQ(link->WorkingDirectory, dest + "\\");
    }
    EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, "Software\\palvorne", "Palvorne Lumivary"),
              dest + "\\PalvorneLV.exe");
    EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE,
                                 "Software\\Microsoft\\Windows\\CurrentVersion\\runServices",
                                 "PalvorneLumivary"),
              "\"" + dest + "\\run.exe\" /P");
}

} // namespace e2e
