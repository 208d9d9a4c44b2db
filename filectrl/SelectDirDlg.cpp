#include "SelectDirDlg.h"

#include "DriveQueries.h"
#include "PathHelpers.h"
#include "ResourceStrings.h"
#include "platform/system/Application.h"
#include "platform/system/Files.h"
#include "platform/system/InOutError.h"
#include "platform/controls/Label.h"
#include "platform/window/MessageBoxes.h"
#include "platform/drawing/Screen.h"
#include "platform/system/SystemFunctions.h"
#include "platform/system/Text.h"

namespace wendrik {

using namespace platform;

namespace {

constexpr int kFolderItemHeight = 17, kFileItemHeight = 13;  // pixels at 96 dpi

// The dialog's controls in pixels, as the select-directory dialog lays them out.
const std::vector<ControlRow>& DialogLayout() {
    static const std::vector<ControlRow> rows = {
        {.make = MakeControl<Edit>, .name = "DirEdit", .left = 8, .top = 24, .width = 313, .height = 20, .tabOrder = 1,
         .visible = false},
        {.make = MakeControl<Label>, .name = "DirNameLabel", .left = 8, .top = 8, .width = 92, .height = 13},
        {.make = MakeControl<TDriveComboBox>, .name = "DriveList", .left = 232, .top = 192, .width = 185, .height = 19,
         .tabOrder = 2},
        {.make = MakeControl<Label>, .name = "DrivesLabel", .left = 232, .top = 176, .width = 41, .height = 13},
        {.make = MakeControl<TPathLabel>, .name = "DirLabel", .left = 120, .top = 8, .width = 213, .height = 13},
        {.make = MakeControl<TDirectoryListBox>, .name = "DirList", .left = 8, .top = 72, .width = 213, .height = 138,
         .tabOrder = 0},
        {.make = MakeControl<Label>, .name = "DirsLabel", .left = 8, .top = 56, .width = 66, .height = 13},
        {.make = MakeControl<TFileListBox>, .name = "FileList", .left = 232, .top = 72, .width = 185, .height = 93,
         .tabOrder = 6},
        {.make = MakeControl<Label>, .name = "FilesLabel", .left = 232, .top = 56, .width = 57, .height = 13},
        {.make = MakeControl<Button>, .name = "NetButton", .left = 8, .top = 224, .width = 77, .height = 27,
         .tabOrder = 3, .visible = false},
        {.make = MakeControl<Button>, .name = "OKButton", .left = 172, .top = 224, .width = 77, .height = 27,
         .tabOrder = 4},
        {.make = MakeControl<Button>, .name = "CancelButton", .left = 256, .top = 224, .width = 77, .height = 27,
         .tabOrder = 5},
        {.make = MakeControl<Button>, .name = "HelpButton", .left = 340, .top = 224, .width = 77, .height = 27,
         .tabOrder = 7},
    };
    return rows;
}

}  // namespace

TSelectDirDlg::TSelectDirDlg() : Form(nullptr) {
    SetScaledOnLoad(false);  // described in pixels; PickDirectory scales it to the screen
    SetDialogBorder(true);
    SetText(ResourceStrings::SSelectDirCap());
    SetFont(FontSpec{});
    SetClientSize(424, 255);
    Build(DialogLayout());
    DirList = Field<TDirectoryListBox>("DirList");
    DirEdit = Field<Edit>("DirEdit");
    DriveList = Field<TDriveComboBox>("DriveList");
    DirLabel = Field<TPathLabel>("DirLabel");
    OKButton = Field<Button>("OKButton");
    CancelButton = Field<Button>("CancelButton");
    HelpButton = Field<Button>("HelpButton");
    NetButton = Field<Button>("NetButton");
    FileList = Field<TFileListBox>("FileList");

    struct Caption {
        const char* label;
        std::string text;
        Control* focus;
    };
    for (const Caption& c : {Caption{"DirNameLabel", ResourceStrings::SDirNameCap(), DirEdit},
                             Caption{"DrivesLabel", ResourceStrings::SDrivesCap(), DriveList},
                             Caption{"DirsLabel", ResourceStrings::SDirsCap(), DirList},
                             Caption{"FilesLabel", ResourceStrings::SFilesCap(), FileList}}) {
        auto* label = Field<Label>(c.label);
        label->SetText(c.text);
        label->SetFocusControl(c.focus);
    }
    DriveList->OnChange = [this] { DriveListChange(); };
    DirList->SetItemHeight(kFolderItemHeight);
    DirList->SetIntegralHeight(true);
    DirList->OnChange = [this] { DirListChange(); };
    FileList->SetFileType(TFileType{ftNormal});
    FileList->SetMask("*.*");
    FileList->GetFont().SetColor(GetSysColor(COLOR_GRAYTEXT));
    FileList->SetItemHeight(kFileItemHeight);
    NetButton->SetText(ResourceStrings::SNetworkCap());
    NetButton->OnClick = [this] { NetClick(); };
    OKButton->SetText(ResourceStrings::SOKButton());
    OKButton->SetModalResult(mrOk);
    OKButton->SetDefault(true);
    OKButton->OnClick = [this] { OKClick(); };
    CancelButton->SetText(ResourceStrings::SCancelButton());
    CancelButton->SetModalResult(mrCancel);
    CancelButton->SetCancel(true);
    HelpButton->SetText(ResourceStrings::SHelpButton());
    HelpButton->OnClick = [this] { HelpButtonClick(); };
    CenterOnScreen();
    SetActiveControl(DirList);
}

void TSelectDirDlg::ScaleToScreen() {
    const int ppi = Screen::PixelsPerInch();
    if (ppi != 96) {
        ScaleBy(ppi, 96);
        FileList->UseParentFont();
        CenterOnScreen();  // by the scaled size
    }
    // Taking the dialog's font refits the lists' items to it and gives the
    // preview the dialog's colour: the layout's values go back on.
    FileList->GetFont().SetColor(GetSysColor(COLOR_GRAYTEXT));
    DirList->SetItemHeight(MulDiv(kFolderItemHeight, ppi, 96));
    FileList->SetItemHeight(MulDiv(kFileItemHeight, ppi, 96));
    FileList->Invalidate();
}

void TSelectDirDlg::UseHelpContext(int helpContext) {
    if (helpContext != 0) {
        SetHelpContext(helpContext);
        return;
    }
    HelpButton->SetVisible(false);
    OKButton->SetLeft(CancelButton->Left());
    CancelButton->SetLeft(HelpButton->Left());
}

void TSelectDirDlg::FormCreate() {
    auto& system = SystemFunctions::Current();
    using CapsFn = WORD(WINAPI*)(WORD);
    if (auto caps = reinterpret_cast<CapsFn>(system.GetProcAddress(system.GetModuleHandleA("user32.dll"), "WNETGETCAPS"))) {
        if (WORD module = caps(0xFFFF)) {
            connectDialogProc_ = reinterpret_cast<ConnectDialogFn>(
                system.GetProcAddress(reinterpret_cast<HMODULE>(static_cast<UINT_PTR>(module)), "WNETCONNECTDIALOG"));
            NetButton->SetVisible(connectDialogProc_ != nullptr);
        }
    }
    typeNameMode_ = false;
    DirLabel->SetBounds(DirEdit->Left(), DirEdit->Top(), DirEdit->Width(), DirEdit->Height());
    DirListChange();
}

void TSelectDirDlg::DirListChange() {
    DirLabel->SetText(DirList->CurrentDir());
    FileList->GoToPath(DirList->CurrentDir());
    DirEdit->SetText(DirLabel->Text());
    if (DirEdit->Handle()) SendMessageA(DirEdit->Handle(), EM_SETSEL, 0, -1);
}

void TSelectDirDlg::DriveListChange() { DirList->SetDriveLetter(DriveList->DriveLetter()); }

void TSelectDirDlg::SetTypeNameMode(bool value) {
    if (value == typeNameMode_) return;
    typeNameMode_ = value;
    DirLabel->SetVisible(!value);
    DirEdit->SetVisible(value);
}

std::string TSelectDirDlg::ChosenDir() const { return typeNameMode_ ? DirEdit->Text() : DirLabel->Text(); }

void TSelectDirDlg::SetStartDir(const std::string& dir) {
    if (dir.empty()) return;
    std::string full = ExpandFileName(JoinPath(dir, "*.*"));
    if (full.size() < 3 || full[1] != ':') return;  // a network path, say: the list's own start stays
    bool driveEntered = false;
    try {
        DriveList->SetDriveLetter(full[0]);
        driveEntered = true;
        full = ExtractFilePath(full);
        DirList->ChangeCurrentDir(full.substr(0, full.size() - 1));  // "C:\" gives the bare drive "C:"
    } catch (const InOutError&) {
        // It cannot be entered (it does not exist yet, or its drive is absent
        // or not ready): where the process is now, or that drive's root.
        ShowProcessDirectory();
        // A folder on a drive that is not there is kept for when it is.
        if (!driveEntered) DirEdit->SetText(dir);
    }
}

void TSelectDirDlg::ShowProcessDirectory() {
    const std::string here = GetDir();
    const bool onDrive = here.size() >= 2 && here[1] == ':';
    DriveList->SetDriveLetter(onDrive ? here[0] : '\0');
    try {
        DirList->ChangeCurrentDir(here);
    } catch (const InOutError&) {
        DirList->ChangeCurrentDir(ExtractFileDrive(here) + "\\");
    }
}

void TSelectDirDlg::OKClick() {
    if (!typeNameMode_) return;
    std::string dir = ChosenDir();
    if (dir.find_first_not_of(' ') == std::string::npos) {  // nothing to create or return: say so and stay
        ShowMessage(ResourceStrings::SNoDirectoryName());
        SetModalResult(mrNone);
        return;
    }
    // A name without a drive or share counts from the directory shown, not
    // from wherever the process happens to be when it is used.
    if (ExtractFileDrive(dir).empty()) {
        const std::string shown = DirList->CurrentDir();
        dir = dir[0] == '\\' ? ExtractFileDrive(shown) + dir : JoinPath(shown, dir);
    }
    dir = ExpandFileName(dir);
    if (confirmCreate_ && !PathAnswers(dir, kAnswerDeadlineMs)) {  // its test would hang the window
        ShowMessage(Format(ResourceStrings::SFolderNoAnswer(), {dir}));
        SetModalResult(mrNone);
        return;
    }
    if (confirmCreate_ && !DirectoryExists(dir) && !ConfirmYesNo(ResourceStrings::SConfirmCreateDir())) {
        SetModalResult(mrNone);  // the edit keeps what the user typed
        return;
    }
    DirEdit->SetText(dir);
}

void TSelectDirDlg::NetClick() {
    if (connectDialogProc_) connectDialogProc_(Handle(), 1);
}

void TSelectDirDlg::HelpButtonClick() { Application::ShowHelp(HelpContext()); }

}  // namespace wendrik
