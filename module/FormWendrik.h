#pragma once
#include <windows.h>
#include <memory>
#include <string>

#include "platform/controls/CheckBox.h"
#include "platform/controls/Edit.h"
#include "platform/controls/Label.h"
#include "platform/controls/ProgressBar.h"
#include "platform/controls/SpeedButton.h"
#include "module/BackupFile.h"
#include "module/ExportStatusLine.h"
#include "module/RunningExport.h"
#include "platform/system/ProgramStart.h"
#include "template/FrmTippTemplate.h"

namespace wendrik {

// The page of the tip "Registry komplett exportieren": a backup directory,
// a browse button and a check box on the template; apply makes the system's
// registry editor write the whole registry into a dated .reg file there.
// Under the check box a line tells how far a running export is, or when
// the newest backup in the folder was made.
class TFormWendrik : public TfrmTippTemplate {
public:
    TFormWendrik();
    ~TFormWendrik() override;

    void Sprache(int languageCode) override;
    void HotSpeedButtonOKClick() override;
    void T288_EditChange();
    void SpeedButton6Click();
    void CheckBox1Click();
    // The export file's name, kept as the check box's hint.
    std::string ExportFileName() const { return CheckBox1->Hint(); }
    // True while the registry editor runs for this page.
    bool Exporting() const { return exporting_; }

    platform::Label* T288_Label_BackupDir;
    platform::Edit* T288_Edit;
    platform::SpeedButton* SpeedButton6;
    platform::CheckBox* CheckBox1;
    platform::Label* T288_Label_Status;
    platform::ProgressBar* T288_Progress;

protected:
    void FormCreate() override;
    void BeforeFree() override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Exports into the folder `typed` names; true when the whole registry
    // was written and is in place under the dated name in `dir` (the folder
    // made absolute; `limitedRights`: by an editor without administrator
    // rights). Reports every failure, and a cancel as a cancel.
    bool RunExport(const std::string& typed, std::string& dir, bool& limitedRights);
    // Starts the editor beside this thread; false when it was reported or
    // the thread is going away.
    bool StartEditor(const platform::ProgramStart& start, platform::StartedProcess& started);
    // Shows a message, the wait cursor down first; a page already freed by
    // the host shows it above the host's window.
    void Report(const std::string& text);
    // The status line follows the folder the edit names.
    void WatchFolder();

    SYSTEMTIME createdOn_ = {};
    bool exporting_ = false;
    bool checkBoxAfterExport_ = true;
    bool notAvailable_ = false;  // creation stopped: the tip is not valid on this Windows
    std::unique_ptr<ExportStatusLine> status_;  // from creation on a usable page
};

}  // namespace wendrik
