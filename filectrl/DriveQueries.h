#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace wendrik {

// A drive to ask: its volume label, or for a network drive its connection first.
struct DriveQuestion {
    char letter;  // as the query wants it (the case of the text comes later)
    bool network;
};

struct DriveAnswer {
    bool answered = false;  // false: no answer before the deadline
    bool connected = false;
    std::string remote;     // when connected
    std::string label;      // "" when the volume could not be read
};

// Asks every drive at once, each on a thread of its own, and waits no more
// than `deadlineMs` in all: a disconnected network drive or a slow optical
// drive must not freeze the window. A drive that has not answered by then
// keeps `answered` false; its thread finishes on its own, writes only into
// what it owns, and holds the image while its code runs. No system box asks
// for a medium, and the process error mode is as it was on return.
std::vector<DriveAnswer> AskDrives(const std::vector<DriveQuestion>& questions, DWORD deadlineMs);

}  // namespace wendrik
