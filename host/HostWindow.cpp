#include "HostWindow.h"

#include <cstdio>

#include "platform/system/SystemBoundary.h"
#include "template/HostProtocol.h"

namespace demo {

namespace {
constexpr int kHelpId = 288;  // the registry export tip in the help-text library
constexpr int kIdCreate = 101, kIdSave = 102, kIdFree = 103, kIdLog = 104;
constexpr int kIdMove = 105, kIdSize = 106, kIdShow = 107, kIdClose = 108;
HostWindow* instance = nullptr;
}  // namespace

int OsCodeOfThisWindows() {
    OSVERSIONINFOA v = {sizeof(v)};
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExA(&v);
    if (v.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) {
        if (v.dwMinorVersion == 0) return 4;   // Windows 95
        if (v.dwMinorVersion == 10) return 3;  // Windows 98 SE
        return 12;                             // Windows ME
    }
    if (v.dwMajorVersion <= 4) return wendrik::OsCodeWindowsNT;
    if (v.dwMajorVersion == 5 && v.dwMinorVersion == 0) return wendrik::OsCodeWindows2000;
    return wendrik::OsCodeWindowsXP;
}

HostWindow::HostWindow(ModuleLibrary& module, int language, int validMask)
    : module_(module),
      language_(language),
      validMask_(validMask),
      hostMessage_(RegisterWindowMessageA(wendrik::HostMessageName)) {
    instance = this;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "WendrikDemoHost";
    RegisterClassA(&wc);
    window_ = CreateWindowExA(0, wc.lpszClassName, "Wendrik Demo Host",
                              WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 20, 20, 330, 455,
                              nullptr, nullptr, wc.hInstance, nullptr);
    struct Button { const char* text; int id; int x, y; };
    for (Button b : {Button{"Create", kIdCreate, 10, 10}, Button{"Save", kIdSave, 110, 10},
                     Button{"Free", kIdFree, 210, 10}, Button{"Move", kIdMove, 10, 42},
                     Button{"Size", kIdSize, 85, 42}, Button{"Show", kIdShow, 160, 42},
                     Button{"Close", kIdClose, 235, 42}})
        CreateWindowExA(0, "BUTTON", b.text, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, b.x, b.y,
                        b.id <= kIdFree ? 90 : 70, 26, window_, reinterpret_cast<HMENU>(b.id), wc.hInstance,
                        nullptr);
    log_ = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", nullptr,
                           WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 10, 76, 300, 330,
                           window_, reinterpret_cast<HMENU>(kIdLog), wc.hInstance, nullptr);
    SendMessageA(log_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
    ShowWindow(window_, SW_SHOW);
}

void HostWindow::Log(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    LRESULT i = SendMessageA(log_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    SendMessageA(log_, LB_SETCURSEL, i, 0);
}

void HostWindow::LogFlags() {
    Log("ModulChanged = " + std::to_string(module_.changed()) + ", ModulNr = " + std::to_string(module_.nr()));
}

void HostWindow::CreatePage() {
    RECT r;
    GetWindowRect(window_, &r);
    int os = OsCodeOfThisWindows();
    module_.create(r.right + 8, r.top, 298, 455, os, language_, "Registry komplett exportieren", "Wendrik",
                   validMask_, kHelpId);
    Log("ModulCreate (OsCode " + std::to_string(os) + ", language " + std::to_string(language_) + ")");
}

void HostWindow::HostCommand(WPARAM command, LPARAM argument) {
    Log("send command " + std::to_string(command) + ", " + std::to_string(argument));
    SendMessageA(HWND_BROADCAST, hostMessage_, command, argument);
}

void HostWindow::MoveAndSize(bool size) {
    toggled_ = !toggled_;
    RECT r;
    GetWindowRect(window_, &r);
    if (size) {
        HostCommand(wendrik::CommandWidth, toggled_ ? 360 : 298);
        HostCommand(wendrik::CommandHeight, toggled_ ? 520 : 455);
    } else {
        HostCommand(wendrik::CommandLeft, r.right + (toggled_ ? 40 : 8));
        HostCommand(wendrik::CommandTop, r.top + (toggled_ ? 30 : 0));
    }
}

LRESULT CALLBACK HostWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // What the host does on a message may throw (its log, out of memory): it stops here.
    return platform::SystemBoundary::Enter([&] { return Handle(window, message, wParam, lParam); },
                                           [&] { return DefWindowProcA(window, message, wParam, lParam); });
}

LRESULT HostWindow::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    HostWindow* self = instance;
    if (self && message == self->hostMessage_ && self->hostMessage_) {
        self->Log("host message " + std::to_string(static_cast<long>(wParam)) + ", " +
                  std::to_string(static_cast<long>(lParam)));
        return 0;
    }
    switch (message) {
    case WM_COMMAND:
        if (!self) break;
        switch (LOWORD(wParam)) {
        case kIdCreate: self->CreatePage(); break;
        case kIdSave:
            self->Log("ModulSaveChanges = " + std::to_string(self->module_.save()));
            self->LogFlags();
            break;
        case kIdFree:
            self->Log("ModulFree = " + std::to_string(self->module_.free()));
            self->LogFlags();
            break;
        case kIdMove: self->MoveAndSize(false); break;
        case kIdSize: self->MoveAndSize(true); break;
        case kIdShow: self->HostCommand(wendrik::CommandShow, 0); break;
        case kIdClose: self->HostCommand(wendrik::CommandClose, 0); break;
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace demo
