#include "FormWendrik.h"

#include <cstdio>

#include "ModuleState.h"
#include "BackupFile.h"
#include "PageHelp.h"
#include "PageTexts.h"
#include "filectrl/PathHelpers.h"
#include "filectrl/PickDirectory.h"
#include "filectrl/ResourceStrings.h"
#include "platform/system/PumpingWait.h"
#include "platform/window/MessageBoxes.h"
#include "platform/system/Files.h"
#include "platform/system/UniqueHandle.h"
#include "platform/system/NativeFileView.h"
#include "platform/drawing/Screen.h"
#include "platform/system/ProgramStart.h"
#include "platform/system/SystemFunctions.h"
#include "template/HostSettings.h"
#include "platform/system/ScopeGuard.h"
#include "platform/system/Text.h"

namespace wendrik {

using namespace platform;

namespace {

const char kDefaultBackupDir[] = "C:\\VELDRAKE";
const FontSpec kLabelFont{"Tahoma", -11, false, GetSysColor(COLOR_WINDOWTEXT), ANSI_CHARSET};
constexpr COLORREF kEditColor = RGB(237, 242, 252);

const std::vector<ControlRow>& PageLayout() {
    static const std::vector<ControlRow> rows = {
        {.make = MakeControl<Label>, .name = "T288_Label_BackupDir", .left = 20, .top = 154, .width = 94, .height = 13,
         .caption = "Backup Verzeichnis:", .font = &kLabelFont},
        {.make = MakeControl<Edit>, .name = "T288_Edit", .left = 22, .top = 179, .width = 225, .height = 19,
         .tabOrder = 2, .color = kEditColor},
        {.make = MakeControl<SpeedButton>, .name = "SpeedButton6", .left = 250, .top = 177, .width = 23, .height = 22},
        {.make = MakeControl<CheckBox>, .name = "CheckBox1", .left = 24, .top = 216, .width = 246, .height = 17,
         .tabOrder = 3, .caption = "REGEDIT.EXE /e starten"},
    };
    return rows;
}

// The file name's numbers are written as they are: 3, not 03.
std::string UnpaddedDecimal(int value) { return std::to_string(value); }

std::string DateText(const SYSTEMTIME& t) {
    char text[32];
    std::snprintf(text, sizeof(text), "%02u.%02u.%04u", t.wDay, t.wMonth, t.wYear);
    return text;
}

bool SameDate(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay;
}

std::string SystemMessage(DWORD code) {
    char* buffer = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = buffer ? buffer : "";
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' ||
                             text.back() == '.'))
        text.pop_back();
    return text.empty() ? "error " + std::to_string(code) : text;
}

}  // namespace

TFormWendrik::TFormWendrik() {
    SetText("Registry komplett exportieren");
    Build(PageLayout());
    T288_Label_BackupDir = Field<Label>("T288_Label_BackupDir");
    T288_Edit = Field<Edit>("T288_Edit");
    SpeedButton6 = Field<SpeedButton>("SpeedButton6");
    CheckBox1 = Field<CheckBox>("CheckBox1");

    T288_Label_BackupDir->SetTransparent(true);
    SpeedButton6->SetFlat(true);
    SpeedButton6->LoadGlyph("FOLDERTREE", 2);
    SpeedButton6->SetHint("Backup Verzeichnis auswählen");
    SpeedButton6->SetShowHint(true);
    PanelTopBorder->SetTabOrder(7);
    PanelBottomBorder->SetTabOrder(8);

    T288_Edit->OnChange = [this] { T288_EditChange(); };
    PageHelp::Install();
    SpeedButton6->OnClick = [this] { SpeedButton6Click(); };
    CheckBox1->OnClick = [this] { CheckBox1Click(); };
}

void TFormWendrik::FormCreate() {
    TfrmTippTemplate::FormCreate();
    if (PageEnabled == 0) {
        notAvailable_ = true;
        return;
    }
    SystemFunctions::Current().GetLocalTime(&createdOn_);
    std::string name = UnpaddedDecimal(createdOn_.wYear) + UnpaddedDecimal(createdOn_.wMonth) +
                       UnpaddedDecimal(createdOn_.wDay) + ".reg";
    Registry& settings = OpenHostSettings(false);
    if (settings.ValueExists("BackupPath"))
        T288_Edit->SetText(settings.ReadString("BackupPath"));
    else
        T288_Edit->SetText(kDefaultBackupDir);
    settings.CloseKey();
    CheckBox1->SetHint(name);
}

