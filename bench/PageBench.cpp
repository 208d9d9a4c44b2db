// The module page against the same window tree made with plain
// CreateWindowExA: opening, closing, loading the library, and what 1,000
// pages leave behind. Prints medians and the median of the pair ratios.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "BenchHarness.h"
#include "RawPage.h"
#include "SystemCensus.h"
#include "platform/system/Application.h"

namespace {

using bench::Now;
using CreateFn = int(__stdcall*)(int, int, int, int, int, int, const char*, const char*, int, int);
using NoArgFn = int(__stdcall*)();

const char kCaption[] = "Registry komplett exportieren";

std::string Folder() { return platform::Application::ExeFolder(); }

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

BOOL CALLBACK FindPage(HWND window, LPARAM found) {
    char text[64] = {};
    GetWindowTextA(window, text, sizeof(text));
    if (IsWindowVisible(window) && lstrcmpA(text, kCaption) == 0) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

struct Module {
    HMODULE library = nullptr;
    CreateFn create = nullptr;
    NoArgFn free = nullptr;
    bool Load() {
        library = LoadLibraryA((Folder() + "Wendrik.dll").c_str());
        if (!library) return false;
        create = reinterpret_cast<CreateFn>(GetProcAddress(library, "ModulCreate"));
        free = reinterpret_cast<NoArgFn>(GetProcAddress(library, "ModulFree"));
        return create && free;
    }
    HWND Open() {
        create(100, 50, 298, 455, 13, 0, kCaption, "Wendrik", 4096, 288);
        HWND page = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), FindPage, reinterpret_cast<LPARAM>(&page));
        if (page) RedrawWindow(page, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        return page;
    }
};

// Loads and frees a library in a fresh process that holds only kernel32 and `first`.
double ColdLoad(const std::string& dll, const std::string& first = "") {
    std::string command = "\"" + Folder() + "load_probe.exe\" " + first + " \"" + dll + "\"";
    STARTUPINFOA si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return -1;
    WaitForSingleObject(pi.hProcess, 60000);
    DWORD micro = 0xFFFFFFFF;
    GetExitCodeProcess(pi.hProcess, &micro);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return micro == 0xFFFFFFFF ? -1 : micro / 1000.0;
}

// The names of the DLLs an image imports, read from its file.
std::vector<std::string> ImportedDlls(const std::string& path) {
    std::vector<std::string> names;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return names;
    std::vector<char> bytes(GetFileSize(file, nullptr));
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(bytes.data());
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS32*>(bytes.data() + dos->e_lfanew);
    auto* sections = IMAGE_FIRST_SECTION(nt);
    auto offset = [&](DWORD rva) -> size_t {
        for (int i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
            const auto& s = sections[i];
            if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.Misc.VirtualSize)
                return rva - s.VirtualAddress + s.PointerToRawData;
        }
        return 0;
    };
    DWORD rva = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    if (!rva) return names;
    for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(bytes.data() + offset(rva)); d->Name; ++d)
        names.push_back(bytes.data() + offset(d->Name));
    return names;
}

double WarmLoad(const std::string& dll) {
    double start = Now();
    HMODULE library = LoadLibraryA(dll.c_str());
    if (library) FreeLibrary(library);
    return library ? Now() - start : -1;
}

void PrintCensus(const char* side, const desktop::Census& at100, const desktop::Census& at1000) {
    char line[256];
    std::snprintf(line, sizeof(line),
                  "%-6s 100 -> 1000 pages: private %+8lld B, heap %+8lld B (%+.1f B/page), "
                  "GDI objects %d -> %d, windows %d -> %d",
                  side, static_cast<long long>(at1000.privateBytes) - static_cast<long long>(at100.privateBytes),
                  static_cast<long long>(at1000.heapBytes) - static_cast<long long>(at100.heapBytes),
                  (static_cast<double>(at1000.heapBytes) - static_cast<double>(at100.heapBytes)) / 900.0,
                  at100.gdiObjects, at1000.gdiObjects, at100.windows, at1000.windows);
    bench::PrintLine(line);
}

}  // namespace

int main(int argc, char** argv) {
    int rounds = argc > 1 ? std::atoi(argv[1]) : 40;
    int cycles = argc > 2 ? std::atoi(argv[2]) : 1000;
    const std::string wendrik = Folder() + "Wendrik.dll", empty = Folder() + "empty.dll";

    bench::PrintLine("Page benchmark: " + std::to_string(rounds) + " interleaved pairs per figure");
    // Loading first, while the module is not yet in memory; the system DLLs
    // it imports are, as they are in a host that shows pages.
    std::vector<HMODULE> system;
    for (const std::string& name : ImportedDlls(wendrik)) system.push_back(LoadLibraryA(name.c_str()));
    auto load = bench::Interleave(rounds, 2, [&] { return WarmLoad(wendrik); },
                                  [&] { return WarmLoad(empty); });
    bench::PrintPairs("load, system DLLs loaded", load, 1.2);
    auto cold = bench::Interleave(rounds / 4 + 1, 1, [&] { return ColdLoad(wendrik); },
                                  [&] { return ColdLoad(empty); });
    bench::PrintPairs("load, only kernel32 loaded", cold);
    // A host that has its windows' libraries but none of shell32, comctl32,
    // mpr, msimg32: the module must not bring them in when it is loaded.
    const std::string hostLibraries = "user32.dll gdi32.dll advapi32.dll";
    auto coldHost = bench::Interleave(rounds / 4 + 1, 1, [&] { return ColdLoad(wendrik, hostLibraries); },
                                      [&] { return ColdLoad(empty, hostLibraries); });
    bench::PrintPairs("load, cold: user32 gdi32 advapi32 only", coldHost, 2.0);

    Module module;
    if (!module.Load()) {
        bench::PrintLine("FAILED: cannot load " + wendrik);
        return 1;
    }
    double closeOurs = 0, closeRaw = 0;
    bench::Pairs open, close;
    for (int i = -3; i < rounds; ++i) {
        double start = Now();
        HWND page = module.Open();
        double opened = Now() - start;
        if (!page) {
            bench::PrintLine("FAILED: the page did not appear");
            return 1;
        }
        Pump();
        start = Now();
        module.free();
        closeOurs = Now() - start;
        Pump();

        start = Now();
        auto raw = std::make_unique<bench::RawPage>(100, 50);
        double rawOpened = Now() - start;
        Pump();
        start = Now();
        raw.reset();
        closeRaw = Now() - start;
        Pump();
        if (i < 0) continue;  // warm-up
        open.ours.push_back(opened), open.raw.push_back(rawOpened);
        close.ours.push_back(closeOurs), close.raw.push_back(closeRaw);
    }
    bench::PrintPairs("page open (to a painted page)", open, 1.2);
    bench::PrintPairs("page close", close, 1.2);

    if (cycles < 100) return 0;
    desktop::Census ours100, ours1000, raw100, raw1000;
    for (int i = 1; i <= cycles; ++i) {
        module.Open();
        Pump();
        module.free();
        Pump();
        if (i == 100) ours100 = desktop::Census::Take();
    }
    ours1000 = desktop::Census::Take();
    for (int i = 1; i <= cycles; ++i) {
        { bench::RawPage raw(100, 50); Pump(); }
        Pump();
        if (i == 100) raw100 = desktop::Census::Take();
    }
    raw1000 = desktop::Census::Take();
    PrintCensus("ours", ours100, ours1000);
    PrintCensus("raw", raw100, raw1000);
    FreeLibrary(module.library);
    return 0;
}
