#pragma once
#include <windows.h>
#include <string>

#include "DirectoryListBox.h"
#include "DriveComboBox.h"
#include "FileListBox.h"
#include "PathLabel.h"
#include "platform/controls/Button.h"
#include "platform/controls/Edit.h"
#include "platform/window/Form.h"

namespace wendrik {

// The modal dialog in which the user picks a directory, or types one: a
// drive combo box, the folder tree, a grey preview of the folder's files
// and the chosen directory as a path label or an edit. Built in code.
class TSelectDirDlg : public platform::Form {
public:
    TSelectDirDlg();

    void SetStartDir(const std::string& dir);
    void SetTypeNameMode(bool value);
    bool TypeNameMode() const { return typeNameMode_; }
    std::string ChosenDir() const;
    void SetConfirmCreate(bool value) { confirmCreate_ = value; }
    // Scales the dialog from its pixels to the screen's resolution and
    // centres it; the lists keep their item heights and the preview its grey.
    void ScaleToScreen();
    // 0: no Help button, OK and Cancel move right; else Help shows this context.
    void UseHelpContext(int helpContext);

    void DirListChange();
    void DriveListChange();
    void OKClick();
    void NetClick();
    void HelpButtonClick();

    TDirectoryListBox* DirList;
    platform::Edit* DirEdit;
    TDriveComboBox* DriveList;
    TPathLabel* DirLabel;
    platform::Button* OKButton;
    platform::Button* CancelButton;
    platform::Button* HelpButton;
    platform::Button* NetButton;
    TFileListBox* FileList;

protected:
    void FormCreate() override;

private:
    // Points both lists at the process's current directory, or at its drive's root.
    void ShowProcessDirectory();

    using ConnectDialogFn = DWORD(WINAPI*)(HWND, DWORD);
    bool typeNameMode_ = false;
    bool confirmCreate_ = false;
    ConnectDialogFn connectDialogProc_ = nullptr;
};

}  // namespace wendrik
