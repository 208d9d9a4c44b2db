#pragma once
#include <windows.h>
#include <string>

#include "ModuleLibrary.h"

namespace demo {

// The host's own window: Create, Save, Free, Move, Size, Show and Close
// buttons and a log of what the page tells the host.
class HostWindow {
public:
    HostWindow(ModuleLibrary& module, int language, int validMask);
    HWND Handle() const { return window_; }

    void Log(const std::string& line);
    void LogFlags();
    // ModulCreate beside the host's window.
    void CreatePage();
    // Sends a host command to every top-level window, as a host does.
    void HostCommand(WPARAM command, LPARAM argument);

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void MoveAndSize(bool size);

    ModuleLibrary& module_;
    int language_;
    int validMask_;
    UINT hostMessage_;
    HWND window_ = nullptr;
    HWND log_ = nullptr;
    bool toggled_ = false;
};

// The running Windows version as the host's version code; anything newer
// than XP is treated as XP.
int OsCodeOfThisWindows();

}  // namespace demo
