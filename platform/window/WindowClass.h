#pragma once
#include <windows.h>

namespace platform {

// The module's own window class and the two window procedures through which
// every message reaches a Control: ours keep the object in their extra
// bytes from WM_NCCREATE on, the system's controls that we subclass keep it
// in their user data. No window that is not ours reaches either.
class WindowClass {
public:
    // The class's name; the class is registered on first use.
    static const char* Name();
    // Before the image that registered the class goes away.
    static void Unregister();
    // The procedure a subclassed system control is given.
    static WNDPROC SubclassProcedure();

private:
    static LRESULT CALLBACK OwnClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace platform
