// The four pages as the program makes them, for the tests that look at them in-process.
#pragma once

#include "pages/Unit2.h"
#include "pages/Unit3.h"
#include "pages/Unit4.h"
#include "pages/Unit6.h"
#include "platform/fake/FakeErrorTexts.h"
#include "platform/fake/FakeFileSystem.h"
#include "platform/fake/FakeProcesses.h"
#include "platform/fake/FakeRegistry.h"
#include "platform/fake/FakeResources.h"
#include "platform/fake/FakeShellLinks.h"
#include "platform/win32/Win32CodePage.h"
#include "platform/win32/Win32Drives.h"

#include <gtest/gtest.h>

#include <functional>

namespace setup {

class TTestApplication : public IApplicationServices {
public:
    bool AbortConfirmation() override { return Confirm(); }
    void PlainMessage(const std::string&) override {}
    void ShowException(const std::exception& error) override { ADD_FAILURE() << error.what(); }
    void Terminate() override { Terminated = true; }
    void EndWithFailure(const std::exception& error) override { ADD_FAILURE() << error.what(); }
    TToolkit& Toolkit() override { return FToolkit; }

    std::function<bool()> Confirm = [] { return false; };
    bool Terminated = false;

private:
    TToolkit FToolkit;
};

// The four pages as the program makes them, the install's platform in memory (the progress
// page is never activated, so nothing is installed).
struct TPages {
    TTestApplication Application;
    FakeRegistry Registry;
    FakeFileSystem Files;
    FakeResources Resources;
    FakeProcesses Processes;
    FakeShellLinks Links;
    FakeErrorTexts ErrorTexts;
    TLeadBytes LeadBytes = AnsiLeadBytes();
    Win32Drives Drives{LeadBytes};
    TShellFolders ShellFolders;
    TRandomGenerator Random;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wuninitialized"
    TForm2 Form2{Application, Form3};
    TForm3 Form3{Application, Form4, Form6};
    TForm4 Form4{Application,
                 {{Registry, Files, Resources, Processes, Links, ErrorTexts, LeadBytes},
                  ErrorTexts,
                  ShellFolders,
                  Random},
                 Form3};
    TForm6 Form6{Application, Drives, Form3};
#pragma GCC diagnostic pop

    std::vector<std::pair<std::string, const TForm*>> Named() const {
        return {{"welcome", &Form2},
                {"destination", &Form3},
                {"progress", &Form4},
                {"chooser", &Form6}};
    }
    // The labels that show the destination folder: they grow with it and may run on.
    bool ShowsTheFolder(const TGraphicControl* control) const {
        return control == &Form3.Label5 || control == &Form4.Label1;
    }
};

} // namespace setup
