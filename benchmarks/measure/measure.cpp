// Whole-program figures of one install, run under Wine in a fresh prefix:
//   measure setup|peer|floor <installer.exe> <payload folder>
//       prints "kind first_ms install_ms peak_kib first_page_peak_kib empty_process_ms" and
//       checks what the install left behind; the install work ends when the runner's process
//       starts, and begins with the key that starts it (the floor: after its CoInitialize);
//   measure window <window_floor.exe>
//       prints "window first_ms - - - empty_process_ms": the empty full-screen window's start;
//   measure timed <timed Setup.exe> <payload folder>
//       runs the install as "setup" does with the benchmark's timed image of Setup (its marks in
//       base/Timing.h) and prints where its time went, one line per phase:
//       "part<TAB>phase<TAB>ms since the part's start<TAB>ms of the phase" ("-" where none);
//   measure size <Setup.exe>
//       prints the file size, the stored (packed) bytes of its payload bundle and of its
//       pictures (resource type "PICTURE");
//   measure idle
//       does nothing: the empty process whose start is timed beside the figures.
#include "base/Timing.h"
#include "driver/Driver.h"
#include "install/DefaultConfiguration.h"
#include "install/InstallSequence.h"

#include <windows.h>

#include <objbase.h>
#include <psapi.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace e2e;

const std::string Destination = "C:\\Program Files\\Palvorne Lumivary";
const DWORD WaitLimitMs = 60000;

struct TFailure {
    std::string What;
};

// A reading of the performance counter, this process's or another's, in milliseconds.
double CounterMs(LONGLONG counter) {
    static const LONGLONG frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    return static_cast<double>(counter) * 1000.0 / static_cast<double>(frequency);
}

double NowMs() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return CounterMs(now.QuadPart);
}

// Polls probe every millisecond until it yields a window; throws after the wait limit.
template <typename Probe> HWND PollFor(const char* what, Probe probe) {
    const double end = NowMs() + WaitLimitMs;
    for (;;) {
        if (HWND found = probe())
            return found;
        if (NowMs() > end)
            throw TFailure{std::string("timed out waiting for ") + what};
        Sleep(1);
    }
}

// Whether a process of the runner's file name exists.
bool RunnerRunning() {
    const std::unique_ptr<void, decltype(&CloseHandle)> snapshot(
        CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0), &CloseHandle);
    if (snapshot.get() == INVALID_HANDLE_VALUE)
        throw TFailure{"no process snapshot"};
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.get(), &entry); more;
         more = Process32Next(snapshot.get(), &entry)) {
        const char* name = entry.szExeFile;
        for (const char* c = name; *c; ++c)
            if (*c == '\\')
                name = c + 1;
        if (lstrcmpiA(name, "Run.exe") == 0)
            return true;
    }
    return false;
}

// Polls until the runner's process exists and returns that moment; throws after the limit.
double RunnerStart() {
    const double end = NowMs() + WaitLimitMs;
    while (!RunnerRunning()) {
        if (NowMs() > end)
            throw TFailure{"timed out waiting for the runner's process"};
        Sleep(1);
    }
    const double started = NowMs();
    PollFor("the runner's window", RunnerWindow);
    return started;
}

class TProcess {
public:
    explicit TProcess(const std::string& commandLine) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string line = commandLine;
        if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &Info))
            throw TFailure{"cannot start " + commandLine};
    }
    ~TProcess() {
        if (WaitForSingleObject(Info.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(Info.hProcess, 1);
        CloseHandle(Info.hThread);
        CloseHandle(Info.hProcess);
    }
    TProcess(const TProcess&) = delete;
    TProcess& operator=(const TProcess&) = delete;

    DWORD Id() const { return Info.dwProcessId; }
    HANDLE Handle() const { return Info.hProcess; }

    DWORD WaitForExit() const {
        if (WaitForSingleObject(Info.hProcess, WaitLimitMs) != WAIT_OBJECT_0)
            throw TFailure{"the installer did not end"};
        DWORD code = 0;
        GetExitCodeProcess(Info.hProcess, &code);
        return code;
    }

    // The largest working set the process has had so far.
    size_t PeakKiB() const {
        PROCESS_MEMORY_COUNTERS counters{};
        counters.cb = sizeof counters;
        if (!K32GetProcessMemoryInfo(Info.hProcess, &counters, sizeof counters))
            throw TFailure{"no memory figures for the installer"};
        return counters.PeakWorkingSetSize / 1024;
    }

private:
    PROCESS_INFORMATION Info{};
};

std::string WindowText(HWND window) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

HWND EnabledChild(HWND window, const std::string& text) {
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child) && IsWindowEnabled(child) && WindowText(child) == text)
            return child;
    return nullptr;
}

