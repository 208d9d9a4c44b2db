#include "KeyboardHook.h"

#include <algorithm>
#include <exception>

#include "platform/system/Application.h"
#include "platform/system/CompatibleCalls.h"
#include "platform/system/ImageHold.h"
#include "platform/system/HandlerScope.h"
#include "MessageBoxes.h"
#include "platform/system/Error.h"
#include "platform/system/SystemBoundary.h"
#include "Form.h"

namespace platform {

namespace {
HHOOK hook = nullptr;
std::vector<Form*>& Forms() {
    static std::vector<Form*> forms;
    return forms;
}

Form* RegisteredFormOf(HWND window) {
    if (!window) return nullptr;
    HWND root = CompatibleCalls::RootWindow(window);
    for (Form* form : Forms())
        if (form->Handle() == root) return form;
    return nullptr;
}

bool NoModifiers() {
    return GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0 && GetKeyState(VK_SHIFT) >= 0;
}
}  // namespace

void KeyboardHook::Register(Form* form) {
    if (std::find(Forms().begin(), Forms().end(), form) == Forms().end()) Forms().push_back(form);
    ImageHold::FormsAlive(Forms().size());
    if (!hook) hook = SetWindowsHookExA(WH_GETMESSAGE, Proc, nullptr, GetCurrentThreadId());
}

void KeyboardHook::Unregister(Form* form) {
    std::erase(Forms(), form);
    ImageHold::FormsAlive(Forms().size());
    if (Forms().empty() && hook) {
        UnhookWindowsHookEx(hook);
        hook = nullptr;
    }
}

bool KeyboardHook::Installed() { return hook != nullptr; }

void KeyboardHook::DestroyLeftovers() {
    // Only what this thread owns: a window is destroyed by its own thread or
    // not at all (a worker thread may drop the image's last reference).
    auto ownedHere = [](Form* form) {
        return !form->Handle() || GetWindowThreadProcessId(form->Handle(), nullptr) == GetCurrentThreadId();
    };
    for (;;) {
        auto it = std::find_if(Forms().rbegin(), Forms().rend(), ownedHere);
        if (it == Forms().rend()) break;
        delete *it;  // it unregisters itself, and what it owns with it
    }
    if (hook && Forms().empty()) {
        UnhookWindowsHookEx(hook);
        hook = nullptr;
    }
}

bool KeyboardHook::Route(MSG& msg) {
    Form* form = RegisteredFormOf(msg.hwnd);
    if (!form || form->Freeing() || !form->Handle()) return false;
    if ((msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && NoModifiers() &&
        form->IsShortCut(static_cast<UINT>(msg.wParam)))
        return true;
    // An accelerator of a caption label: Alt+key anywhere, or the key alone
    // where the focused control takes no characters.
    if (msg.message == WM_SYSCHAR ||
        (msg.message == WM_CHAR && !(SendMessageA(msg.hwnd, WM_GETDLGCODE, msg.wParam,
                                                  reinterpret_cast<LPARAM>(&msg)) & (DLGC_WANTCHARS | DLGC_HASSETSEL)))) {
        if (form->Mnemonic(static_cast<char>(msg.wParam))) return true;
    }
    // The menu key, or Shift+F10, asks the focused control for its context menu.
    bool menuKey = msg.message == WM_KEYUP && msg.wParam == VK_APPS;
    bool shiftF10 = (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) &&
                    msg.wParam == VK_F10 && GetKeyState(VK_SHIFT) < 0;
    if (menuKey || shiftF10) {
        SendMessageA(msg.hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(msg.hwnd), MAKELPARAM(-1, -1));
        return true;
    }
    return IsDialogMessageA(form->Handle(), &msg) != FALSE;
}

LRESULT CALLBACK KeyboardHook::Proc(int code, WPARAM wParam, LPARAM lParam) {
    HHOOK self = hook;
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        MSG& msg = *reinterpret_cast<MSG*>(lParam);
        if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
            HandlerScope scope;
            SystemBoundary::Enter(
                [&] {
                    // Handled here: the caller's Translate/Dispatch must see nothing.
                    if (Route(msg)) msg.message = WM_NULL;
                    return 0;
                },
                [&] {
                    msg.message = WM_NULL;
                    ReportCurrentError();
                    return 0;
                });
        }
    }
    return CallNextHookEx(self, code, wParam, lParam);
}

}  // namespace platform
