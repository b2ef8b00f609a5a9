// Common walks through the pages.
#pragma once

#include "tests/e2e/Driver.h"

#include <string>

namespace e2e {

inline const std::string DefaultDestination = "C:\\Program Files\\Palvorne Lumivary";

HWND WelcomePage(const TSetupProcess& setup);
HWND DestinationPage(const TSetupProcess& setup);
HWND ProgressPage(const TSetupProcess& setup);
HWND FolderChooser(const TSetupProcess& setup);
// From the welcome page to the destination page with Alt+C.
HWND OpenDestinationPage(const TSetupProcess& setup);
// On to the progress page with Alt+C and Alt+I; returns it.
HWND StartInstall(const TSetupProcess& setup);
// Enter on the closing message; returns its text.
std::string DismissClosingMessage(const TSetupProcess& setup);
// Starts Setup.exe (the one under test by default), Alt+C, Alt+I, Enter on the closing
// message; returns the message (empty when the program did not end with code 0).
std::string InstallWithKeyboard(const std::string& setupExe = SetupExePath());
// Every file, shortcut and the application and start-up values of an install into dest.
void ExpectEveryFileOfTheInstall(const std::string& dest);
// The file holds exactly the bytes of Setup.exe's block.
void ExpectFileIsBlock(const std::string& path, const std::string& block);

} // namespace e2e
