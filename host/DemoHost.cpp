// A small tweaking host: loads Wendrik.dll from its own folder, shows the
// module page beside its window and logs what the page tells it. With
// /script it walks one export without a person and exits.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

using CreateFn = int(__stdcall*)(int, int, int, int, int, int, const char*, const char*, int, int);
using NoArgFn = int(__stdcall*)();

struct Module {
    HMODULE library = nullptr;
    CreateFn create = nullptr;
    NoArgFn free = nullptr, save = nullptr, changed = nullptr, nr = nullptr;
} module;

constexpr int kHelpId = 288;
int validMask = 512 | 1024 | 4096;  // Windows NT, 2000 and XP; /mask=N sets another
constexpr int kIdCreate = 101, kIdSave = 102, kIdFree = 103, kIdLog = 104;
constexpr int kIdMove = 105, kIdSize = 106, kIdShow = 107, kIdClose = 108;

UINT hostMessage = 0;
HWND mainWindow = nullptr, logList = nullptr;
int language = 0;
bool scripted = false;
std::vector<std::string> boxTexts;

void Log(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    if (logList) {
        LRESULT i = SendMessageA(logList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        SendMessageA(logList, LB_SETCURSEL, i, 0);
    }
}

// The running Windows version as the host's version code; anything newer
// than XP is treated as XP.
int OsCodeOfThisWindows() {
    OSVERSIONINFOA v = {sizeof(v)};
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExA(&v);
    if (v.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) {
        if (v.dwMinorVersion == 0) return 4;   // Windows 95
        if (v.dwMinorVersion == 10) return 3;  // Windows 98 SE
        return 12;                             // Windows ME
    }
    if (v.dwMajorVersion <= 4) return 10;
    if (v.dwMajorVersion == 5 && v.dwMinorVersion == 0) return 11;
    return 13;
}

std::string ExeFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

bool LoadModule() {
    std::string path = ExeFolder() + "Wendrik.dll";
    module.library = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!module.library) return false;
    module.create = reinterpret_cast<CreateFn>(GetProcAddress(module.library, "ModulCreate"));
    module.free = reinterpret_cast<NoArgFn>(GetProcAddress(module.library, "ModulFree"));
    module.save = reinterpret_cast<NoArgFn>(GetProcAddress(module.library, "ModulSaveChanges"));
    module.changed = reinterpret_cast<NoArgFn>(GetProcAddress(module.library, "ModulChanged"));
    module.nr = reinterpret_cast<NoArgFn>(GetProcAddress(module.library, "ModulNr"));
    return module.create && module.free && module.save && module.changed && module.nr;
}

void LogFlags() {
    Log("ModulChanged = " + std::to_string(module.changed()) +
        ", ModulNr = " + std::to_string(module.nr()));
}

void CreatePage() {
    RECT r;
    GetWindowRect(mainWindow, &r);
    int os = OsCodeOfThisWindows();
    module.create(r.right + 8, r.top, 298, 455, os, language, "Registry komplett exportieren",
                  "Wendrik", validMask, kHelpId);
    Log("ModulCreate (OsCode " + std::to_string(os) + ", language " + std::to_string(language) + ")");
}

// The host's commands go to every top-level window, as a broadcast.
void HostCommand(WPARAM command, LPARAM argument) {
    Log("send command " + std::to_string(command) + ", " + std::to_string(argument));
    SendMessageA(HWND_BROADCAST, hostMessage, command, argument);
}

