#include "driver/Driver.h"

#include "codec/StoredBlock.h"
#include "win32/ComPtr.h"
#include "win32/Handles.h"
#include "win32/StoredResources.h"

#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>
#include <thread>

namespace e2e {
namespace {

std::string EnvironmentText(const char* name) {
    char buffer[MAX_PATH * 2] = {};
    const DWORD length = GetEnvironmentVariableA(name, buffer, sizeof buffer);
    return length && length < sizeof buffer ? std::string(buffer, length) : std::string();
}

std::string WindowText(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

struct TWindowSearch {
    std::string Caption;
    std::string ChildText;
    DWORD ProcessId;
    HWND Found = nullptr;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<TWindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (!IsWindowVisible(window) || WindowText(window) != search->Caption ||
        (search->ProcessId && owner != search->ProcessId) ||
        (!search->ChildText.empty() && !HasChildWithText(window, search->ChildText)))
        return TRUE;
    search->Found = window;
    return FALSE;
}

void Tap(WORD key) {
    Key(key, false);
    Key(key, true);
}

void Settle() {
    std::this_thread::sleep_for(150ms);
}

} // namespace

void Key(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

TSetupProcess::TSetupProcess(const std::string& path)
    : Process(StartProgram("\"" + path + "\"")), Id(Process ? GetProcessId(Process.Get()) : 0) {}

TSetupProcess::~TSetupProcess() {
    if (Process && Running())
        TerminateProcess(Process.Get(), 1);
}

std::optional<DWORD> TSetupProcess::WaitForExit(std::chrono::milliseconds timeout) {
    if (WaitForSingleObject(Process.Get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(Process.Get(), &code);
    return code;
}

bool TSetupProcess::Running() {
    return WaitForSingleObject(Process.Get(), 0) == WAIT_TIMEOUT;
}

std::string SetupExePath() {
    return EnvironmentText("SETUP_EXE");
}

setup::TKernelHandle StartProgram(const std::string& commandLine, const char* folder) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder, &startup,
                        &info))
        return {};
    setup::TKernelHandle thread(info.hThread);
    return setup::TKernelHandle(info.hProcess);
}

HWND VisibleWindow(const std::string& caption, const std::string& childText, DWORD processId) {
    TWindowSearch search{caption, childText, processId};
    EnumWindows(&MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

HWND WaitForWindow(const std::string& caption, const std::string& childText, DWORD processId,
                   std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    do {
        if (HWND found = VisibleWindow(caption, childText, processId)) {
            Settle();
            return found;
        }
        std::this_thread::sleep_for(50ms);
    } while (std::chrono::steady_clock::now() < end);
    SaveScreenshot("missing-" + caption);
    return nullptr;
}

bool WaitForHidden(HWND window, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (IsWindow(window) && IsWindowVisible(window)) {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

HWND FindChild(HWND window, const std::string& text, const char* className) {
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[64] = {};
        GetClassNameA(child, name, sizeof name);
        if (WindowText(child) == text && (!className || lstrcmpiA(name, className) == 0))
            return child;
    }
    return nullptr;
}

bool HasChildWithText(HWND window, const std::string& text) {
    return FindChild(window, text) != nullptr;
}

std::string StaticTexts(HWND window) {
    std::string texts;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[64] = {};
        GetClassNameA(child, name, sizeof name);
        const std::string text = WindowText(child);
        if (lstrcmpiA(name, "Static") == 0 && !text.empty())
            texts += (texts.empty() ? "" : "\n") + text;
    }
    return texts;
}

void SendKeys(HWND window, const std::string& keys) {
    SetForegroundWindow(window);
    Settle();
    bool shift = false;
    for (size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] == '+' && i + 1 < keys.size() && keys[i + 1] == '{') {
            shift = true;
            Key(VK_SHIFT, false);
            continue;
        }
        if (keys[i] == '%' && i + 1 < keys.size()) {
            Key(VK_MENU, false);
            Tap(static_cast<WORD>(std::toupper(static_cast<unsigned char>(keys[++i]))));
            Key(VK_MENU, true);
        } else if (keys[i] == '{') {
            static const std::map<std::string, WORD> named = {
                {"ENTER", VK_RETURN}, {"ESC", VK_ESCAPE}, {"TAB", VK_TAB},
                {"HOME", VK_HOME},    {"END", VK_END},    {"DEL", VK_DELETE},
                {"UP", VK_UP},        {"DOWN", VK_DOWN},  {"F4", VK_F4}};
            const size_t close = std::min(keys.find('}', i), keys.size());
            const std::string name = keys.substr(i + 1, close - i - 1);
            i = close;
            const auto found = named.find(name);
            const bool alt = name == "F4"; // sent as Alt+F4, which closes the window
            if (alt)
                Key(VK_MENU, false);
            if (found != named.end())
                Tap(found->second);
            if (alt)
                Key(VK_MENU, true);
            if (shift) {
                Key(VK_SHIFT, true);
                shift = false;
            }
        } else {
            const SHORT scan = VkKeyScanA(keys[i]);
            if (scan & 0x100)
                Key(VK_SHIFT, false);
            Tap(LOBYTE(scan));
            if (scan & 0x100)
                Key(VK_SHIFT, true);
        }
        Settle();
    }
}

bool PressUntil(HWND window, const std::string& keys, const std::function<bool()>& answered,
                std::chrono::milliseconds timeout) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    const setup::TKernelHandle process(
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId));
    const auto end = std::chrono::steady_clock::now() + timeout;
    auto typed = std::chrono::steady_clock::now();
    SendKeys(window, keys);
    while (!answered()) {
        const auto now = std::chrono::steady_clock::now();
        if (now >= end)
            return false;
        // Still busy with the keys, or already gone on from window: they were not lost.
        const bool idle = !process || WaitForInputIdle(process.Get(), 0) == 0;
        if (now - typed >= 1s && idle && IsWindow(window) && IsWindowVisible(window)) {
            typed = now;
            SendKeys(window, keys);
            continue;
        }
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

HWND PressForWindow(HWND window, const std::string& keys, const std::string& caption,
                    const std::string& childText, DWORD processId,
                    std::chrono::milliseconds timeout) {
    HWND found = nullptr;
    if (!PressUntil(
            window, keys,
            [&] { return (found = VisibleWindow(caption, childText, processId)) != nullptr; },
            timeout)) {
        SaveScreenshot("missing-" + caption);
        return nullptr;
    }
    Settle();
    return found;
}

void ClickAt(HWND window, int clientX, int clientY) {
    SetForegroundWindow(window);
    Settle();
    POINT point{clientX, clientY};
    ClientToScreen(window, &point);
    SetCursorPos(point.x, point.y);
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof input[0]);
    Settle();
}

void ClickChild(HWND window, const std::string& text) {
    HWND child = FindChild(window, text);
    if (!child)
        return;
    RECT r;
    GetWindowRect(child, &r);
    POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ScreenToClient(window, &centre);
    ClickAt(window, centre.x, centre.y);
}

void SaveScreenshot(const std::string& name) {
    const std::string folder = EnvironmentText("SETUP_SCREENSHOTS");
    if (folder.empty())
        return;
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    const setup::TWindowDC screen = setup::WindowDC(nullptr);
    setup::TMemoryDC memory(CreateCompatibleDC(screen.Get()));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    setup::TBitmapHandle bitmap(
        CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const auto selected = setup::Select(memory.Get(), bitmap.Get());
    BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), 0, 0, SRCCOPY);
    GdiFlush();
    const DWORD stride = ((width * 3 + 3) / 4) * 4;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + stride * height;
    std::string safe = name;
    for (char& c : safe)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-')
            c = '_';
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    bytes.append(static_cast<const char*>(bits), stride * height);
    WriteFileBytes(folder + "\\" + safe + ".bmp", bytes);
}

