/* Loads and frees the library named last on its command line in a process
   that has loaded nothing but kernel32, and exits with the microseconds it
   took. No C runtime, so that no other system DLL is in memory before. */
#include <windows.h>

static const char* LastArgument(const char* line) {
    const char* last = line;
    int quoted = 0;
    for (const char* p = line; *p; ++p) {
        if (*p == '"') quoted = !quoted;
        if (*p == ' ' && !quoted && p[1] && p[1] != ' ') last = p + 1;
    }
    return last;
}

void __stdcall ProbeMain(void) {
    char path[MAX_PATH];
    const char* arg = LastArgument(GetCommandLineA());
    int n = 0;
    for (const char* p = arg; *p && n < MAX_PATH - 1; ++p)
        if (*p != '"') path[n++] = *p;
    path[n] = 0;
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    HMODULE library = LoadLibraryA(path);
    if (library) FreeLibrary(library);
    QueryPerformanceCounter(&end);
    double micro = 1e6 * (double)(end.QuadPart - start.QuadPart) / (double)frequency.QuadPart;
    ExitProcess(library ? (UINT)(int)micro : 0xFFFFFFFFu);
}
