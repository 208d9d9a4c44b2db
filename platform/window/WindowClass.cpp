#include "WindowClass.h"

#include "Control.h"
#include "platform/system/Application.h"
#include "platform/system/InvalidOperation.h"
#include "platform/system/Trace.h"

namespace platform {

namespace {
const char kName[] = "WendrikControl";
bool registered = false;  // asked once, not for every window
DWORD registeredBy = 0;   // the thread that registered it, the only one to unregister it
}  // namespace

const char* WindowClass::Name() {
    if (registered) return kName;
    WNDCLASSEXA wc = {sizeof(wc)};
    if (GetClassInfoExA(Application::Instance(), kName, &wc)) {
        registered = true;
        registeredBy = GetCurrentThreadId();
        return kName;
    }
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = OwnClassProc;
    wc.cbWndExtra = sizeof(Control*);
    wc.hInstance = Application::Instance();
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kName;
    registered = RegisterClassExA(&wc) != 0;
    registeredBy = GetCurrentThreadId();
    return kName;
}

bool WindowClass::IsOurs(HWND window) {
    char name[sizeof(kName) + 1] = {};
    return GetClassNameA(window, name, sizeof(name)) > 0 && lstrcmpA(name, kName) == 0;
}

bool WindowClass::OnWindowThread(const char* what) {
    if (!registered || GetCurrentThreadId() == registeredBy) return true;
    Trace::Line("called off the window's thread", what);
    return false;
}

void WindowClass::CheckThread(const char* what) {
    if (!OnWindowThread(what))
        throw InvalidOperation(std::string(what) + " may only run on the thread of the module's windows");
}

void WindowClass::Unregister() {
    // Any other thread (a worker dropping the image's last reference inside
    // DllMain) would become a window thread for it: never there.
    if (!registered || GetCurrentThreadId() != registeredBy) return;
    if (UnregisterClassA(kName, Application::Instance())) registered = false;  // fails while windows of it live
}

WNDPROC WindowClass::SubclassProcedure() { return SubclassProc; }

WNDPROC WindowClass::Subclass(HWND window) {
    return reinterpret_cast<WNDPROC>(SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
}

void WindowClass::Unsubclass(HWND window, WNDPROC previous) {
    if (GetWindowLongPtrA(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(SubclassProc))
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
}

LRESULT WindowClass::Fallback(HWND window, WNDPROC previous, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (!window) return 0;
    if (previous) return CallWindowProcA(previous, window, message, wParam, lParam);
    if (message == WM_NCHITTEST || message == WM_MOUSEACTIVATE || message == WM_SETCURSOR)
        return DefWindowProcA(window, message, wParam, lParam);
    return 0;
}

bool WindowClass::Tied(HWND window, const Control* object, bool ownClass) {
    return GetWindowLongPtrA(window, ownClass ? 0 : GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(object);
}

LRESULT CALLBACK WindowClass::OwnClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETMINMAXINFO) {
        // Our windows take the size they are given, also beyond the screen
        // (asked first, before WM_NCCREATE): scaled to a high resolution
        // while it loads, a page may for a moment be taller than a small
        // screen, and a size cut to the screen would leave its anchored
        // controls off when it is scaled back.
        DefWindowProcA(window, message, wParam, lParam);
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMaxTrackSize = {32767, 32767};
        return 0;
    }
    auto* self = reinterpret_cast<Control*>(GetWindowLongPtrA(window, 0));
    if (!self) {
        if (message != WM_NCCREATE) return DefWindowProcA(window, message, wParam, lParam);
        self = static_cast<Control*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->Attach(window, true);
    }
    return self->Dispatch(message, wParam, lParam);
}

LRESULT CALLBACK WindowClass::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Only windows that we subclassed, with the object in their user data, come here.
    auto* self = reinterpret_cast<Control*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    // Its object gone (detached while another subclass sat on top of ours): the default.
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    return self->Dispatch(message, wParam, lParam);
}

}  // namespace platform
