#pragma once
#include <windows.h>

namespace platform {

class Control;

// The module's own window class and the two window procedures through which
// every message reaches a Control: ours keep the object in their extra
// bytes from WM_NCCREATE on, the system's controls that we subclass keep it
// in their user data. No window that is not ours reaches either.
class WindowClass {
public:
    // The class's name; the class is registered on first use.
    static const char* Name();
    // True for a window of this class (registering nothing).
    static bool IsOurs(HWND window);
    // True on the thread whose windows ours are (or before there are any);
    // elsewhere false, with a trace naming `what`, which may only run there.
    static bool OnWindowThread(const char* what);
    // The same, raising InvalidOperation off that thread.
    static void CheckThread(const char* what);
    // When no window of it is left, on the thread that registered it (the
    // host's), and only there; elsewhere, or while windows of it live, it
    // does nothing.
    static void Unregister();
    // The procedure a subclassed system control is given.
    static WNDPROC SubclassProcedure();
    // Gives a system control our procedure; returns its own.
    static WNDPROC Subclass(HWND window);
    // Puts `previous` back only while the window still has ours: one
    // subclassed after us keeps its chain, and our procedure, its pointer
    // gone, passes on to the default one.
    static void Unsubclass(HWND window, WNDPROC previous);
    // The tie, checked once a window is made: a window whose pointer is not
    // `object` (a hook that replaced it, a creation that skipped
    // WM_NCCREATE) would send its messages to the wrong object or to none.
    static bool Tied(HWND window, const Control* object, bool ownClass);
    // What a message whose handler failed answers: a subclassed control's
    // own procedure (`previous`) handles it as if we were not there; a hit
    // test or a mouse activation answered 0 would make the window unclickable.
    static LRESULT Fallback(HWND window, WNDPROC previous, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

private:
    static LRESULT CALLBACK OwnClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace platform
