#pragma once
#include <exception>
#include <functional>
#include <string>

namespace platform {

// The simple message box: the text and an OK button.
void ShowMessage(const std::string& text);
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
