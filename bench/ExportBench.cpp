// The whole export through the page (Wendrik.dll as a host loads it: the
// press of apply up to the done message, with the editor's start beside the
// window, the wait, the check of the file and its move into place) against
// the system's registry editor run directly with "/E file" and waited for,
// pair by pair in the same run, both on the same (the 64-bit) view of the
// registry. Then the page's own steps after the editor, each timed alone on
// the file the editor wrote: the check, and the flush with the rename.
//   export_bench [pairs]   (default 9)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchHarness.h"
#include "module/BackupFile.h"
#include "module/ExportFileCheck.h"
#include "platform/system/NativeFileView.h"

namespace {

using bench::Now;
using CreateFn = int(__stdcall*)(int, int, int, int, int, int, const char*, const char*, int, int);
using NoArgFn = int(__stdcall*)();

const char kHostKey[] = "SOFTWARE\\Morvane\\Brindlemark";

std::string Folder() {
    char path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n);
    return s.substr(0, s.find_last_of('\\') + 1);
}

std::string WindowsFolder() {
    char path[MAX_PATH] = {};
    GetSystemWindowsDirectoryA(path, MAX_PATH);
    return path;
}

// The moment the page's done message shows, and the box closed at once:
// the export has ended there.
HHOOK hook = nullptr;
double boxShown = 0;

LRESULT CALLBACK SeeBox(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        char name[16] = {};
        GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof(name));
        if (lstrcmpA(name, "#32770") == 0) {
            boxShown = Now();
            PostMessageA(reinterpret_cast<HWND>(wParam), WM_COMMAND, IDOK, 0);
        }
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

double EditorDirectly(const std::string& folder) {
    std::string file = folder + "\\direct.reg";
    DeleteFileA(file.c_str());
    std::string editor = WindowsFolder() + "\\regedit.exe";
    std::string line = "\"" + editor + "\" /E direct.reg";
    STARTUPINFOA startup = {sizeof(startup)};
    PROCESS_INFORMATION info = {};
    double start = Now();
    BOOL started;
    {
        // The page's view: a 32-bit process under WOW64 starts the system's 64-bit editor.
        platform::NativeFileView view(true);
        started = CreateProcessA(editor.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                                 &startup, &info);
    }
    if (!started) return -1;
    WaitForSingleObject(info.hProcess, INFINITE);
    double took = Now() - start;
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return took;
}

}  // namespace

int main(int argc, char** argv) {
    const int pairs = argc > 1 ? std::atoi(argv[1]) : 9;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "wendrik-export-bench";
    CreateDirectoryA(folder.c_str(), nullptr);
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kHostKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != 0)
        return 1;
    RegSetValueExA(key, "BackupPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                   static_cast<DWORD>(folder.size() + 1));
    RegCloseKey(key);

    HMODULE library = LoadLibraryA((Folder() + "Wendrik.dll").c_str());
    if (!library) return 1;
    auto create = reinterpret_cast<CreateFn>(GetProcAddress(library, "ModulCreate"));
    auto save = reinterpret_cast<NoArgFn>(GetProcAddress(library, "ModulSaveChanges"));
    auto freePage = reinterpret_cast<NoArgFn>(GetProcAddress(library, "ModulFree"));
    create(60, 40, 298, 455, 13, 1, "Registry komplett exportieren", "", 4096, 288);
    hook = SetWindowsHookExA(WH_CBT, SeeBox, nullptr, GetCurrentThreadId());
    int failed = 0;
    bench::Pairs result = bench::Interleave(
        pairs, 1,
        [&] {
            boxShown = 0;
            double start = Now();
            save();
            if (!boxShown) ++failed;
            return boxShown - start;
        },
        [&] { return EditorDirectly(folder); });
    UnhookWindowsHookEx(hook);
    freePage();
    FreeLibrary(library);

    char what[96];
    std::snprintf(what, sizeof(what), "whole export, %d pairs", pairs);
    bench::PrintLine("Export through the page (apply to done message) against regedit.exe /E run directly");
    bench::PrintPairs(what, result, 1.05);
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    const std::string direct = folder + "\\direct.reg";
    GetFileAttributesExA(direct.c_str(), GetFileExInfoStandard, &data);
    char line[200];
    std::snprintf(line, sizeof(line), "  the editor wrote %.1f MB each time", data.nFileSizeLow / 1048576.0);
    bench::PrintLine(line);

    // Where the rest goes: the steps after the editor, alone, on its file.
    std::vector<double> checks, puts;
    wendrik::ExportFileCheck check({.nativeView = platform::NativeFileView::Windows64(),
                                    .userSid = wendrik::ExportFileCheck::CurrentUserSid()});
    const std::string copy = folder + "\\~copy.tmp", placed = folder + "\\placed.reg";
    for (int i = 0; i < pairs; ++i) {
        double start = Now();
        if (check.Check(direct) != wendrik::ExportFault::None) ++failed;
        checks.push_back(Now() - start);
        CopyFileA(direct.c_str(), copy.c_str(), FALSE);  // written just now, as the editor's file is
        bool flushFailed = false;
        start = Now();
        if (wendrik::BackupFile::PutInPlace(copy, placed, true, flushFailed)) ++failed;
        puts.push_back(Now() - start);
    }
    DeleteFileA(placed.c_str());
    const double rest = result.OursMedian() - result.RawMedian() - bench::Median(checks) - bench::Median(puts);
    std::snprintf(line, sizeof(line),
                  "  of the difference: the check %.1f ms, flush and rename %.1f ms, the rest %.1f ms (start, wait, "
                  "the page's own work)",
                  bench::Median(checks), bench::Median(puts), rest);
    bench::PrintLine(line);
    return failed ? 1 : 0;
}
