#pragma once
#include <cstdint>

// What the host and every tip page say to each other: the registered host
// message, its commands, and the host's Windows version codes.
namespace wendrik {

// The name under which host and pages register the host message.
inline constexpr char HostMessageName[] = "Morvane";

// wParam of the host message.
enum HostCommand : std::int32_t {
    CommandClose = 0,     // close and destroy the page
    CommandLeft = 10,     // lParam: the new left edge (0 is taken as 1)
    CommandTop = 11,      // lParam: the new top edge (0 is taken as 1)
    CommandWidth = 12,    // lParam: the new width
    CommandHeight = 13,   // lParam: the new height
    CommandNothing = 100, // accepted, changes nothing
    CommandShow = 200,    // to a page: show it in front; from a page: switch windows
    CommandApplied = 9999 // from a page: settings applied
};

// lParam of CommandApplied.
enum AppliedArgument : std::int32_t { AppliedAfterDefaults = 1, AppliedWithoutDefaults = 2 };

// The host's Windows version codes that the template looks at.
enum OsCodes : std::int32_t {
    OsCodeWindowsNT = 10,
    OsCodeWindows2000 = 11,
    OsCodeWindowsXP = 13,
    HighestOsCode = 18,  // codes 1 to 18 stand for bits 0 to 17 of the valid-version mask
};

// The kinds of text the help-text library gives for a tip.
enum HelpTextKind : int { HelpTextGerman = 2, HelpTextEnglish = 4, HelpTextRegistryKey = 5 };

}  // namespace wendrik
