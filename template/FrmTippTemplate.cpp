#include "FrmTippTemplate.h"

#include "HelpTextLibrary.h"
#include "Restart.h"
#include "module/ModuleState.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/RangeError.h"
#include "platform/Screen.h"
#include "platform/SystemFunctions.h"

namespace wendrik {

using namespace platform;

namespace {

constexpr COLORREF kFrameColor = RGB(140, 170, 230);
constexpr COLORREF kMemoColor = RGB(237, 242, 252);
const FontSpec kTitleFont{"Tahoma", -12, true, RGB(1, 72, 178), ANSI_CHARSET};
constexpr unsigned kLeftTopRight = AnchorLeft | AnchorTop | AnchorRight;
constexpr unsigned kLeftBottom = AnchorLeft | AnchorBottom;
constexpr unsigned kRightBottom = AnchorRight | AnchorBottom;
constexpr COLORREF kParent = CLR_INVALID;

const std::vector<ControlRow>& Layout() {
    static const std::vector<ControlRow> rows = {
        {MakeControl<Panel>, "PanelRightBorder", 287, 5, 5, 416, 0, nullptr, kFrameColor, nullptr, AnchorLeft | AnchorTop, Align::Right},
        {MakeControl<Panel>, "PanelLeftBorder", 0, 5, 5, 416, 1, nullptr, kFrameColor, nullptr, AnchorLeft | AnchorTop, Align::Left},
        {MakeControl<Panel>, "PanelTopBorder", 0, 0, 292, 5, 2, nullptr, kFrameColor, nullptr, AnchorLeft | AnchorTop, Align::Top},
        {MakeControl<Panel>, "PanelBottomBorder", 0, 421, 292, 5, 3, nullptr, kFrameColor, nullptr, AnchorLeft | AnchorTop, Align::Bottom},
        {MakeControl<Memo>, "MemoHelpD", 16, 32, 259, 105, 4, nullptr, kMemoColor, nullptr, kLeftTopRight},
        // The title's box reaches 9 pixels into the memos: they lie above it.
        {MakeControl<StaticText>, "StaticTextTitle", 16, 8, 257, 33, 5, nullptr, kParent, &kTitleFont, kLeftTopRight, Align::None, true, true},
        {MakeControl<Memo>, "MemoHelpUS", 16, 32, 259, 105, 6, nullptr, kMemoColor, nullptr, kLeftTopRight, Align::None, false},
        {MakeControl<THotSpeedButton>, "HotSpeedButtonOK", 16, 381, 36, 36, -1, nullptr, kParent, nullptr, kLeftBottom},
        {MakeControl<THotSpeedButton>, "HotSpeedButtonUndo", 56, 381, 36, 36, -1, nullptr, kParent, nullptr, kLeftBottom},
        {MakeControl<THotSpeedButton>, "HotSpeedButtonInfo", 200, 381, 36, 36, -1, nullptr, kParent, nullptr, kRightBottom},
        {MakeControl<THotSpeedButton>, "HotSpeedButtonRegistry", 240, 381, 36, 36, -1, nullptr, kParent, nullptr, kRightBottom},
    };
    return rows;
}

struct ButtonImages {
    const char* name;
    int imageIndex, hotImageIndex;
};
const char kRegeditKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit";

// Names of bits 0 to 12 of the valid-version mask; bit n is version code n + 1.
const char* const kVersionNames[] = {
    "Windows 98 Standard Edition",         "Windows 98 Standard Edition A",
    "Windows 98 Second Edition",           "Windows 95",
    "Windows 95 A",                        "Windows 95 B",
    "Windows 95 B OEM Service Release 2",  "Windows 95 B OEM Service Release 2.1",
    "Windows 95 C OEM Service Release 2.5 C", "Windows NT",
    "Windows 2000",                        "Windows 98 ME",
    "Windows XP",
};

const char kRestartQuestion[] =
    "Um diese Änderung zu aktivieren, ist ein Neustart des Systems erforderlich. Soll der "
    "Neustart jetzt durchgeführt werden ?";
const char kRestartFailed[] =
    "Das System läßt sich zur Zeit nicht neu starten. Bitte führen Sie später manuell einen "
    "Neustart durch";

const ButtonImages kButtons[] = {{"HotSpeedButtonOK", 0, 1},
                                 {"HotSpeedButtonUndo", 2, 3},
                                 {"HotSpeedButtonInfo", 4, 5},
                                 {"HotSpeedButtonRegistry", 6, 7}};

}  // namespace

TfrmTippTemplate::TfrmTippTemplate() : Form(nullptr) {
    SetText("frmTippTemplate");
    SetColor(RGB(255, 255, 255));
    SetFont(FontSpec{});
    SetClientSize(292, 426);
    SetIcon("PAGEICON");

    PopupMenu1 = Make<PopupMenu>();
    PopupMenu1->SetName("PopupMenu1");
    Fensterwechseln1 = PopupMenu1->AddItem("Fensterwechseln1");
    Fensterwechseln1->SetCaption("Fenster wechseln");
    Fensterwechseln1->SetShortCut(VK_F12);
    Fensterwechseln1->OnClick = [this] { Fensterwechseln1Click(); };

    ImageList1 = Make<ImageList>(32, 32);
    ImageList1->SetName("ImageList1");
    Bitmap strip;
    if (strip.LoadFromResourceName(Application::Instance(), "BUTTONIMAGES"))
        ImageList1->AddMasked(strip, ImageList::KeyColor);
    PopupMenu1->SetImages(ImageList1);
    SetPopupMenu(PopupMenu1);

    Build(Layout());
    PanelRightBorder = Find<Panel>("PanelRightBorder");
    PanelLeftBorder = Find<Panel>("PanelLeftBorder");
    PanelTopBorder = Find<Panel>("PanelTopBorder");
    PanelBottomBorder = Find<Panel>("PanelBottomBorder");
    MemoHelpD = Find<Memo>("MemoHelpD");
    StaticTextTitle = Find<StaticText>("StaticTextTitle");
    MemoHelpUS = Find<Memo>("MemoHelpUS");
    HotSpeedButtonOK = Find<THotSpeedButton>("HotSpeedButtonOK");
    HotSpeedButtonUndo = Find<THotSpeedButton>("HotSpeedButtonUndo");
    HotSpeedButtonInfo = Find<THotSpeedButton>("HotSpeedButtonInfo");
    HotSpeedButtonRegistry = Find<THotSpeedButton>("HotSpeedButtonRegistry");

    for (const ButtonImages& b : kButtons) {
        auto* button = Find<THotSpeedButton>(b.name);
        button->SetImageList(ImageList1);
        button->SetImageIndex(b.imageIndex);
        button->SetHotImageIndex(b.hotImageIndex);
        button->SetCursor(CursorHandPoint);
        button->SetShowHint(true);
    }
    HotSpeedButtonOK->OnClick = [this] { HotSpeedButtonOKClick(); };
    HotSpeedButtonUndo->OnClick = [this] { HotSpeedButtonUndoClick(); };
    HotSpeedButtonInfo->OnClick = [this] { HotSpeedButtonInfoClick(); };
    HotSpeedButtonRegistry->OnClick = [this] { HotSpeedButtonRegistryClick(); };
}

void TfrmTippTemplate::FormCreate() {
    RegistryAccess = std::make_unique<Registry>(HKEY_CURRENT_USER);
    RegistryAccess->OpenKey(HostKey, true);
    OsCheckEnabled = true;
    if (RegistryAccess->ValueExists("BSControl"))
        OsCheckEnabled = RegistryAccess->ReadBool("BSControl");
    RegistryAccess->CloseKey();

    if (Screen::PixelsPerInch() != 96) {
        ShowMessage("Big");
        ScaleBy(96, Screen::PixelsPerInch());
        Invalidate();
    }

    OsBit = OsCode >= 1 && OsCode <= 18 ? 1 << (OsCode - 1) : 0;
    if ((ValidOsMask & OsBit) > 0) {
        PageEnabled = 1;
    } else if (OsCheckEnabled) {
        DisableControls();
        PageEnabled = 0;
    } else {
        PageEnabled = 1;
    }
    StaticTextTitle->SetText(Text());
}

void TfrmTippTemplate::DisableControls() {
    for (Component* component : Components())
        if (auto* control = dynamic_cast<Control*>(component)) control->SetEnabled(false);
    for (Control* info : std::initializer_list<Control*>{StaticTextTitle, MemoHelpD, MemoHelpUS,
                                                          HotSpeedButtonInfo, HotSpeedButtonRegistry})
        info->SetEnabled(true);
}

void TfrmTippTemplate::FormShow() {
    PageShown = 1;
    StaticTextTitle->SetText(Text());
    HelpTextLibrary help;  // loaded once for both texts
    MemoHelpD->SetLines(help.Text(HelpId, HelpTextLibrary::German));
    MemoHelpUS->SetLines(help.Text(HelpId, HelpTextLibrary::English));
}

void TfrmTippTemplate::Sprache(int languageCode) {
    LanguageCode = languageCode;
    bool english = LanguageCode == 1;
    HotSpeedButtonUndo->SetHint(english ? "Restore defaults" : "Setzt alles wieder auf die Standartwerte");
    HotSpeedButtonOK->SetHint(english ? "Changes will be saved immediately" : "Änderungen werden gespeichert");
    HotSpeedButtonRegistry->SetHint(english ? "Registry Lookup" : "Wert in der Registry nachschlagen");
    HotSpeedButtonInfo->SetHint(english ? "Valid to ..." : "Gültig für ... ");
    Fensterwechseln1->SetCaption(english ? "Change Window" : "Fenster wechseln");
    MemoHelpD->SetVisible(!english);
    MemoHelpUS->SetVisible(english);
}

void TfrmTippTemplate::HotSpeedButtonOKClick() {
    SavedFlag = 1;
    SendMessageA(HWND_BROADCAST, HostMessage, 9999, DefaultsRequested ? 1 : 2);
}

void TfrmTippTemplate::HotSpeedButtonUndoClick() { DefaultsRequested = 1; }

LRESULT TfrmTippTemplate::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = Form::WndProc(message, wParam, lParam);
    if (HostMessage == 0 || message != HostMessage) return result;
    // Both are taken as non-negative 32-bit numbers, before the command is looked at.
    auto command = static_cast<std::int32_t>(wParam);
    if (command < 0) throw RangeError();
    auto argument = static_cast<std::int32_t>(lParam);
    if (argument < 0) throw RangeError();
    HostCommand(command, argument);
    return result;
}

