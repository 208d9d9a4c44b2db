#include "WindowClass.h"

#include "Control.h"
#include "platform/system/Application.h"

namespace platform {

namespace {
const char kName[] = "WendrikControl";
bool registered = false;  // asked once, not for every window
}  // namespace

const char* WindowClass::Name() {
    if (registered) return kName;
    WNDCLASSEXA wc = {sizeof(wc)};
    if (GetClassInfoExA(Application::Instance(), kName, &wc)) {
        registered = true;
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
    return kName;
}

void WindowClass::Unregister() {
    if (!registered) return;
    UnregisterClassA(kName, Application::Instance());
    registered = false;
}

WNDPROC WindowClass::SubclassProcedure() { return SubclassProc; }

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
    return self->Dispatch(message, wParam, lParam);
}

}  // namespace platform
