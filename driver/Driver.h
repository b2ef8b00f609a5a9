// Drives Setup.exe through its windows as a person would, and reads back what it left on
// the machine through the real registry, files and shell links.
#pragma once

#include <windows.h>

#include "win32/Handles.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

using namespace std::chrono_literals;

// The path of Setup.exe under test (environment SETUP_EXE).
std::string SetupExePath();

// A started Setup.exe; ended by force when the case leaves it running.
class TSetupProcess {
public:
    explicit TSetupProcess(const std::string& path = SetupExePath());
    ~TSetupProcess();
    TSetupProcess(const TSetupProcess&) = delete;
    TSetupProcess& operator=(const TSetupProcess&) = delete;

    // Waits for the program to end; nullopt on time-out.
    std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout = 20s);
    bool Running();
    DWORD ProcessId() const { return Id; }

private:
    setup::TKernelHandle Process;
    DWORD Id;
};

// Starts a program (in folder, when given) and returns its process, or none.
setup::TKernelHandle StartProgram(const std::string& commandLine, const char* folder = nullptr);

// A visible top-level window of this caption owned by process (0: any), which has a child
// whose text is childText when that is given; null when there is none now.
HWND VisibleWindow(const std::string& caption, const std::string& childText = "",
                   DWORD processId = 0);
// The same, waiting up to timeout.
HWND WaitForWindow(const std::string& caption, const std::string& childText = "",
                   DWORD processId = 0, std::chrono::milliseconds timeout = 15s);
// Waits until window is hidden or gone.
bool WaitForHidden(HWND window, std::chrono::milliseconds timeout = 10s);
bool HasChildWithText(HWND window, const std::string& text);
HWND FindChild(HWND window, const std::string& text, const char* className = nullptr);
// Texts of the window's static children, joined with new lines.
std::string StaticTexts(HWND window);

// Brings window to the front and types keys at it: "%c" is Alt+C, "{ENTER}", "{ESC}",
// "{TAB}", "{HOME}", "{END}", "{DEL}", "{UP}", "{DOWN}", "{F4}" (with Alt), "+{END}" with
// Shift; other characters are typed as they are.
void SendKeys(HWND window, const std::string& keys);
// Types keys at window and waits until answered() holds, checked every 50 ms, up to timeout.
// A key that arrives before window has the focus is lost, where a person would press again: so
// are the keys, whenever a second has passed since they were typed, the program has handled
// all its input (nothing of them is still on its way) and window is still shown without the
// answer. Every walk that types and then waits for what the keys bring goes through here.
bool PressUntil(HWND window, const std::string& keys, const std::function<bool()>& answered,
                std::chrono::milliseconds timeout = 15s);
// Types keys at window until a window as VisibleWindow finds it is shown; returns it, or null
// after timeout with a screenshot, as WaitForWindow does.
HWND PressForWindow(HWND window, const std::string& keys, const std::string& caption,
                    const std::string& childText = "", DWORD processId = 0,
                    std::chrono::milliseconds timeout = 15s);
// One key going down or up, through the system's input queue.
void Key(WORD key, bool up);
// Clicks a child control at its centre with the mouse.
void ClickChild(HWND window, const std::string& text);
void ClickAt(HWND window, int clientX, int clientY);

// Saves the screen as a bitmap file in SETUP_SCREENSHOTS (made into PNG by the runner).
void SaveScreenshot(const std::string& name);

// The machine, read back.
std::optional<std::string> ReadRegistryString(HKEY root, const std::string& key,
                                              const std::string& name);
std::optional<std::string> ReadFileBytes(const std::string& path);
bool DirectoryExists(const std::string& path);
std::string ProgramsFolder();
std::string WindowsFolder();
// A payload block embedded in Setup.exe, read from the file on disk and decoded; empty when it is
// missing or damaged.
std::string EmbeddedBlock(const std::string& name);
// A resource of a program on disk; empty when there is none.
std::string Resource(const std::string& program, LPCSTR name, LPCSTR type);
void WriteFileBytes(const std::string& path, const std::string& bytes);

struct TLinkFields {
    std::string Path;
    std::string Arguments;
    std::string WorkingDirectory;
};
std::optional<TLinkFields> ReadShortcut(const std::string& file);

// The companion window "PalvorneRun1", or null.
HWND RunnerWindow();
// Asks a running runner to quit and waits for its window to go.
void StopRunner();

} // namespace e2e