void TfrmTippTemplate::HostCommand(std::int32_t command, std::int32_t argument) {
    switch (command) {
    case 0:
        try {
            Close();
        } catch (...) {
            ShowMessage("e");
        }
        // Destruction waits until this handler has returned; nothing of the page is used after.
        Free();
        break;
    case 10: SetLeft(argument == 0 ? 1 : argument); break;
    case 11: SetTop(argument == 0 ? 1 : argument); break;
    case 12: SetWidth(argument); break;
    case 13: SetHeight(argument); break;
    case 200:
        Show();
        SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        break;
    default: break;  // 100 and every other code: nothing
    }
}

std::string TfrmTippTemplate::ValidityText(std::int32_t validOsMask, std::int32_t languageCode) {
    std::string text = languageCode == 1 ? "Valid for:\r\n\r\n" : "Gültig für:\r\n\r\n";
    for (int bit = 0; bit <= 12; ++bit)
        if (validOsMask & (1 << bit)) text += std::string(kVersionNames[bit]) + "\r\n";
    return text;
}

void TfrmTippTemplate::HotSpeedButtonInfoClick() { ShowMessage(ValidityText(ValidOsMask, LanguageCode)); }

std::string TfrmTippTemplate::RegistryEditorPath() {
    char windows[MAX_PATH] = {};
    UINT n = SystemFunctions::Current().GetWindowsDirectoryA(windows, MAX_PATH);
    return std::string(windows, n < MAX_PATH ? n : 0) + "\\regedit.exe";
}

