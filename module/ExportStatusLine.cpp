#include "ExportStatusLine.h"

#include <algorithm>

#include "PageTexts.h"
#include "platform/system/LocaleFormat.h"
#include "platform/system/NativeFileView.h"

namespace wendrik {

namespace {
constexpr UINT kEveryMs = 200;  // four times a second and more

std::string Megabytes(std::uint64_t bytes) {
    return platform::LocaleFormat::Decimal(static_cast<double>(bytes) / 1048576.0, 1);
}
}  // namespace

ExportStatusLine::ExportStatusLine(platform::Label& line, platform::ProgressBar& bar, HWND window)
    : line_(line), bar_(bar), window_(window), watch_(window) {}

void ExportStatusLine::LanguageChanged() {
    if (running_) ShowProgress();
    else ShowFolder();
}

void ExportStatusLine::Watch(const std::string& dir) {
    if (!watch_.Folder().empty() && lstrcmpiA(dir.c_str(), watch_.Folder().c_str()) == 0) return;
    // Another user's stray export, left in a shared folder, is as whole as ours.
    watch_.Watch(dir, {.nativeView = platform::NativeFileView::Windows64(), .userSid = ""});
    ShowFolder();
}

void ExportStatusLine::Started(const RunningExport& run, const std::string& dir) {
    const FolderStatus earlier = watch_.Status();
    estimate_ = earlier.found && lstrcmpiA(watch_.Folder().c_str(), dir.c_str()) == 0 ? earlier.size : 0;
    running_ = &run;
    bar_.SetPosition(0);
    bar_.SetVisible(estimate_ != 0);
    ShowProgress();
    SetTimer(window_, kTimer, kEveryMs, nullptr);
}

void ExportStatusLine::Ended() {
    KillTimer(window_, kTimer);
    running_ = nullptr;
    bar_.SetVisible(false);
    watch_.Refresh();
    ShowFolder();
}

void ExportStatusLine::ShowFolder() {
    if (running_) return;
    const FolderStatus status = watch_.Status();
    if (!status.answered || !status.found) return Put("");
    Put(page_texts::LastBackup(platform::LocaleFormat::DateAndTime(status.written), Megabytes(status.size)));
}

void ExportStatusLine::ShowProgress() {
    if (!running_) return;
    const std::uint64_t written = running_->Written();
    int percent = -1;
    // The editor writes to the end it cannot know: never "done" before it is.
    if (estimate_) percent = static_cast<int>(std::min<std::uint64_t>(99, written * 100 / estimate_));
    Put(page_texts::Progress(Megabytes(written), percent));
    if (percent >= 0) bar_.SetPosition(percent);
}

void ExportStatusLine::Put(const std::string& text) {
    if (line_.Text() != text) line_.SetText(text);
}

}  // namespace wendrik
