#pragma once
#include <windows.h>
#include <string>

#include "platform/controls/CheckBox.h"
#include "platform/controls/Edit.h"
#include "platform/controls/Label.h"
#include "platform/controls/SpeedButton.h"
#include "module/BackupFile.h"
#include "module/ExportFileCheck.h"
#include "platform/system/ProgramStart.h"
#include "template/FrmTippTemplate.h"

namespace wendrik {

// The page of the tip "Registry komplett exportieren": a backup directory,
// a browse button and a check box on the template; apply makes the system's
// registry editor write the whole registry into a dated .reg file there.
class TFormWendrik : public TfrmTippTemplate {
public:
    TFormWendrik();

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

protected:
    void FormCreate() override;
    void BeforeFree() override;

private:
    // Exports into `dir`; true when the whole registry was written and is
    // in place under the dated name (`limitedRights`: by an editor without
    // administrator rights). Reports every failure, and a cancel as a cancel.
    bool RunExport(const std::string& dir, bool& limitedRights);
    // Starts the editor beside this thread; false when it was reported or
    // the page or the thread is going away.
    bool StartEditor(const platform::ProgramStart& start, platform::StartedProcess& started);
    // Waits for the editor and checks what it wrote, with the page painting;
    // `fault` is then "" for a whole export, else why not. False when the
    // page or the thread is going away meanwhile (nothing is reported then).
    bool AwaitExport(HANDLE process, const BackupFile& backup, std::string& fault);
    // Shows a message, the wait cursor down first.
    void Report(const std::string& text);

    SYSTEMTIME createdOn_ = {};
    bool exporting_ = false;
    bool checkBoxAfterExport_ = true;
    bool notAvailable_ = false;  // creation stopped: the tip is not valid on this Windows
};

}  // namespace wendrik
