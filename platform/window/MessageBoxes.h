#pragma once
#include <exception>
#include <functional>
#include <string>

#include <windows.h>

namespace platform {

// The simple message box: the text and an OK button.
void ShowMessage(const std::string& text);
// The same, owned by `owner` (none: by no window), for a message of a form
// that has already gone.
void ShowMessageOwnedBy(HWND owner, const std::string& text);
// The host's own top-level window on this thread: visible, not one of
// ours, owned by no other; null when there is none.
HWND HostTopLevelWindow();
// The confirmation dialog with Yes and No; true when the answer is Yes.
bool ConfirmYesNo(const std::string& text);
// The standard error report: a message box with the error's text.
void ReportError(const std::exception& error) noexcept;
// Inside a catch block: reports the exception being handled, whatever it is.
void ReportCurrentError() noexcept;
// Replaces the error report (tests capture reports instead of showing them);
// an empty function restores the message box.
void SetErrorReporter(std::function<void(const std::string&)> reporter);

}  // namespace platform
