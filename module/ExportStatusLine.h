#pragma once
#include <windows.h>
#include <cstdint>
#include <string>

#include "BackupFolderWatch.h"
#include "RunningExport.h"
#include "platform/controls/Label.h"
#include "platform/controls/ProgressBar.h"

namespace wendrik {

// The page's line under the check box, with its bar: while an export runs,
// how much the editor has written (and, where an earlier backup in the
// folder gives an estimate, about how much of it that is); otherwise the
// newest backup in the folder the page names, or nothing.
class ExportStatusLine {
public:
    // The timer of the running export's line, on `window`.
    static constexpr UINT_PTR kTimer = 0x2A82;

    ExportStatusLine(platform::Label& line, platform::ProgressBar& bar, HWND window);

    // The page's language changed: the line is said anew.
    void LanguageChanged();
    // Follows the folder `dir` (absolute) from now on; nothing when it is the one followed.
    void Watch(const std::string& dir);
    // The window was told the folder changed (BackupFolderWatch::kChanged).
    void FolderChanged() { ShowFolder(); }
    // From the start of `run` into `dir` to Ended(), the line follows it.
    void Started(const RunningExport& run, const std::string& dir);
    // The timer ticked.
    void Tick() { ShowProgress(); }
    void Ended();

private:
    void ShowFolder();
    void ShowProgress();
    void Put(const std::string& text);

    platform::Label& line_;
    platform::ProgressBar& bar_;
    HWND window_;
    BackupFolderWatch watch_;
    const RunningExport* running_ = nullptr;
    std::uint64_t estimate_ = 0;  // the size the running export will likely reach; 0: unknown
};

}  // namespace wendrik
