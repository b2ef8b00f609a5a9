// The floor of the install work: the same files, values and shortcuts as Setup.exe and the
// runner started hidden, with no user interface, no temporary files and no error reports. It
// carries the payload as Setup.exe does, in the same packed bundle, and decodes it with
// Setup's own decoder.
// With "/hold" it stays until the event "PalvorneFloorRelease" is set, so that a measuring
// program can still read its memory figures. When the measuring program offers the shared
// clock "PalvorneFloorClock", the floor writes into it the moment its install work begins,
// after CoInitialize, where Setup's begins with the key that starts it.
#include "install/DefaultConfiguration.h"
#include "platform/win32/Win32Resources.h"

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <string>

namespace {

const std::string Destination = "C:\\Program Files\\Palvorne Lumivary";

class TRegistryKey {
public:
    TRegistryKey(HKEY root, const char* path, REGSAM access) {
        if (RegCreateKeyExA(root, path, 0, nullptr, 0, access, nullptr, &Key, nullptr) !=
            ERROR_SUCCESS)
            Key = nullptr;
    }
    ~TRegistryKey() {
        if (Key)
            RegCloseKey(Key);
    }
    TRegistryKey(const TRegistryKey&) = delete;
    TRegistryKey& operator=(const TRegistryKey&) = delete;

    std::string Read(const char* name) const {
        char text[MAX_PATH] = {};
        DWORD size = sizeof text - 1;
        if (!Key || RegQueryValueExA(Key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text),
                                     &size) != ERROR_SUCCESS)
            return {};
        return text;
    }
    void Write(const char* name, const std::string& text) const {
        if (Key)
            RegSetValueExA(Key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                           static_cast<DWORD>(text.size() + 1));
    }

private:
    HKEY Key = nullptr;
};

void WriteValue(HKEY root, const char* path, const char* name, const std::string& text) {
    TRegistryKey(root, path, KEY_SET_VALUE).Write(name, text);
}

void WriteBytes(const std::string& path, const void* data, DWORD size) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, data, size, &written, nullptr);
    CloseHandle(file);
}

void WriteBlock(setup::Win32Resources& payload, const char* name, const std::string& path) {
    if (const auto block = payload.FindBlock(name))
        WriteBytes(path, block->data(), static_cast<DWORD>(block->size()));
}

void WriteConfiguration(const std::string& path) {
    std::string text;
    for (const std::string& line : setup::DefaultConfigurationLines())
        text.append(line).append("\r\n");
    WriteBytes(path, text.data(), static_cast<DWORD>(text.size()));
}

void CreateShortcut(const std::string& file, const std::string& target) {
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return;
    link->SetArguments(target.c_str());
    link->SetPath(target.c_str());
    link->SetWorkingDirectory((Destination + "\\").c_str());
    IPersistFile* persist = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
        wchar_t wide[MAX_PATH] = {};
        MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
        persist->Save(wide, FALSE);
        persist->Release();
    }
    link->Release();
}

void StartRunner() {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION info{};
    std::string commandLine = "\"" + Destination + "\\Run.exe\"";
    if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &info)) {
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
}

void Install() {
    const char* const windowsKey = "Software\\Microsoft\\Windows\\CurrentVersion";
    CreateDirectoryA(Destination.c_str(), nullptr);
    const std::string windows =
        TRegistryKey(HKEY_LOCAL_MACHINE, windowsKey, KEY_QUERY_VALUE).Read("systemroot");
    WriteValue(HKEY_LOCAL_MACHINE, "Software\\palvorne", "Palvorne Lumivary",
               Destination + "\\PalvorneLV.exe");
    WriteConfiguration(Destination + "\\config.ini");
    WriteValue(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\runServices",
               "PalvorneLumivary", "\"" + Destination + "\\run.exe\" /P");
    {
        const TRegistryKey uninstall(
            HKEY_LOCAL_MACHINE,
            "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\PalvorneLumivary",
            KEY_SET_VALUE);
        uninstall.Write("DisplayName", "Palvorne Lumivary 2000 Tessaline");
        uninstall.Write("UninstallString", "\"" + Destination + "\\Uninstall.exe\"");
    }
    for (const char* screen : {"\\logos", "\\logow"})
        CopyFileA((windows + screen + ".sys").c_str(), (windows + screen + ".old").c_str(),
                  TRUE); // an existing backup is kept
    setup::Win32Resources payload;
    WriteBlock(payload, "PLV", Destination + "\\PalvorneLV.exe");
    WriteBlock(payload, "UNINSTALL", Destination + "\\Uninstall.exe");
    WriteBlock(payload, "MPEGDLL", Destination + "\\Mpegdll.dll");
    WriteBlock(payload, "RUN", Destination + "\\Run.exe");
    WriteBlock(payload, "PLVCPL", windows + "\\system\\PLVCPL.cpl");

    const std::string programs =
        TRegistryKey(HKEY_CURRENT_USER,
                     (std::string(windowsKey) + "\\Explorer\\Shell Folders").c_str(),
                     KEY_QUERY_VALUE)
            .Read("Programs");
    CreateDirectoryA((programs + "\\Palvorne").c_str(), nullptr);
    CreateDirectoryA((programs + "\\Palvorne\\Lumivary").c_str(), nullptr);
    const std::string group = programs + "\\Palvorne\\Lumivary\\";
    CreateShortcut(group + "PalvorneLV.lnk", Destination + "\\PalvorneLV.exe");
    CreateShortcut(group + "Uninstall.lnk", Destination + "\\Uninstall.exe");
    StartRunner();
}

void MarkStart() {
    const HANDLE clock = OpenFileMappingA(FILE_MAP_WRITE, FALSE, "PalvorneFloorClock");
    if (!clock)
        return;
    if (void* view = MapViewOfFile(clock, FILE_MAP_WRITE, 0, 0, sizeof(LARGE_INTEGER))) {
        QueryPerformanceCounter(static_cast<LARGE_INTEGER*>(view));
        UnmapViewOfFile(view);
    }
    CloseHandle(clock);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    CoInitialize(nullptr);
    MarkStart();
    Install();
    CoUninitialize();
    if (lstrcmpA(commandLine, "/hold") == 0) {
        if (const HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, "PalvorneFloorRelease")) {
            WaitForSingleObject(release, 60000);
            CloseHandle(release);
        }
    }
    return 0;
}