std::optional<std::string> ReadRegistryString(HKEY root, const std::string& key,
                                              const std::string& name) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return std::nullopt;
    const setup::TRegKey handle(opened);
    char data[2048] = {};
    DWORD size = sizeof data;
    DWORD type = 0;
    const LONG status = RegQueryValueExA(handle.Get(), name.c_str(), nullptr, &type,
                                         reinterpret_cast<BYTE*>(data), &size);
    if (status != ERROR_SUCCESS || type != REG_SZ)
        return std::nullopt;
    return std::string(data);
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    if (FILE* out = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fclose(out);
    }
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
    FILE* in = std::fopen(path.c_str(), "rb");
    if (!in)
        return std::nullopt;
    std::string bytes;
    char buffer[65536];
    size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, in)) > 0)
        bytes.append(buffer, count);
    std::fclose(in);
    return bytes;
}

bool DirectoryExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ProgramsFolder() {
    return ReadRegistryString(HKEY_CURRENT_USER,
                              "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell "
                              "Folders",
                              "Programs")
        .value_or("");
}

std::string WindowsFolder() {
    char folder[MAX_PATH] = {};
    GetWindowsDirectoryA(folder, MAX_PATH);
    return folder;
}

std::string EmbeddedBlock(const std::string& name) {
    const std::string stored =
        Resource(SetupExePath(), setup::PayloadBundleName, setup::PayloadType);
    const auto bundle = setup::UnpackStoredBlock(
        std::span(reinterpret_cast<const uint8_t*>(stored.data()), stored.size()));
    if (!bundle)
        return {};
    const auto file = setup::FindInBundle(*bundle, name);
    return file ? std::string(reinterpret_cast<const char*>(file->data()), file->size())
                : std::string();
}

std::string Resource(const std::string& program, LPCSTR name, LPCSTR type) {
    const setup::TModule module(LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    HRSRC found = module ? FindResourceA(module.Get(), name, type) : nullptr;
    if (!found)
        return {};
    const auto* data = static_cast<const char*>(LockResource(LoadResource(module.Get(), found)));
    return std::string(data, SizeofResource(module.Get(), found));
}

std::optional<TLinkFields> ReadShortcut(const std::string& file) {
    const setup::TComInit com = setup::InitializeCom();
    setup::TComPtr<IShellLinkA> link;
    setup::TComPtr<IPersistFile> persist;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.Receive())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, persist.Receive())))
        return std::nullopt;
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
    if (FAILED(persist->Load(wide, STGM_READ)))
        return std::nullopt;
    char text[MAX_PATH * 2] = {};
    TLinkFields fields;
    link->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH);
    fields.Path = text;
    link->GetArguments(text, sizeof text);
    fields.Arguments = text;
    link->GetWorkingDirectory(text, sizeof text);
    fields.WorkingDirectory = text;
    return fields;
}

HWND RunnerWindow() {
    return FindWindowA(nullptr, "PalvorneRun1");
}

void StopRunner() {
    for (int i = 0; i < 200; ++i) {
        HWND runner = RunnerWindow();
        if (!runner)
            return;
        PostMessageA(runner, WM_QUIT, 0, 0);
        std::this_thread::sleep_for(25ms);
    }
}

} // namespace e2e