struct TWindowSearch {
    DWORD ProcessId;
    const char* Caption;   // null: any
    const char* ChildText; // null: any
    HWND Found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<TWindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->ProcessId || !IsWindowVisible(window) ||
        (search->Caption && WindowText(window) != search->Caption) ||
        (search->ChildText && !EnabledChild(window, search->ChildText)))
        return TRUE;
    search->Found = window;
    return FALSE;
}

HWND VisibleWindow(DWORD processId, const char* caption = nullptr,
                   const char* childText = nullptr) {
    TWindowSearch search{processId, caption, childText};
    EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

// Brings the window forward and lets it settle, so that the keys sent next find it ready.
void Focus(HWND window) {
    SetForegroundWindow(window);
    Sleep(300);
}

void PressAlt(char letter) {
    Key(VK_MENU, false);
    Key(static_cast<WORD>(letter), false);
    Key(static_cast<WORD>(letter), true);
    Key(VK_MENU, true);
}

void PressEnter() {
    Key(VK_RETURN, false);
    Key(VK_RETURN, true);
}

struct TFigures {
    std::optional<double> FirstWindowMs;
    double InstallMs = 0;
    double StartedAt = 0;    // CreateProcess, ms of the counter
    double KeyPressedAt = 0; // the key that starts the install
    size_t PeakKiB = 0;
    std::optional<size_t> FirstPagePeakKiB; // before the install, for comparison
};

// Timed start of a windowed installer: from CreateProcess to its first visible window.
double StartToFirstWindow(const TProcess& installer, double started) {
    PollFor("the first window", [&] { return VisibleWindow(installer.Id()); });
    return NowMs() - started;
}

// From the key that starts the install until the runner's process exists.
void InstallAfterKey(HWND page, char letter, TFigures& figures) {
    Focus(page);
    figures.KeyPressedAt = NowMs();
    PressAlt(letter);
    figures.InstallMs = RunnerStart() - figures.KeyPressedAt;
}

TFigures MeasureSetup(const std::string& exe) {
    TFigures figures;
    const double started = NowMs();
    figures.StartedAt = started;
    const TProcess setup("\"" + exe + "\"");
    figures.FirstWindowMs = StartToFirstWindow(setup, started);
    const HWND welcome = PollFor("the welcome page", [&] {
        return VisibleWindow(setup.Id(), "Palvorne Lumivary", "&Continue >>");
    });
    Focus(welcome);
    figures.FirstPagePeakKiB = setup.PeakKiB();
    PressAlt('C');
    const HWND destination = PollFor("the destination page", [&] {
        return VisibleWindow(setup.Id(), "Palvorne Lumivary", "&Install");
    });
    InstallAfterKey(destination, 'I', figures);
    const HWND closing =
        PollFor("the closing message", [&] { return VisibleWindow(setup.Id(), "Setup", "OK"); });
    figures.PeakKiB = setup.PeakKiB();
    Focus(closing);
    PressEnter();
    if (setup.WaitForExit() != 0)
        throw TFailure{"Setup.exe ended with an error code"};
    return figures;
}

TFigures MeasurePeer(const std::string& exe) {
    TFigures figures;
    const double started = NowMs();
    const TProcess peer("\"" + exe + "\"");
    figures.FirstWindowMs = StartToFirstWindow(peer, started);
    const HWND directory = PollFor("the directory page",
                                   [&] { return VisibleWindow(peer.Id(), nullptr, "&Install"); });
    Focus(directory);
    figures.FirstPagePeakKiB = peer.PeakKiB();
    InstallAfterKey(directory, 'I', figures);
    const HWND finished =
        PollFor("the finished page", [&] { return VisibleWindow(peer.Id(), nullptr, "&Close"); });
    figures.PeakKiB = peer.PeakKiB();
    Focus(finished);
    PressEnter();
    if (peer.WaitForExit() != 0)
        throw TFailure{"the peer ended with an error code"};
    return figures;
}

TFigures MeasureFloor(const std::string& exe) {
    const std::unique_ptr<void, decltype(&CloseHandle)> release(
        CreateEventA(nullptr, TRUE, FALSE, "PalvorneFloorRelease"), &CloseHandle);
    // The floor writes the counter here when its install work begins.
    const std::unique_ptr<void, decltype(&CloseHandle)> clock(
        CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(LARGE_INTEGER),
                           "PalvorneFloorClock"),
        &CloseHandle);
    const std::unique_ptr<void, decltype(&UnmapViewOfFile)> view(
        clock ? MapViewOfFile(clock.get(), FILE_MAP_READ, 0, 0, sizeof(LARGE_INTEGER)) : nullptr,
        &UnmapViewOfFile);
    if (!view)
        throw TFailure{"no clock to share with the floor"};
    TFigures figures;
    const TProcess floor("\"" + exe + "\" /hold");
    const double runnerStarted = RunnerStart();
    const LONGLONG begun = static_cast<const LARGE_INTEGER*>(view.get())->QuadPart;
    if (begun == 0)
        throw TFailure{"the floor did not say when its work began"};
    figures.InstallMs = runnerStarted - CounterMs(begun);
    // The floor writes nothing after starting the runner; wait for it to reach its hold.
    if (WaitForSingleObject(floor.Handle(), 500) != WAIT_TIMEOUT)
        throw TFailure{"the floor did not hold"};
    figures.PeakKiB = floor.PeakKiB();
    SetEvent(release.get());
    if (floor.WaitForExit() != 0)
        throw TFailure{"the floor ended with an error code"};
    return figures;
}

