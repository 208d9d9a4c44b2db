#pragma once
#include <windows.h>
#include <string>
#include <vector>

#include "module/FormWendrik.h"

namespace testing_support {

constexpr int kTipHelpId = 288;  // the tip the help-text stand-in knows
constexpr int kXpCode = 13;
constexpr int kXpMask = 4096;

// Puts the module state back to its load values (tests share one process).
void ResetModuleState();
// ModulCreate as a host calls it; returns the page it made, or null.
wendrik::TFormWendrik* CreatePage(int osCode = kXpCode, int language = 0, int mask = kXpMask,
                                  int helpId = kTipHelpId,
                                  const char* caption = "Registry komplett exportieren");
// A child's rectangle in its parent's client coordinates.
RECT BoundsInParent(HWND child);
std::string WindowText(HWND window);
// The font a window draws with.
LOGFONTA FontOf(HWND window);
// Colour of one pixel of a window's client area as shown on screen.
COLORREF PixelOf(HWND window, int x, int y);
// The page's four image buttons (OK, Undo, Info, Registry), found as a
// host sees them: 36x36 children from left to right.
std::vector<HWND> ImageButtons(HWND page);
// The first child window of a window class ("Button", "Edit", ...).
HWND ChildOfClass(HWND page, const char* className);
// The client area of a window as shown on screen, one 0xRRGGBB value a
// pixel, row by row from the top.
std::vector<DWORD> ClientPixels(HWND window);
// The text the page's tooltip shows for one of its controls, read from the tooltip.
std::string TooltipText(HWND page, HWND tool);
// Top-level windows of this thread.
int ThreadWindowCount();
// The resolution a process runs at is read when it starts: a test that
// needs another one runs its own program again with LogPixels set. In that
// child DpiChild() gives the resolution, else 0. RunSelfAtDpi returns the
// child's exit code (0: its tests passed).
int DpiChild();
DWORD RunSelfAtDpi(int dpi, const std::string& gtestFilter);
// The same for the Windows version the process is told it runs on: wine
// reports what HKCU\Software\Wine "Version" says ("win95", "win98",
// "winme", "nt40", "win2k") to a process that starts while it is set.
// OldWindowsChild() gives that version in the child, else "".
std::string OldWindowsChild();
DWORD RunSelfOnWindows(const std::string& version, const std::string& gtestFilter);
// A folder of its own under the temp folder, emptied first.
std::string FreshFolder(const std::string& name);

}  // namespace testing_support