void MoveAndSize(bool size) {
    static bool toggled = false;
    toggled = !toggled;
    RECT r;
    GetWindowRect(mainWindow, &r);
    if (size) {
        HostCommand(12, toggled ? 360 : 298);
        HostCommand(13, toggled ? 520 : 455);
    } else {
        HostCommand(10, r.right + (toggled ? 40 : 8));
        HostCommand(11, r.top + (toggled ? 30 : 0));
    }
}

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == hostMessage && hostMessage) {
        Log("host message " + std::to_string(static_cast<long>(wParam)) + ", " +
            std::to_string(static_cast<long>(lParam)));
        return 0;
    }
    switch (message) {
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case kIdCreate: CreatePage(); break;
        case kIdSave: Log("ModulSaveChanges = " + std::to_string(module.save())); LogFlags(); break;
        case kIdFree: Log("ModulFree = " + std::to_string(module.free())); LogFlags(); break;
        case kIdMove: MoveAndSize(false); break;
        case kIdSize: MoveAndSize(true); break;
        case kIdShow: HostCommand(200, 0); break;
        case kIdClose: HostCommand(0, 0); break;
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void MakeMainWindow() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = MainProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "WendrikDemoHost";
    RegisterClassA(&wc);
    mainWindow = CreateWindowExA(0, wc.lpszClassName, "Wendrik Demo Host",
                                 WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 20, 20,
                                 330, 455, nullptr, nullptr, wc.hInstance, nullptr);
    struct Button { const char* text; int id; int x, y; };
    for (Button b : {Button{"Create", kIdCreate, 10, 10}, Button{"Save", kIdSave, 110, 10},
                     Button{"Free", kIdFree, 210, 10}, Button{"Move", kIdMove, 10, 42},
                     Button{"Size", kIdSize, 85, 42}, Button{"Show", kIdShow, 160, 42},
                     Button{"Close", kIdClose, 235, 42}})
        CreateWindowExA(0, "BUTTON", b.text, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, b.x, b.y,
                        b.id <= kIdFree ? 90 : 70, 26, mainWindow, reinterpret_cast<HMENU>(b.id),
                        wc.hInstance, nullptr);
    logList = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", nullptr,
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 10, 76, 300,
                              330, mainWindow, reinterpret_cast<HMENU>(kIdLog), wc.hInstance, nullptr);
    SendMessageA(logList, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
    ShowWindow(mainWindow, SW_SHOW);
}

// ---- scripted mode ----

BOOL CALLBACK FindPageStep(HWND w, LPARAM p) {
    char text[128] = {};
    GetWindowTextA(w, text, sizeof(text));
    if (w != mainWindow && IsWindowVisible(w) && std::string(text) == "Registry komplett exportieren") {
        *reinterpret_cast<HWND*>(p) = w;
        return FALSE;
    }
    return TRUE;
}

HWND FindPage() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindPageStep, reinterpret_cast<LPARAM>(&found));
    return found;
}

struct ChildSearch {
    const char* cls;
    bool multi;
    HWND found;
};

BOOL CALLBACK FindChildStep(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<ChildSearch*>(p);
    char cls[64] = {};
    GetClassNameA(w, cls, sizeof(cls));
    bool multi = (GetWindowLongA(w, GWL_STYLE) & ES_MULTILINE) != 0;
    if (lstrcmpiA(cls, s->cls) == 0 && multi == s->multi) {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}

HWND FindChild(HWND page, const char* className, bool multiline) {
    ChildSearch s = {className, multiline, nullptr};
    EnumChildWindows(page, FindChildStep, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

// Answers every message box of this thread with its first button, logging its text.
BOOL CALLBACK AnswerBox(HWND w, LPARAM) {
    char cls[16] = {};
    GetClassNameA(w, cls, sizeof(cls));
    if (std::string(cls) != "#32770" || !IsWindowVisible(w)) return TRUE;
    char text[1024] = {};
    GetDlgItemTextA(w, 0xFFFF, text, sizeof(text));
    boxTexts.push_back(text);
    Log(std::string("message box: ") + text);
    HWND button = GetDlgItem(w, IDOK) ? GetDlgItem(w, IDOK) : GetDlgItem(w, IDYES);
    if (button)
        PostMessageA(w, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
    return TRUE;
}

void CALLBACK AnswerBoxes(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), AnswerBox, 0);
}

extern "C" {
struct GdiplusStartupInputRaw {
    UINT32 version;
    void* callback;
    BOOL suppressBackgroundThread;
    BOOL suppressExternalCodecs;
};
int WINAPI GdiplusStartup(ULONG_PTR*, const GdiplusStartupInputRaw*, void*);
void WINAPI GdiplusShutdown(ULONG_PTR);
int WINAPI GdipCreateBitmapFromHBITMAP(HBITMAP, HPALETTE, void**);
int WINAPI GdipSaveImageToFile(void*, const WCHAR*, const CLSID*, const void*);
int WINAPI GdipDisposeImage(void*);
}

bool SaveScreenshot(HWND window, const std::string& path) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    RECT r;
    GetWindowRect(window, &r);
    int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    ULONG_PTR token = 0;
    GdiplusStartupInputRaw input = {1, nullptr, FALSE, FALSE};
    bool saved = false;
    if (GdiplusStartup(&token, &input, nullptr) == 0) {
        void* image = nullptr;
        if (GdipCreateBitmapFromHBITMAP(bitmap, nullptr, &image) == 0) {
            const CLSID png = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
            std::wstring wide(path.begin(), path.end());
            saved = GdipSaveImageToFile(image, wide.c_str(), &png, nullptr) == 0;
            GdipDisposeImage(image);
        }
        GdiplusShutdown(token);
    }
    DeleteObject(bitmap);
    return saved;
}

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / frequency.QuadPart;
}

