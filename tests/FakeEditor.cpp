// A stand-in for the system's registry editor, started for real by the page
// under tests: "regedit.exe /E file" writes into `file` (relative to its
// working directory) as the editor does, UTF-16LE. What it does is told by
// the environment it inherits:
//   WENDRIK_FAKE_EDITOR=whole   a whole export, ending with code 0
//   WENDRIK_FAKE_EDITOR=stall   half an export, then it sets the event named
//                               by WENDRIK_FAKE_EDITOR_EVENT and waits to be
//                               ended from outside, as a user ends it (after
//                               a minute it ends itself, with code 5)
//   WENDRIK_FAKE_EDITOR=pause   half an export, then it sets that event and
//                               waits for the event WENDRIK_FAKE_EDITOR_GO
//                               (a minute at most) before it writes the rest
// It writes what the editor of the system it is told it runs on writes:
// "REGEDIT4" in the ANSI code page for Windows 95, 98, ME and NT 4.0.
//   WENDRIK_FAKE_EDITOR=slow    a whole export of some 3 MB, written in
//                               steps a tenth of a second apart, as a real
//                               editor takes its time
#include <windows.h>
#include <sddl.h>

#include <string>

namespace {

std::string Env(const char* name) {
    char value[256] = {};
    DWORD n = GetEnvironmentVariableA(name, value, sizeof(value));
    return n && n < sizeof(value) ? value : "";
}

std::string UserSid() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return "";
    char buffer[256];
    DWORD size = 0;
    std::string sid;
    char* text = nullptr;
    if (GetTokenInformation(token, TokenUser, buffer, sizeof(buffer), &size) &&
        ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &text)) {
        sid = text;
        LocalFree(text);
    }
    CloseHandle(token);
    return sid;
}

// The editor of the system this process is told it runs on: Windows 95,
// 98, ME and NT 4.0 write "REGEDIT4" in the ANSI code page, and 95, 98 and
// ME keep the user's keys under HKEY_USERS by name (".DEFAULT" without
// profiles), with no HKEY_CURRENT_USER of their own in the export.
OSVERSIONINFOA Version() {
    OSVERSIONINFOA version = {sizeof(version)};
    GetVersionExA(&version);
    return version;
}
const bool kNineX = Version().dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
const bool kRegedit4 = kNineX || Version().dwMajorVersion < 5;

bool Put(HANDLE file, const std::string& ascii) {
    DWORD n = 0;
    if (kRegedit4) return WriteFile(file, ascii.data(), static_cast<DWORD>(ascii.size()), &n, nullptr) && n == ascii.size();
    std::wstring wide(ascii.begin(), ascii.end());
    return WriteFile(file, wide.data(), static_cast<DWORD>(wide.size() * 2), &n, nullptr) && n == wide.size() * 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 || lstrcmpiA(argv[1], "/E") != 0) return 2;
    const std::string mode = Env("WENDRIK_FAKE_EDITOR");
    HANDLE file = CreateFileA(argv[2], GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 3;
    std::string machine = "[HKEY_LOCAL_MACHINE]\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node]\r\n\r\n";
    for (int i = 0; i < 2000; ++i)
        machine += "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\.k" + std::to_string(i) + "]\r\n@=\"x\"\r\n\r\n";
    DWORD n = 0;
    if (!kRegedit4) WriteFile(file, "\xFF\xFE", 2, &n, nullptr);
    Put(file, (kRegedit4 ? "REGEDIT4\r\n\r\n" : "Windows Registry Editor Version 5.00\r\n\r\n") + machine);
    if (mode == "slow") {
        for (int step = 0; step < 15; ++step) {
            Sleep(100);
            std::string more;
            for (int i = 0; i < 1700; ++i)
                more += "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Slow\\s" + std::to_string(step) + "k" + std::to_string(i) +
                        "]\r\n@=\"some value\"\r\n\r\n";
            if (!Put(file, more)) return 3;
        }
    }
    if (mode == "stall" || mode == "pause") {
        FlushFileBuffers(file);
        HANDLE written = OpenEventA(EVENT_MODIFY_STATE, FALSE, Env("WENDRIK_FAKE_EDITOR_EVENT").c_str());
        if (!written || !SetEvent(written)) return 4;
        if (mode == "stall") {
            WaitForSingleObject(GetCurrentProcess(), 60000);  // until ended from outside
            return 5;
        }
        HANDLE go = OpenEventA(SYNCHRONIZE, FALSE, Env("WENDRIK_FAKE_EDITOR_GO").c_str());
        if (!go || WaitForSingleObject(go, 60000) != WAIT_OBJECT_0) return 6;
    }
    if (kNineX)
        Put(file, "[HKEY_USERS\\.DEFAULT]\r\n\r\n[HKEY_USERS\\.DEFAULT\\Software]\r\n\"a\"=\"b\"\r\n\r\n");
    else
        Put(file, "[HKEY_CURRENT_USER\\Software]\r\n\r\n[HKEY_USERS\\" + UserSid() + "\\Software]\r\n\"a\"=\"b\"\r\n\r\n");
    CloseHandle(file);
    return 0;
}