// What the install must have left behind; one line per difference.
std::vector<std::string> CheckInstall(const std::string& payload) {
    std::vector<std::string> problems;
    auto expect = [&](bool good, const std::string& what) {
        if (!good)
            problems.push_back(what);
    };
    char windowsFolder[MAX_PATH] = {};
    GetWindowsDirectoryA(windowsFolder, MAX_PATH);
    const std::string windows = windowsFolder;
    const struct {
        const char* Name;
        std::string Target;
    } files[] = {{"PalvorneLV.exe", Destination},
                 {"Uninstall.exe", Destination},
                 {"Mpegdll.dll", Destination},
                 {"Run.exe", Destination},
                 {"PLVCPL.cpl", windows + "\\system"}};
    for (const auto& file : files) {
        const auto written = ReadFileBytes(file.Target + "\\" + file.Name);
        expect(written && written == ReadFileBytes(payload + "\\" + file.Name),
               file.Target + "\\" + file.Name + " differs from the payload");
    }
    std::string configuration;
    for (const std::string& line : setup::DefaultConfigurationLines())
        configuration.append(line).append("\r\n");
    const auto written = ReadFileBytes(Destination + "\\config.ini");
    expect(written == configuration,
           "config.ini differs (" + std::to_string(written ? written->size() : 0) + " bytes, " +
               std::to_string(configuration.size()) + " expected)");
    for (const char* screen : {"\\logos", "\\logow"})
        expect(ReadFileBytes(windows + screen + ".old") == ReadFileBytes(windows + screen + ".sys"),
               std::string(screen + 1) + ".old is not a copy of the boot screen");

    const std::string version = "Software\\Microsoft\\Windows\\CurrentVersion";
    auto expectValue = [&](const std::string& key, const char* name, const std::string& data) {
        const std::string found =
            ReadRegistryString(HKEY_LOCAL_MACHINE, key, name).value_or("<no text value>");
        expect(found == data, key + " " + name + " is " + found);
    };
    expectValue("Software\\palvorne", "Palvorne Lumivary", Destination + "\\PalvorneLV.exe");
    expectValue(version + "\\runServices", "PalvorneLumivary",
                "\"" + Destination + "\\run.exe\" /P");
    const std::string uninstall = version + "\\Uninstall\\PalvorneLumivary";
    expectValue(uninstall, "DisplayName", "Palvorne Lumivary 2000 Tessaline");
    expectValue(uninstall, "UninstallString", "\"" + Destination + "\\Uninstall.exe\"");

    const std::string programs = ProgramsFolder();
    for (const char* name : {"PalvorneLV", "Uninstall"}) {
        const std::string file = programs + "\\Palvorne\\Lumivary\\" + name + ".lnk";
        const std::string target = Destination + "\\" + name + ".exe";
        const auto link = ReadShortcut(file);
        expect(link.has_value(), file + " is missing");
        if (!link)
            continue;
        expect(link->Path == target, file + " starts " + link->Path);
        expect(link->Arguments == target, file + " passes " + link->Arguments);
        // Setup keeps the folder's closing backslash; the peer's packager drops it.
        expect(link->WorkingDirectory == Destination ||
                   link->WorkingDirectory == Destination + "\\",
               file + " works in " + link->WorkingDirectory);
    }
    return problems;
}

