#include "FormWendrik.h"

#include <cstdio>

#include "ModuleState.h"
#include "platform/Application.h"
#include "platform/MessageBoxes.h"
#include "platform/Files.h"
#include "platform/Screen.h"
#include "platform/ProgramStart.h"
#include "platform/SystemFunctions.h"
#include "template/HostSettings.h"
#include "platform/Text.h"

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
    SpeedButton6->OnClick = [this] { SpeedButton6Click(); };
    CheckBox1->OnClick = [this] { CheckBox1Click(); };
}

void TFormWendrik::FormCreate() {
    TfrmTippTemplate::FormCreate();
    if (PageEnabled == 0) return;
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
    bool english = LanguageCode == 1;
    CheckBox1->SetText(english ? "Start REGEDIT.EXE /e" : "REGEDIT.EXE /e starten");
    T288_Label_BackupDir->SetText(english ? "Backup Directory:" : "Backup Verzeichnis:");
}

void TFormWendrik::T288_EditChange() { CheckBox1->SetEnabled(!T288_Edit->Text().empty()); }

void TFormWendrik::SpeedButton6Click() {}

void TFormWendrik::CheckBox1Click() {
    if (PageShown == 0) return;
    HotSpeedButtonOK->SetEnabled(CheckBox1->Checked());
    SavedFlag = 0;
    ChangedFlag = 1;
}

void TFormWendrik::HotSpeedButtonOKClick() {
    if (exporting_ || Freeing()) return;  // one export at a time; a dying page exports nothing
    // Taken once: the user may edit the folder while the editor runs.
    const std::string dir = T288_Edit->Text();
    if (!RunExport(dir)) return;
    ShowMessage(Say("Registry exported to " + dir + "\\" + ExportFileName() + " !",
                    "Registry wurde komplett nach " + dir + "\\" + ExportFileName() + " exportiert !"));
    TfrmTippTemplate::HotSpeedButtonOKClick();
}

bool TFormWendrik::RunExport(const std::string& dir) {
    const std::string name = ExportFileName();
    if (name.empty()) {
        ShowMessage(Say("This tip is not available on this Windows version. Nothing was exported.",
                        "Dieser Tipp ist unter dieser Windows-Version nicht verfügbar. Es wurde nichts exportiert."));
        return false;
    }
    if (dir.empty() || !DirectoryExists(dir)) {
        ShowMessage(Say(("The backup directory \"" + dir + "\" does not exist. Nothing was exported."),
                        ("Das Backup Verzeichnis \"" + dir + "\" existiert nicht. Es wurde nichts exportiert.")));
        return false;
    }
    const std::string target = dir + (AnsiLastChar(dir) == "\\" ? "" : "\\") + name;

    // The unpadded name repeats (23 January and 3 December share one): never
    // overwrite another day's backup unasked.
    SYSTEMTIME written;
    if (FileExists(target) && FileDate(target, written) && !SameDate(written, createdOn_)) {
        bool overwrite = ConfirmYesNo(
            Say(("The file " + target + " already exists, written on " + DateText(written) +
                 ". Overwrite it with today's export?"),
                ("Die Datei " + target + " existiert bereits, geschrieben am " + DateText(written) +
                 ". Soll sie mit dem heutigen Export überschrieben werden?")));
        if (!overwrite || Freeing()) return false;
    }
    FILETIME before = {};
    bool existedBefore = LastWriteTime(target, before);

    // By full path: a program named regedit.exe in the backup directory must never run.
    HANDLE process = nullptr;
    if (!StartProgram({.window = Handle(), .file = RegistryEditorPath(), .parameters = "/E " + name,
                       .directory = dir},
                      &process)) {
        std::string reason = SystemMessage(GetLastError());
        ShowMessage(Say(("The registry editor could not be started (" + reason + "). Nothing was exported."),
                        ("Der Registrierungs-Editor konnte nicht gestartet werden (" + reason + "). Es wurde nichts exportiert.")));
        return false;
    }
    if (process) {
        exporting_ = true;
        bool okEnabled = HotSpeedButtonOK->Enabled();
        HotSpeedButtonOK->SetEnabled(false);
        Screen::SetCursor(CursorHourGlass);
        Application::WaitPumping(process);
        Screen::SetCursor(CursorDefault);
        HotSpeedButtonOK->SetEnabled(okEnabled);
        CloseHandle(process);
        exporting_ = false;
    }
    if (Freeing()) return false;  // the host released the page meanwhile

    FILETIME after = {};
    bool written_now = LastWriteTime(target, after) &&
                       (!existedBefore || CompareFileTime(&after, &before) != 0);
    if (!written_now) {
        ShowMessage(Say(("The registry editor did not write " + target + ". The export failed."),
                        ("Der Registrierungs-Editor hat " + target + " nicht geschrieben. Der Export ist fehlgeschlagen.")));
        return false;
    }
    return true;
}

}  // namespace wendrik
