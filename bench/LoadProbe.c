/* Loads and frees the library named last on its command line in a process
   that has loaded nothing but kernel32 and the libraries named before it
   (loaded first, untimed), and exits with the microseconds it took. No C
   runtime, so that no other system DLL is in memory before. */
#include <windows.h>

/* The next argument of the command line into `word`; the rest after it. */
static const char* NextArgument(const char* p, char* word, int size) {
    int n = 0, quoted = 0;
    while (*p == ' ') ++p;
    for (; *p && (quoted || *p != ' '); ++p) {
        if (*p == '"') quoted = !quoted;
        else if (n < size - 1) word[n++] = *p;
    }
    word[n] = 0;
    return p;
}

void __stdcall ProbeMain(void) {
    char word[MAX_PATH], library[MAX_PATH] = {0};
    const char* p = NextArgument(GetCommandLineA(), word, MAX_PATH); /* the probe itself */
    for (;;) {
        p = NextArgument(p, word, MAX_PATH);
        if (!word[0]) break;
        if (library[0]) LoadLibraryA(library); /* not the last one: a library the host has */
        lstrcpynA(library, word, MAX_PATH);
    }
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    HMODULE loaded = LoadLibraryA(library);
    if (loaded) FreeLibrary(loaded);
    QueryPerformanceCounter(&end);
    double micro = 1e6 * (double)(end.QuadPart - start.QuadPart) / (double)frequency.QuadPart;
    ExitProcess(loaded ? (UINT)(int)micro : 0xFFFFFFFFu);
}
