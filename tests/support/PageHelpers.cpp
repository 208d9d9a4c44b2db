#include "PageHelpers.h"

#include <commctrl.h>

#include <algorithm>

#include "PixelCapture.h"
#include "Pump.h"
#include "RegistryValue.h"
#include "module/Exports.h"
#include "module/ModuleState.h"

namespace testing_support {

using namespace desktop;

void ResetModuleState() {
    using namespace wendrik;
    if (ModulePage) ModulFree();
    ChangedFlag = SavedFlag = PageShown = DefaultsRequested = PageEnabled = 0;
    ValidOsMask = LanguageCode = OsCode = OsBit = 0;
}

wendrik::TFormWendrik* CreatePage(int osCode, int language, int mask, int helpId,
                                  const char* caption) {
    ModulCreate(100, 50, 298, 455, osCode, language, caption, "hint", mask, helpId);
    PumpPending();
    return wendrik::ModulePage;
}

RECT BoundsInParent(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string WindowText(HWND window) {
    char text[4096] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

LOGFONTA FontOf(HWND window) {
    LOGFONTA lf = {};
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    if (font) GetObjectA(font, sizeof(lf), &lf);
    return lf;
}

COLORREF PixelOf(HWND window, int x, int y) {
    RedrawWindow(GetAncestor(window, GA_ROOT), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    HDC dc = GetDC(window);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return c;
}

namespace {
BOOL CALLBACK CollectChild(HWND w, LPARAM p) {
    reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
    return TRUE;
}
std::vector<HWND> Children(HWND page) {
    std::vector<HWND> all;
    EnumChildWindows(page, CollectChild, reinterpret_cast<LPARAM>(&all));
    return all;
}
}  // namespace

std::vector<DWORD> ClientPixels(HWND window) { return CaptureClient(window).values; }

namespace {
BOOL CALLBACK CountWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}
}  // namespace

namespace {
struct TooltipSearch {
    HWND owner, found;
};
BOOL CALLBACK FindTooltip(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<TooltipSearch*>(p);
    char cls[64] = {};
    GetClassNameA(w, cls, sizeof(cls));
    if (lstrcmpiA(cls, TOOLTIPS_CLASSA) == 0 && GetWindow(w, GW_OWNER) == s->owner) s->found = w;
    return s->found == nullptr;
}
}  // namespace

std::string TooltipText(HWND page, HWND tool) {
    TooltipSearch search = {page, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindTooltip, reinterpret_cast<LPARAM>(&search));
    if (!search.found) return "<no tooltip>";
    char text[256] = {};
    TOOLINFOA info = {};
    info.cbSize = TTTOOLINFOA_V1_SIZE;
    info.hwnd = page;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = text;
    if (!SendMessageA(search.found, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info))) return "<no tool>";
    info.lpszText = text;
    SendMessageA(search.found, TTM_GETTEXTA, sizeof(text), reinterpret_cast<LPARAM>(&info));
    return text;
}

int ThreadWindowCount() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

std::vector<HWND> ImageButtons(HWND page) {
    std::vector<HWND> buttons;
    for (HWND w : Children(page)) {
        RECT r;
        GetWindowRect(w, &r);
        if (r.right - r.left == 36 && r.bottom - r.top == 36) buttons.push_back(w);
    }
    std::sort(buttons.begin(), buttons.end(), [](HWND a, HWND b) {
        return BoundsInParent(a).left < BoundsInParent(b).left;
    });
    return buttons;
}

HWND ChildOfClass(HWND page, const char* className) {
    for (HWND w : Children(page)) {
        char cls[64] = {};
        GetClassNameA(w, cls, sizeof(cls));
        if (lstrcmpiA(cls, className) == 0) return w;
    }
    return nullptr;
}

int DpiChild() {
    char value[16] = {};
    return GetEnvironmentVariableA("WENDRIK_DPI_CHILD", value, sizeof(value)) ? atoi(value) : 0;
}

namespace {
// Runs this program again with `gtestFilter`, the environment variable
// `name` set to `value` for the child alone.
DWORD RunSelf(const std::string& gtestFilter, const char* name, const std::string& value) {
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string command = std::string("\"") + exe + "\" --gtest_filter=" + gtestFilter;
    SetEnvironmentVariableA(name, value.c_str());
    STARTUPINFOA si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    BOOL started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    SetEnvironmentVariableA(name, nullptr);
    if (!started) return 1;
    WaitForSingleObject(pi.hProcess, 120000);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code;
}
}  // namespace

DWORD RunSelfAtDpi(int dpi, const std::string& gtestFilter) {
    RegistryValue logPixels("Control Panel\\Desktop", "LogPixels");
    logPixels.SetDword(static_cast<DWORD>(dpi));
    return RunSelf(gtestFilter, "WENDRIK_DPI_CHILD", std::to_string(dpi));
}

std::string OldWindowsChild() {
    char value[16] = {};
    return GetEnvironmentVariableA("WENDRIK_WINDOWS_CHILD", value, sizeof(value)) ? value : "";
}

DWORD RunSelfOnWindows(const std::string& version, const std::string& gtestFilter) {
    RegistryValue reported("Software\\Wine", "Version");
    reported.SetString(version);
    return RunSelf(gtestFilter, "WENDRIK_WINDOWS_CHILD", version);
}

std::string FreshFolder(const std::string& name) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + name;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((folder + "\\" + data.cFileName).c_str());
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

}  // namespace testing_support