// Starts and ends an empty process: warms Wine's process start, and shows what one costs.
double EmptyProcessMs() {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const double started = NowMs();
    const TProcess idle("\"" + std::string(self) + "\" idle");
    idle.WaitForExit();
    return NowMs() - started;
}

// The floor of the first page: from CreateProcess until the empty window is visible.
int MeasureWindow(const std::string& exe) {
    GetDesktopWindow();
    EmptyProcessMs();
    const double emptyProcessMs = EmptyProcessMs();
    const double started = NowMs();
    const TProcess window("\"" + exe + "\"");
    const double firstMs = StartToFirstWindow(window, started);
    PostMessageA(VisibleWindow(window.Id()), WM_CLOSE, 0, 0);
    if (window.WaitForExit() != 0)
        throw TFailure{"the empty window ended with an error code"};
    std::printf("window %.1f - - - %.1f\n", firstMs, emptyProcessMs);
    return 0;
}

// The install steps' names, in the order of TInstallStep.
constexpr const char* StepNames[] = {"none",
                                     "destination folder created",
                                     "destination shown",
                                     "machine root selected",
                                     "Windows key opened",
                                     "systemroot read",
                                     "progress timer started",
                                     "application path recorded",
                                     "config.ini written",
                                     "start-up value recorded",
                                     "uninstall entry recorded",
                                     "logo screen backed up",
                                     "wait screen backed up",
                                     "control panels ended",
                                     "PalvorneLV.exe written",
                                     "Uninstall.exe written",
                                     "Mpegdll.dll written",
                                     "Run.exe written",
                                     "PLVCPL.cpl written",
                                     "shell folders read",
                                     "Start-menu group created",
                                     "program shortcut created",
                                     "uninstall shortcut created",
                                     "runner starting, to its process seen (figure c)",
                                     "registry released"};
static_assert(std::size(StepNames) ==
              static_cast<size_t>(setup::TInstallStep::ReleaseRegistry) + 1);

std::string TimesFile() {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + "SetupTimes.bin";
}

// Where the timed image's run went, from the table it wrote at its end: the start-up from
// CreateProcess, the install from the key that starts it; each phase beside the moment it ends.
void PrintTimes(const TFigures& figures, const std::string& file) {
    using namespace setup;
    const auto bytes = ReadFileBytes(file);
    if (!bytes || bytes->size() != sizeof(int64_t) * TimeSlotCount)
        throw TFailure{"no table of times in " + file + ": is it the timed image?"};
    int64_t times[TimeSlotCount];
    std::memcpy(times, bytes->data(), sizeof times);
    const auto print = [](const char* part, const std::string& phase, double from, double to) {
        std::printf("%s\t%s\t%.1f\t%.1f\n", part, phase.c_str(), to, to - from);
    };
    const auto span = [&](const char* part, const char* phase, TTimeSlot slot) {
        std::printf("%s\t%s\t-\t%.1f\n", part, phase, CounterMs(times[slot]));
    };
    // A mark's moment, in ms after reference.
    const auto at = [&](unsigned slot, double reference) {
        if (times[slot] == 0)
            throw TFailure{"the timed image never reached its mark " + std::to_string(slot)};
        return CounterMs(times[slot]) - reference;
    };

    const double start = figures.StartedAt;
    const char* startUp = "start-up";
    print(startUp, "CreateProcess to the entry stub", 0, at(LaunchTime, start));
    print(startUp, "image checked and unpacked", at(LaunchTime, start), at(UnpackedTime, start));
    print(startUp, "runtime started, static objects made, to WinMain", at(UnpackedTime, start),
          at(WinMainTime, start));
    print(startUp, "WinMain to the first page's window made", at(WinMainTime, start),
          at(FirstWindowTime, start));
    print(startUp, "first window made to the welcome page's ShowWindow", at(FirstWindowTime, start),
          at(FirstShownTime, start));
    span(startUp, "every picture decoded and made a bitmap (the large ones by this ShowWindow)",
         PictureSpan);
    print(startUp, "ShowWindow to the window seen (figure b)", at(FirstShownTime, start),
          figures.FirstWindowMs.value_or(0));
    print(startUp, "welcome page shown to all five pages made", at(FirstShownTime, start),
          at(PagesCreatedTime, start));
    print(startUp, "pages made to the first paint finished", at(PagesCreatedTime, start),
          at(FirstPaintedTime, start));

    const double key = figures.KeyPressedAt;
    const char* install = "install";
    print(install, "Alt+I to the Install button's handler", 0, at(InstallClickTime, key));
    // The steps in the order they began; each lasts until the next begins.
    std::vector<std::pair<double, TInstallStep>> steps;
    for (unsigned step = 0; step <= static_cast<unsigned>(TInstallStep::ReleaseRegistry); ++step)
        if (times[FirstStepTime + step] != 0)
            steps.emplace_back(at(FirstStepTime + step, key), static_cast<TInstallStep>(step));
    if (steps.empty())
        throw TFailure{"the timed image marked no install step"};
    std::sort(steps.begin(), steps.end());
    print(install, "progress page shown, to the first step", at(InstallClickTime, key),
          steps.front().first);
    // The last step, the runner's start, ends where figure c does: with its process seen.
    steps.emplace_back(figures.InstallMs, TInstallStep::None);
    for (size_t i = 0; i + 1 < steps.size(); ++i)
        print(install, StepNames[static_cast<size_t>(steps[i].second)], steps[i].first,
              steps[i + 1].first);
    span(install, "of which the payload decoded", PayloadSpan);
    print(install, "(after figure c) the runner's start returned", figures.InstallMs,
          at(RunnerStartedTime, key));
}