void TFormWendrik::BeforeFree() {
    if (ModulePage == this) ModulePage = nullptr;
}

void TFormWendrik::Sprache(int languageCode) {
    TfrmTippTemplate::Sprache(languageCode);
    ResourceStrings::UseEnglish(LanguageCode == 1);  // the dialog speaks the page's language
    CheckBox1->SetText(Say("Start REGEDIT.EXE /e", "REGEDIT.EXE /e starten"));
    T288_Label_BackupDir->SetText(Say("Backup Directory:", "Backup Verzeichnis:"));
}

void TFormWendrik::T288_EditChange() {
    bool wanted = !T288_Edit->Text().empty();
    // While an export runs the check box stays disabled; it takes this state afterwards.
    if (exporting_) checkBoxAfterExport_ = wanted;
    else CheckBox1->SetEnabled(wanted);
}

void TFormWendrik::SpeedButton6Click() {
    std::string dir = T288_Edit->Text();
    if (!PickDirectory(dir, dpTypeName | dpCreateOnOk | dpConfirmCreate, PageHelp::kBackupFolder, this)) return;
    if (Freeing()) return;  // the host released the page while the dialog was up
    T288_Edit->SetText(dir);
}

void TFormWendrik::CheckBox1Click() {
    if (PageShown == 0) return;
    if (exporting_) {
        // Disabled while the export runs; a click sent to it anyway is undone,
        // so that the flags keep telling the truth about the export.
        CheckBox1->SetState(!CheckBox1->Checked());
        return;
    }
    HotSpeedButtonOK->SetEnabled(CheckBox1->Checked());
    SavedFlag = 0;
    ChangedFlag = 1;
}

void TFormWendrik::HotSpeedButtonOKClick() {
    // One export at a time, from the first question to the last box; a dying page exports nothing.
    if (exporting_ || Freeing()) return;
    bool okEnabled = HotSpeedButtonOK->Enabled();
    checkBoxAfterExport_ = CheckBox1->Enabled();
    exporting_ = true;
    HotSpeedButtonOK->SetEnabled(false);
    CheckBox1->SetEnabled(false);
    // From the press to the last message: the shell's start-up and an
    // elevation prompt can take seconds before the editor even runs.
    Screen::SetCursor(CursorHourGlass);
    ScopeExit done([&] {
        if (Screen::Cursor() != CursorDefault) Screen::SetCursor(CursorDefault);
        exporting_ = false;
        if (Freeing()) return;
        HotSpeedButtonOK->SetEnabled(okEnabled);
        CheckBox1->SetEnabled(checkBoxAfterExport_);
    });
    // Taken once: the user may edit the folder while the editor runs.
    const std::string dir = T288_Edit->Text();
    bool limitedRights = false;
    if (!RunExport(dir, limitedRights)) return;
    Report(page_texts::Exported(LanguageCode == 1, dir, ExportFileName(), limitedRights));
    if (Freeing()) return;  // the host released the page while the box was up
    TfrmTippTemplate::HotSpeedButtonOKClick();
}

void TFormWendrik::Report(const std::string& text) {
    if (Screen::Cursor() != CursorDefault) Screen::SetCursor(CursorDefault);
    ShowMessage(text);
}