void TfrmTippTemplate::HotSpeedButtonRegistryClick() {
    {
        Registry registry(HKEY_CURRENT_USER);
        registry.OpenKey(kRegeditKey, true);
        // An unopened key makes the write raise: the editor is then not started.
        registry.WriteString("LastKey", HelpTextLibrary().Text(HelpId, HelpTextLibrary::RegistryKey));
        registry.CloseKey();
    }
    std::string editor = RegistryEditorPath();
    SHELLEXECUTEINFOA info = {sizeof(info)};
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.hwnd = Handle();
    info.lpFile = editor.c_str();
    info.lpParameters = "";
    info.lpDirectory = "";
    info.nShow = SW_SHOW;
    SystemFunctions::Current().ShellExecuteExA(&info);  // a failed start goes unreported
}

void TfrmTippTemplate::NeuStart() {
    if (!ConfirmYesNo(kRestartQuestion)) return;
    bool accepted = Tag() == 10 || Tag() == 11
                        ? ExitWindowsPrivileged(EWX_REBOOT)
                        : SystemFunctions::Current().ExitWindowsEx(EWX_REBOOT, 0) != FALSE;
    if (accepted) Close();
    else ShowMessage(kRestartFailed);
}

void TfrmTippTemplate::Fensterwechseln1Click() {
    SendMessageA(HWND_BROADCAST, HostMessage, 200, 0);
}

}  // namespace wendrik