int Measure(const std::string& kind, const std::string& exe, const std::string& payload) {
    GetDesktopWindow();
    EmptyProcessMs();
    const double emptyProcessMs = EmptyProcessMs();
    TFigures figures;
    const std::string times = TimesFile();
    if (kind == "setup") {
        figures = MeasureSetup(exe);
    } else if (kind == "timed") {
        DeleteFileA(times.c_str());
        SetEnvironmentVariableA("SETUP_TIMES", times.c_str());
        figures = MeasureSetup(exe);
    } else if (kind == "peer") {
        figures = MeasurePeer(exe);
    } else if (kind == "floor") {
        figures = MeasureFloor(exe);
    } else {
        throw TFailure{"unknown kind " + kind};
    }
    const auto problems = CheckInstall(payload);
    StopRunner();
    for (const std::string& problem : problems)
        std::fprintf(stderr, "check: %s\n", problem.c_str());
    if (!problems.empty())
        return 2;
    if (kind == "timed") {
        PrintTimes(figures, times);
        return 0;
    }
    char first[32] = "-";
    if (figures.FirstWindowMs)
        std::snprintf(first, sizeof first, "%.1f", *figures.FirstWindowMs);
    char firstPage[32] = "-";
    if (figures.FirstPagePeakKiB)
        std::snprintf(firstPage, sizeof firstPage, "%u",
                      static_cast<unsigned>(*figures.FirstPagePeakKiB));
    std::printf("%s %s %.1f %u %s %.1f\n", kind.c_str(), first, figures.InstallMs,
                static_cast<unsigned>(figures.PeakKiB), firstPage, emptyProcessMs);
    return 0;
}

BOOL CALLBACK AddResourceSize(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR total) {
    *reinterpret_cast<unsigned long*>(total) +=
        SizeofResource(module, FindResourceA(module, name, type));
    return TRUE;
}

int Size(const std::string& exe) {
    const HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        throw TFailure{"cannot load " + exe};
    const HRSRC payload = FindResourceA(module, "PAYLOAD", MAKEINTRESOURCEA(10)); // RT_RCDATA
    if (!payload)
        throw TFailure{"no payload bundle"};
    const unsigned long blocks = SizeofResource(module, payload);
    unsigned long pictures = 0;
    EnumResourceNamesA(module, "PICTURE", &AddResourceSize, reinterpret_cast<LONG_PTR>(&pictures));
    FreeLibrary(module);
    const auto bytes = ReadFileBytes(exe);
    if (!bytes)
        throw TFailure{"cannot read " + exe};
    std::printf("%u %lu %lu\n", static_cast<unsigned>(bytes->size()), blocks, pictures);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        if (args.size() == 1 && args[0] == "idle")
            return 0;
        if (args.size() == 2 && args[0] == "size")
            return Size(args[1]);
        if (args.size() == 2 && args[0] == "window")
            return MeasureWindow(args[1]);
        if (args.size() == 3) {
            CoInitialize(nullptr);
            const int code = Measure(args[0], args[1], args[2]);
            CoUninitialize();
            return code;
        }
        std::fprintf(stderr, "usage: measure setup|timed|peer|floor <installer> <payload folder>\n"
                             "       measure window <window_floor.exe>\n"
                             "       measure size <Setup.exe>\n");
        return 64;
    } catch (const TFailure& failure) {
        std::fprintf(stderr, "measure: %s\n", failure.What.c_str());
        StopRunner();
        return 1;
    }
}
