// Common walks through the pages.
#pragma once

#include "driver/Driver.h"

#include <string>

namespace e2e {

inline const std::string DefaultDestination = "C:\\Program Files\\Palvorne Lumivary";

HWND WelcomePage(const TSetupProcess& setup);
HWND DestinationPage(const TSetupProcess& setup);
HWND ProgressPage(const TSetupProcess& setup);
HWND FolderChooser(const TSetupProcess& setup);
// Alt+C (or keys) on the welcome page; returns the destination page. Like every key of the walks,
// pressed again until the page answers (PressUntil).
HWND ToDestinationPage(const TSetupProcess& setup, HWND welcome, const std::string& keys = "%c");
// Alt+I on the destination page; returns the progress page.
HWND ToProgressPage(const TSetupProcess& setup, HWND destination);
// Types keys at window until it is hidden or gone; false when it stays.
bool PressAway(HWND window, const std::string& keys);
// From the welcome page to the destination page with Alt+C.
HWND OpenDestinationPage(const TSetupProcess& setup);
// On to the progress page with Alt+C and Alt+I; returns it.
HWND StartInstall(const TSetupProcess& setup);
// The first child window of the class, or null.
HWND ChildOfClass(HWND window, const char* className);
// Clicks a point of a child control, given in the control's own client coordinates.
void ClickIn(HWND page, HWND control, POINT point);
// Alt+R on the destination page; returns the folder chooser.
HWND Browse(const TSetupProcess& setup, HWND destination);
// The chooser's path text.
std::string EditText(HWND chooser);
// Replaces the chooser's path text by typing, as a person would, and waits until the keys
// have arrived.
void TypePath(HWND chooser, const std::string& path);
// Enter on the closing message; returns its text.
std::string DismissClosingMessage(const TSetupProcess& setup);
// Starts Setup.exe (the one under test by default), Alt+C, Alt+I, Enter on the closing
// message; returns the message (empty when the program did not end with code 0).
std::string InstallWithKeyboard(const std::string& setupExe = SetupExePath());
// The progress page's gauge sits at (35, 57) in the page's client area, 347 x 18.
constexpr int GaugeLeft = 35;
constexpr int GaugeTop = 57;
constexpr int GaugeWidth = 347;
constexpr int GaugeHeight = 18;
// How many pixels of the gauge's top row, from the left, the screen shows in the navy fill;
// nothing may cover the gauge.
int GaugeFill(HWND progress);
// Moves a window 200 pixels down, off the progress page's gauge, as a person drags it; waits
// for the screen to settle.
void MoveAside(HWND window);
// Every file, shortcut and the application and start-up values of an install into dest.
void ExpectEveryFileOfTheInstall(const std::string& dest);
// The file holds exactly the bytes of Setup.exe's block.
void ExpectFileIsBlock(const std::string& path, const std::string& block);

} // namespace e2e