int RunScript(const std::string& backupDir, const std::string& screenshot) {
    LARGE_INTEGER start, painted;
    QueryPerformanceCounter(&start);
    CreatePage();
    HWND page = FindPage();
    if (!page) {
        Log("FAILED: the page did not appear");
        return 1;
    }
    RedrawWindow(page, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    QueryPerformanceCounter(&painted);
    char took[64];
    std::snprintf(took, sizeof(took), "page painted %.1f ms after ModulCreate", Milliseconds(start, painted));
    Log(took);
    for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&msg);

    HWND edit = FindChild(page, "Edit", false);
    HWND check = FindChild(page, "Button", false);
    if (!edit || !check) {
        Log("FAILED: the backup row is missing");
        return 1;
    }
    SetWindowTextA(edit, backupDir.c_str());
    Log("backup folder: " + backupDir);
    SendMessageA(check, BM_CLICK, 0, 0);
    Log("check box ticked");
    LogFlags();
    if (!screenshot.empty())
        Log(SaveScreenshot(page, screenshot) ? "screenshot: " + screenshot : "FAILED: screenshot");

    UINT_PTR timer = SetTimer(nullptr, 0, 200, AnswerBoxes);
    POINT apply = {16 + 18, 381 + 18};
    HWND button = ChildWindowFromPointEx(page, apply, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    MapWindowPoints(page, button, &apply, 1);
    LPARAM at = MAKELPARAM(apply.x, apply.y);
    Log("apply pressed");
    SendMessageA(button, WM_MOUSEMOVE, 0, at);
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(button, WM_LBUTTONUP, 0, at);
    KillTimer(nullptr, timer);
    LogFlags();

    // The host's commands: move, size, show, close.
    RECT before;
    GetWindowRect(page, &before);
    HostCommand(10, before.left + 30);
    HostCommand(11, before.top + 20);
    HostCommand(12, 320);
    HostCommand(13, 480);
    RECT after;
    GetWindowRect(page, &after);
    bool followed = after.left == before.left + 30 && after.top == before.top + 20 &&
                    after.right - after.left == 320 && after.bottom - after.top == 480;
    Log(followed ? "page moved and sized" : "FAILED: the page did not follow move and size");
    HostCommand(200, 0);
    HostCommand(0, 0);
    for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&msg);
    bool closed = !IsWindow(page);
    Log(closed ? "page closed by command 0" : "FAILED: the page is still there");
    int freed = module.free();
    Log("ModulFree = " + std::to_string(freed) + " (nothing left to free)");
    // The page's last word names the file: "... nach <file> exportiert !" or "... to <file> !".
    std::string last = boxTexts.empty() ? "" : boxTexts.back();
    std::string file;
    for (auto [head, tail] : {std::pair<std::string, std::string>{"Registry wurde komplett nach ", " exportiert !"},
                              std::pair<std::string, std::string>{"Registry exported to ", " !"}}) {
        if (last.size() > head.size() + tail.size() && last.rfind(head, 0) == 0 &&
            last.compare(last.size() - tail.size(), tail.size(), tail) == 0)
            file = last.substr(head.size(), last.size() - head.size() - tail.size());
    }
    bool exported = !file.empty();
    Log(exported ? "export file: " + file : "FAILED: export not confirmed");
    if (exported) Log("export done");
    return exported && followed && closed && freed == 1 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::string backupDir, screenshot;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg.rfind("/lang=", 0) == 0) language = std::atoi(arg.c_str() + 6);
        else if (arg.rfind("/mask=", 0) == 0) validMask = std::atoi(arg.c_str() + 6);
        else if (arg == "/script" && i + 1 < argc) scripted = true, backupDir = argv[++i];
        else if (arg.rfind("/shot=", 0) == 0) screenshot = arg.substr(6);
    }
    hostMessage = RegisterWindowMessageA("Morvane");
    if (!LoadModule()) {
        std::printf("FAILED: cannot load Wendrik.dll from %s\n", ExeFolder().c_str());
        return 1;
    }
    MakeMainWindow();
    if (scripted) return RunScript(backupDir, screenshot);
    CreatePage();
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