bool TFormWendrik::RunExport(const std::string& dir, bool& limitedRights) {
    const bool english = LanguageCode == 1;
    const std::string name = ExportFileName();
    if (name.empty()) {
        Report(notAvailable_ ? page_texts::NotAvailable(english) : page_texts::SettingsUnreadable(english));
        return false;
    }
    BackupFile backup(dir, name);
    const std::string& target = backup.Target();
    // The ANSI file functions that write and check the file end at MAX_PATH,
    // and the editor's temporary file beside it has the longer name: refused
    // before anything is asked or started.
    if (target.size() + BackupFile::kExtraPath >= MAX_PATH) {
        Report(page_texts::PathTooLong(english, target, MAX_PATH - 1 - BackupFile::kExtraPath));
        return false;
    }
    if (dir.empty() || !DirectoryExists(dir)) {
        Report(page_texts::FolderMissing(english, dir));
        return false;
    }

    // The unpadded name repeats (23 January and 3 December share one): never
    // overwrite another day's backup unasked.
    SYSTEMTIME written;
    if (FileExists(target) && FileDate(target, written) && !SameDate(written, createdOn_)) {
        bool overwrite = ConfirmYesNo(page_texts::Overwrite(english, target, DateText(written)));
        if (!overwrite || Freeing()) return false;
    }

    // By full path: a program named regedit.exe in the backup directory must
    // never run. On 64-bit Windows the system's own editor, not the 32-bit
    // copy that would export only the 32-bit view of the machine's keys; the
    // 64-bit module is native there and starts it as it is.
    const std::string editor = RegistryEditorPath();
    if (editor.empty()) {
        Report(page_texts::EditorNotStarted(english, Say("the Windows folder is unknown",
                                                         "der Windows-Ordner ist unbekannt")));
        return false;
    }
    if (!backup.Reserve()) {
        Report(page_texts::EditorNotStarted(english, SystemMessage(GetLastError())));
        return false;
    }
    StartedProcess started;
    if (!StartEditor({.window = Handle(), .file = editor, .parameters = "/E " + backup.TempName(),
                      .directory = dir, .native = true},
                     started))
        return false;
    if (!started.process) {
        // The user said no to the system's elevation prompt: nothing ran, nothing was written.
        if (started.error == ERROR_CANCELLED) Report(page_texts::Cancelled(english));
        else if (started.error) Report(page_texts::EditorNotStarted(english, SystemMessage(started.error)));
        else Report(page_texts::Incomplete(english, target, page_texts::EditorNotAwaited(english), FileExists(target)));
        return false;
    }
    std::string fault;
    if (!AwaitExport(started.process.Get(), backup, fault)) return false;
    if (!fault.empty()) {
        Report(page_texts::Incomplete(english, target, fault, FileExists(target)));
        return false;  // the incomplete file goes with `backup`
    }
    if (DWORD error = backup.Replace()) {
        Report(page_texts::NotReplaced(english, target, backup.TempPath(), SystemMessage(error)));
        return false;
    }
    limitedRights = !started.elevated && !RunsAsAdministrator();
    return true;
}

bool TFormWendrik::StartEditor(const ProgramStart& start, StartedProcess& started) {
    // On a short-lived thread of its own: redirection off is a state of the
    // whole thread, and the shell's elevated start loads extensions and waits
    // for the user. This thread goes on painting meanwhile.
    const DWORD windowThread = GetCurrentThreadId();
    DWORD exception = 0;
    bool pumped = PumpingWait::RunPumping(
        [&] {
            if (GetCurrentThreadId() == windowThread) started.error = ERROR_NOT_ENOUGH_MEMORY;  // no thread to spare
            else StartProcess(start, started);
        },
        &exception);
    if (!pumped || Freeing()) return false;  // the thread is quitting, or the host released the page
    if (exception) {
        char text[48];
        std::snprintf(text, sizeof(text), "exception 0x%08lX", static_cast<unsigned long>(exception));
        Report(page_texts::EditorNotStarted(LanguageCode == 1, text));
        return false;
    }
    return true;
}

bool TFormWendrik::AwaitExport(HANDLE process, const BackupFile& backup, std::string& fault) {
    const bool english = LanguageCode == 1;
    PumpingWait::WaitPumping(process);
    if (WaitForSingleObject(process, 0) != WAIT_OBJECT_0) return false;  // the thread is quitting
    if (Freeing()) return false;  // the host released the page
    DWORD code = 0;
    if (!SystemFunctions::Current().GetExitCodeProcess(process, &code)) code = GetLastError();
    if (code != 0) {
        fault = page_texts::EditorFailed(english, code);
        return true;
    }
    if (backup.Empty()) {
        fault = page_texts::Reason(english, ExportFault::NothingWritten);
        return true;
    }
    // Hundreds of megabytes on a real machine: read beside the window, which goes on painting.
    ExportFileCheck check({.nativeView = NativeFileView::Windows64(), .userSid = ExportFileCheck::CurrentUserSid()});
    ExportFault result = ExportFault::None;
    if (!PumpingWait::RunPumping([&] { result = check.Check(backup.TempPath()); })) return false;
    if (result != ExportFault::None) fault = page_texts::Reason(english, result);
    return !Freeing();
}

}  // namespace wendrik
