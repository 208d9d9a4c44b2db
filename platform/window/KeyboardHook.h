#pragma once
#include <windows.h>
#include <vector>

namespace platform {

class Form;

// The host's message loop knows nothing of our forms, so their keyboard
// handling rides on a hook of the thread's message retrieval: keyboard
// messages aimed at a registered form go through its shortcuts and the
// dialog navigation (Tab, Shift+Tab, space, arrows) and are then taken out
// of the host's hands. Everything else passes untouched. The hook exists
// while at least one form is registered.
class KeyboardHook {
public:
    static void Register(Form* form);
    static void Unregister(Form* form);
    static bool Installed();
    // The image is going away: every form still registered is destroyed and
    // the hook removed, so that nothing is left pointing into it.
    static void DestroyLeftovers();

private:
    static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam);
    static bool Route(MSG& msg);
};

}  // namespace platform
