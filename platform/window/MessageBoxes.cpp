#include "MessageBoxes.h"

#include <windows.h>

#include "platform/system/Application.h"
#include "platform/system/ImageHold.h"
#include "platform/system/Error.h"
#include "platform/system/HandlerScope.h"
#include "platform/system/Trace.h"
#include "WindowClass.h"

namespace platform {

namespace {
std::function<void(const std::string&)>& Reporter() {
    static std::function<void(const std::string&)> reporter;
    return reporter;
}

int Box(HWND owner, const std::string& text, UINT flags) {
    ImageHold::HoldImage();  // the box's loop runs the host's code, which may unload us
    return MessageBoxA(owner, text.c_str(), Application::Title().c_str(), flags | MB_TASKMODAL);
}

int Box(const std::string& text, UINT flags) { return Box(GetActiveWindow(), text, flags); }

BOOL CALLBACK FindHostWindow(HWND window, LPARAM found) {
    if (!IsWindowVisible(window) || GetWindow(window, GW_OWNER) || WindowClass::IsOurs(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}
}  // namespace

void ShowMessage(const std::string& text) { Box(text, MB_OK); }

void ShowMessageOwnedBy(HWND owner, const std::string& text) {
    Box(owner && IsWindow(owner) ? owner : nullptr, text, MB_OK);
}

HWND HostTopLevelWindow() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindHostWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

bool ConfirmYesNo(const std::string& text) { return Box(text, MB_YESNO | MB_ICONQUESTION) == IDYES; }

void ReportError(const std::exception& error) noexcept {
    try {
        // Shown once the failed handler has returned: a box inside it would
        // run the host's messages in the middle of a message of ours.
        HandlerScope::Defer([text = std::string(error.what())]() mutable {
            try {
                if (Reporter()) {
                    Reporter()(text);
                    return;
                }
                if (!text.empty() && text.back() != '.') text += '.';
                Box(text, MB_OK | MB_ICONSTOP);
            } catch (...) {  // a report that fails is dropped: nobody is left to hear of it
                Trace::CurrentException("an error report was dropped");
            }
        });
    } catch (...) {
        Trace::CurrentException("an error report could not be deferred and was dropped");
    }
}

void ReportCurrentError() noexcept {
    try {
        throw;
    } catch (const std::exception& e) {
        ReportError(e);
    } catch (...) {
        try {
            ReportError(Error("Unknown error"));
        } catch (...) {
        }
    }
}

void SetErrorReporter(std::function<void(const std::string&)> reporter) {
    Reporter() = std::move(reporter);
}

}  // namespace platform
