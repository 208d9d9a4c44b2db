#include "MessageBoxes.h"

#include <windows.h>

#include "platform/system/Application.h"
#include "platform/system/Error.h"

namespace platform {

namespace {
std::function<void(const std::string&)>& Reporter() {
    static std::function<void(const std::string&)> reporter;
    return reporter;
}

int Box(const std::string& text, UINT flags) {
    Application::HoldImage();  // the box's loop runs the host's code, which may unload us
    return MessageBoxA(GetActiveWindow(), text.c_str(), Application::Title().c_str(),
                       flags | MB_TASKMODAL);
}
}  // namespace

void ShowMessage(const std::string& text) { Box(text, MB_OK); }

bool ConfirmYesNo(const std::string& text) { return Box(text, MB_YESNO | MB_ICONQUESTION) == IDYES; }

void ReportError(const std::exception& error) {
    std::string text = error.what();
    if (Reporter()) {
        Reporter()(text);
        return;
    }
    if (!text.empty() && text.back() != '.') text += '.';
    Box(text, MB_OK | MB_ICONSTOP);
}

void ReportCurrentError() {
    try {
        throw;
    } catch (const std::exception& e) {
        ReportError(e);
    } catch (...) {
        ReportError(Error("Unknown error"));
    }
}

void SetErrorReporter(std::function<void(const std::string&)> reporter) {
    Reporter() = std::move(reporter);
}

}  // namespace platform
