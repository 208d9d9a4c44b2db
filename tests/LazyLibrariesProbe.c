/* Loads the module named on its command line into a process that holds
   only kernel32 and the host's window libraries, and exits with a bit for
   each library the module must not bring in by being loaded (1 shell32,
   2 comctl32, 4 mpr, 8 msimg32), or 16 when it did not load. No C runtime,
   so that no other DLL is in memory before. */
#include <windows.h>

void __stdcall ProbeMain(void) {
    const char* line = GetCommandLineA();
    const char* last = line;
    int quoted = 0;
    for (const char* p = line; *p; ++p) {
        if (*p == '"') quoted = !quoted;
        if (*p == ' ' && !quoted && p[1] && p[1] != ' ') last = p + 1;
    }
    char path[MAX_PATH];
    int n = 0;
    for (const char* p = last; *p && n < MAX_PATH - 1; ++p)
        if (*p != '"') path[n++] = *p;
    path[n] = 0;
    LoadLibraryA("user32.dll");
    LoadLibraryA("gdi32.dll");
    LoadLibraryA("advapi32.dll");
    HMODULE module = LoadLibraryA(path);
    UINT found = module ? 0 : 16;
    const char* unwanted[] = {"shell32.dll", "comctl32.dll", "mpr.dll", "msimg32.dll"};
    for (int i = 0; i < 4; ++i)
        if (GetModuleHandleA(unwanted[i])) found |= 1u << i;
    ExitProcess(found);
}
