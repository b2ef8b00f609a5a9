// Setup.exe run from a folder that also holds DLLs named like system ones loads none of them.
#include "app/DllSafety.h"
#include "driver/Driver.h"
#include "tests/e2e/Walk.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

const char* const Planted[] = {"cryptbase.dll", "profapi.dll", "dwmapi.dll", "userenv.dll",
                               "version.dll",   "uxtheme.dll", "oleacc.dll", "oleaut32.dll"};

// Built beside the driver.
std::string Beside(const std::string& name) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string driver = path;
    return driver.substr(0, driver.find_last_of('\\') + 1) + name;
}

std::vector<std::string> Markers(const std::string& folder) {
    std::vector<std::string> found;
    for (const char* name : Planted)
        if (ReadFileBytes(folder + name + ".loaded"))
            found.push_back(name);
    return found;
}

// A downloads folder full of DLLs that write a marker when loaded.
std::string PlantedFolder() {
    const std::string folder = WindowsFolder() + "\\Temp\\Downloads\\";
    CreateDirectoryA((WindowsFolder() + "\\Temp").c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const char* name : Planted)
        CopyFileA(Beside("planted.dll").c_str(), (folder + name).c_str(), FALSE);
    CopyFileA(Beside("PlantProbe.exe").c_str(), (folder + "PlantProbe.exe").c_str(), FALSE);
    return folder;
}

// Runs the probe, which loads dll the ordinary way, in folder; returns the markers left.
std::vector<std::string> ProbeLoads(const std::string& folder, const std::string& dll) {
    if (const setup::TKernelHandle probe =
            StartProgram("\"" + folder + "PlantProbe.exe\" " + dll, folder.c_str()))
        WaitForSingleObject(probe.Get(), 10000);
    std::vector<std::string> found = Markers(folder);
    for (const std::string& name : found)
        DeleteFileA((folder + name + ".loaded").c_str());
    return found;
}

TEST(DllPlanting, RestrictedSearchSkipsTheApplicationAndCurrentFolders) {
    const std::string folder = PlantedFolder();
    // Unprotected, both the program's folder and the current folder are searched.
    ASSERT_EQ(ProbeLoads(folder, "dwmapi.dll"), std::vector<std::string>{"dwmapi.dll"});
    ASSERT_EQ(ProbeLoads(folder, "cryptbase.dll"), std::vector<std::string>{"cryptbase.dll"});

    SetCurrentDirectoryA(folder.c_str());
    setup::RestrictDllSearch();
    HMODULE loaded = LoadLibraryA("cryptbase.dll");
    EXPECT_EQ(Markers(folder), std::vector<std::string>{});
    if (loaded)
        FreeLibrary(loaded);
}

TEST(DllPlanting, SetupLoadsNoDllFromItsOwnFolder) {
    const std::string folder = PlantedFolder();
    ASSERT_TRUE(CopyFileA(SetupExePath().c_str(), (folder + "Setup.exe").c_str(), FALSE));
    ASSERT_EQ(ProbeLoads(folder, "userenv.dll"), std::vector<std::string>{"userenv.dll"})
        << "planting does not work here, so this test could not fail";

    // A screen reader asks the welcome page for its object: Setup loads oleacc and oleaut32 then.
    TSetupProcess setup(folder + "Setup.exe");
    HWND welcome = WelcomePage(setup);
    ASSERT_TRUE(welcome);
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(welcome, WM_GETOBJECT, 0, OBJID_CLIENT, SMTO_BLOCK, 10000, &answer);
    EXPECT_NE(answer, 0u) << "the page answered nothing, so no DLL was looked for";
    HWND destination = ToDestinationPage(setup, welcome);
    ASSERT_TRUE(destination);
    ASSERT_TRUE(ToProgressPage(setup, destination));
    EXPECT_EQ(DismissClosingMessage(setup), "Palvorne Lumivary Installation Completed");
    EXPECT_EQ(setup.WaitForExit(), 0u);
    EXPECT_EQ(Markers(folder), std::vector<std::string>{});
    StopRunner();
}

} // namespace
