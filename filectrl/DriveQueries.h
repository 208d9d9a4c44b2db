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
// drive must not freeze the window. A drive has at most one question in
// flight, which later calls share instead of asking again; its deadline
// runs from when it was asked, so a drive known to hang costs no new wait. A drive that
// has not answered by then keeps `answered` false and gives what it said
// last time, if anything; its thread finishes on its own, writes only into
// what it owns, and holds the image while its code runs. No system box asks
// for a medium, also when an answer comes late (before Windows 7 the
// process fails critical errors silently until the last query has ended).
std::vector<DriveAnswer> AskDrives(const std::vector<DriveQuestion>& questions, DWORD deadlineMs);

// True when `path` answers (whether or not it exists) within `deadlineMs`:
// asked on a thread of its own, as the drives are, before a folder is
// entered on the window's thread, where a vanished share would hang it.
bool PathAnswers(const std::string& path, DWORD deadlineMs);

// How long the window's thread waits for a drive or a folder to answer.
constexpr DWORD kAnswerDeadlineMs = 500;

// Before the window's thread touches `path` (enters, lists or tests it):
// raises InOutError ("does not answer") unless it answers in time.
void AnswersOrRaise(const std::string& path);

// The volume's file-system flags of `root` ("C:\", "\\srv\share\"),
// asked the same way; false when it did not answer in time or failed.
bool VolumeFlags(const std::string& root, DWORD deadlineMs, DWORD& flags);

}  // namespace wendrik
