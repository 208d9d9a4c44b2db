#include "FormWendrik.h"

#include <cstdio>

#include "ModuleState.h"
#include "PageHelp.h"
#include "PageTexts.h"
#include "StrayExports.h"
#include "filectrl/DriveQueries.h"
#include "filectrl/PathHelpers.h"
#include "filectrl/PickDirectory.h"
#include "filectrl/ResourceStrings.h"
#include "platform/drawing/Screen.h"
#include "platform/system/Files.h"
#include "platform/system/NativeFileView.h"
#include "platform/system/PumpingWait.h"
#include "platform/system/ScopeGuard.h"
#include "platform/system/SystemFunctions.h"
#include "platform/system/Text.h"
#include "platform/window/MessageBoxes.h"
#include "template/HostSettings.h"

namespace wendrik {

using namespace platform;

namespace {

const char kDefaultBackupDir[] = "C:\\VELDRAKE";
// Made at the first page, not at load: no user32 call may run inside the loader's lock.
const FontSpec& LabelFont() {
    static const FontSpec font{"Tahoma", -11, false, GetSysColor(COLOR_WINDOWTEXT), ANSI_CHARSET};
    return font;
}
constexpr COLORREF kEditColor = RGB(237, 242, 252);
constexpr UINT_PTR kWatchTimer = 0x2A81;  // the edit settled on a folder
constexpr UINT kWatchAfterMs = 400;

const std::vector<ControlRow>& PageLayout() {
    static const std::vector<ControlRow> rows = {
        {.make = MakeControl<Label>, .name = "T288_Label_BackupDir", .left = 20, .top = 154, .width = 94, .height = 13,
         .caption = "Backup Verzeichnis:", .font = &LabelFont()},
        {.make = MakeControl<Edit>, .name = "T288_Edit", .left = 22, .top = 179, .width = 225, .height = 19,
         .tabOrder = 2, .color = kEditColor},
        {.make = MakeControl<SpeedButton>, .name = "SpeedButton6", .left = 250, .top = 177, .width = 23, .height = 22},
        {.make = MakeControl<CheckBox>, .name = "CheckBox1", .left = 24, .top = 216, .width = 246, .height = 17,
         .tabOrder = 3, .caption = "REGEDIT.EXE /e starten"},
        // The free space under the check box: how the export goes, or the last backup.
        {.make = MakeControl<Label>, .name = "T288_Label_Status", .left = 22, .top = 246, .width = 253, .height = 26,
         .font = &LabelFont()},
        {.make = MakeControl<ProgressBar>, .name = "T288_Progress", .left = 22, .top = 276, .width = 253, .height = 12,
         .visible = false},
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

// `typed` made absolute against the process's current directory, without
// the closing backslash that a drive's current folder ("C:") may bring.
std::string AbsoluteFolder(const std::string& typed) {
    if (typed.empty()) return typed;
    std::string dir = ExpandFileName(typed);
    if (AnsiLastChar(dir) == "\\" && dir != ExtractFileDrive(dir) + "\\") dir.pop_back();
    return dir;
}

}  // namespace

TFormWendrik::TFormWendrik() {
    SetText("Registry komplett exportieren");
    Build(PageLayout());
    T288_Label_BackupDir = Field<Label>("T288_Label_BackupDir");
    T288_Edit = Field<Edit>("T288_Edit");
    SpeedButton6 = Field<SpeedButton>("SpeedButton6");
    CheckBox1 = Field<CheckBox>("CheckBox1");
    T288_Label_Status = Field<Label>("T288_Label_Status");
    T288_Progress = Field<ProgressBar>("T288_Progress");

    T288_Label_BackupDir->SetTransparent(true);
    T288_Label_Status->SetTransparent(true);
    T288_Label_Status->SetAutoSize(false);
    T288_Label_Status->SetWordWrap(true);
    T288_Label_Status->SetShowAccelChar(false);
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

TFormWendrik::~TFormWendrik() = default;

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
    status_ = std::make_unique<ExportStatusLine>(*T288_Label_Status, *T288_Progress, Handle());
    WatchFolder();
}

void TFormWendrik::BeforeFree() {
    if (ModulePage == this) ModulePage = nullptr;
}

void TFormWendrik::Sprache(int languageCode) {
    TfrmTippTemplate::Sprache(languageCode);
    CheckBox1->SetText(Language::Say({"Start REGEDIT.EXE /e", "REGEDIT.EXE /e starten"}));
    T288_Label_BackupDir->SetText(Language::Say({"Backup Directory:", "Backup Verzeichnis:"}));
    if (status_) status_->LanguageChanged();
}

LRESULT TFormWendrik::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const bool timer = message == WM_TIMER && (wParam == kWatchTimer || wParam == ExportStatusLine::kTimer);
    if (!timer && message != BackupFolderWatch::kChanged) return TfrmTippTemplate::WndProc(message, wParam, lParam);
    if (timer && wParam == kWatchTimer) KillTimer(Handle(), kWatchTimer);
    if (Freeing() || !status_) return 0;  // a page going away shows nothing more
    if (!timer) status_->FolderChanged();
    else if (wParam == kWatchTimer) WatchFolder();
    else status_->Tick();
    return 0;
}

void TFormWendrik::WatchFolder() {
    if (status_) status_->Watch(AbsoluteFolder(T288_Edit->Text()));
}

void TFormWendrik::T288_EditChange() {
    bool wanted = !T288_Edit->Text().empty();
    // While an export runs the check box stays disabled; it takes this state afterwards.
    if (exporting_) checkBoxAfterExport_ = wanted;
    else CheckBox1->SetEnabled(wanted);
    // Once the typing has paused: every keystroke would start a watch of its own.
    if (status_) SetTimer(Handle(), kWatchTimer, kWatchAfterMs, nullptr);
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
    const std::string typed = T288_Edit->Text();
    std::string dir;
    bool limitedRights = false;
    if (!RunExport(typed, dir, limitedRights)) return;
    // A page the host freed meanwhile still put the export in place; it says
    // nothing of success to a user who has moved on, and tells the host nothing.
    if (Freeing()) return;
    Report(page_texts::Exported(dir, ExportFileName(), limitedRights));
    if (Freeing()) return;  // the host released the page while the box was up
    TfrmTippTemplate::HotSpeedButtonOKClick();
}

void TFormWendrik::Report(const std::string& text) {
    if (Screen::Cursor() != CursorDefault) Screen::SetCursor(CursorDefault);
    if (Freeing()) ShowMessageOwnedBy(HostTopLevelWindow(), text);
    else ShowMessage(text);
}

bool TFormWendrik::RunExport(const std::string& typed, std::string& dir, bool& limitedRights) {
    const std::string name = ExportFileName();
    if (name.empty()) {
        Report(notAvailable_ ? page_texts::NotAvailable() : page_texts::SettingsUnreadable());
        return false;
    }
    // Once, here: checked, written and reported is the same folder, whatever
    // the process's current directory does meanwhile ("C:" or "Sicherung").
    dir = AbsoluteFolder(typed);
    if (dir.empty()) {
        Report(page_texts::FolderMissing(typed));
        return false;
    }
    BackupFile backup(dir, name);
    const std::string& target = backup.Target();
    // The ANSI file functions that write and check the file end at MAX_PATH,
    // and the editor's temporary file beside it has the longer name: refused
    // before anything is asked or started.
    if (target.size() + BackupFile::kExtraPath >= MAX_PATH) {
        Report(page_texts::PathTooLong(target, MAX_PATH - 1 - BackupFile::kExtraPath));
        return false;
    }
    // Every touch of the folder below is on this thread: a share that stopped
    // answering is refused first, within the drives' deadline.
    if (!PathAnswers(dir, kAnswerDeadlineMs)) {
        Report(page_texts::FolderNoAnswer(dir));
        return false;
    }
    if (!DirectoryExists(dir)) {
        Report(page_texts::FolderMissing(dir));
        return false;
    }
    DWORD volume = 0;
    const bool privateAccess = VolumeFlags(ExtractFileDrive(dir) + "\\", kAnswerDeadlineMs, volume) &&
                               (volume & FS_PERSISTENT_ACLS);
    // What an earlier export left behind (a host that quit while its editor
    // wrote) is settled first, so the question below sees the real backup.
    const ExportFileCheck::Wanted wanted{.nativeView = NativeFileView::Windows64(),
                                         .userSid = ExportFileCheck::CurrentUserSid()};
    if (!PumpingWait::RunPumping([&] { StrayExports::Settle(dir, {wanted.nativeView, ""}, privateAccess); }) ||
        Freeing())
        return false;

    // The unpadded name repeats (23 January and 3 December share one): never
    // overwrite another day's backup unasked.
    SYSTEMTIME written;
    if (FileExists(target) && FileDate(target, written) && !SameDate(written, createdOn_)) {
        bool overwrite = ConfirmYesNo(page_texts::Overwrite(target, DateText(written)));
        if (!overwrite || Freeing()) return false;
    }

    // By full path: a program named regedit.exe in the backup directory must
    // never run. On 64-bit Windows the system's own editor, not the 32-bit
    // copy that would export only the 32-bit view of the machine's keys; the
    // 64-bit module is native there and starts it as it is.
    const std::string editor = RegistryEditorPath();
    if (editor.empty()) {
        Report(page_texts::EditorNotStarted(page_texts::Say("the Windows folder is unknown",
                                                         "der Windows-Ordner ist unbekannt")));
        return false;
    }
    if (!backup.Reserve(privateAccess)) {
        const DWORD error = GetLastError();
        Report(page_texts::FolderNotWritable(dir, page_texts::SystemReason(error)));
        return false;
    }
    StartedProcess started;
    if (!StartEditor({.window = Handle(), .file = editor, .parameters = "/E \"" + backup.TempPath() + "\"",
                      .directory = dir, .native = true},
                     started)) {
        if (started.process) backup.Keep();  // the thread quits: a later page settles what the editor writes
        return false;
    }
    if (!started.process) {
        // The user said no to the system's elevation prompt: nothing ran, nothing was written.
        if (started.error == ERROR_CANCELLED) Report(page_texts::Cancelled());
        else if (started.error) Report(page_texts::EditorNotStarted(page_texts::SystemReason(started.error)));
        else Report(page_texts::Incomplete(target, page_texts::EditorNotAwaited(), FileExists(target)));
        return false;
    }
    const bool elevated = started.elevated;
    RunningExport run(backup, std::move(started.process), wanted);
    if (status_) status_->Started(run, dir);
    const RunningExport::Result result = run.Run();
    if (status_) status_->Ended();
    if (result.kind != RunningExport::Result::Kind::Whole) {
        // A thread that quits has nobody left to tell.
        if (result.kind != RunningExport::Result::Kind::Abandoned)
            Report(page_texts::Outcome(result, target, backup.TempPath(), FileExists(target)));
        return false;
    }
    limitedRights = !elevated && !RunsAsAdministrator();
    return true;
}

bool TFormWendrik::StartEditor(const ProgramStart& start, StartedProcess& started) {
    // On a short-lived thread of its own: redirection off is a state of the
    // whole thread, and the shell's elevated start loads extensions and waits
    // for the user. This thread goes on painting meanwhile.
    const DWORD windowThread = GetCurrentThreadId();
    // What the start's thread may need is loaded here first: a library's
    // start there would run where a structured exception ends the thread.
    SystemFunctions::Preload("shell32.dll");
    SystemFunctions::Preload("ole32.dll");
    DWORD exception = 0;
    bool pumped = PumpingWait::RunPumping(
        [&] {
            if (GetCurrentThreadId() == windowThread) started.error = ERROR_NOT_ENOUGH_MEMORY;  // no thread to spare
            else StartProcess(start, started);
        },
        &exception);
    if (!pumped) return false;  // the thread is quitting
    if (exception) {
        char text[48];
        std::snprintf(text, sizeof(text), "exception 0x%08lX", static_cast<unsigned long>(exception));
        Report(page_texts::EditorNotStarted(text));
        return false;
    }
    return true;
}

}  // namespace wendrik
