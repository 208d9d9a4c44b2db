#include "FrmTippTemplate.h"

#include "HelpTextLibrary.h"
#include "HostProtocol.h"
#include "HostSettings.h"
#include "Restart.h"
#include "TemplateLayout.h"
#include "TemplateTexts.h"
#include "template/TemplateState.h"
#include "platform/system/Application.h"
#include "platform/system/ImageHold.h"
#include "platform/window/MessageBoxes.h"
#include "platform/system/ProgramStart.h"
#include "platform/system/RangeError.h"
#include "platform/drawing/Screen.h"
#include "platform/system/ScopeGuard.h"
#include "platform/system/SystemFunctions.h"

namespace wendrik {

using namespace platform;

namespace {
const char kRegeditKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit";
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
    Fensterwechseln1->SetCaption(texts::SwitchWindow.german);
    Fensterwechseln1->SetShortCut(VK_F12);
    Fensterwechseln1->OnClick = [this] { Fensterwechseln1Click(); };

    ImageList1 = Make<ImageList>(32, 32);
    ImageList1->SetName("ImageList1");
    Bitmap strip;
    if (strip.LoadFromResourceName(Application::Instance(), "BUTTONIMAGES"))
        ImageList1->AddMasked(strip, ImageList::KeyColor);
    SetPopupMenu(PopupMenu1);

    Build(TemplateLayout());
    PanelRightBorder = Field<Panel>("PanelRightBorder");
    PanelLeftBorder = Field<Panel>("PanelLeftBorder");
    PanelTopBorder = Field<Panel>("PanelTopBorder");
    PanelBottomBorder = Field<Panel>("PanelBottomBorder");
    MemoHelpD = Field<Memo>("MemoHelpD");
    StaticTextTitle = Field<StaticText>("StaticTextTitle");
    MemoHelpUS = Field<Memo>("MemoHelpUS");
    HotSpeedButtonOK = Field<THotSpeedButton>("HotSpeedButtonOK");
    HotSpeedButtonUndo = Field<THotSpeedButton>("HotSpeedButtonUndo");
    HotSpeedButtonInfo = Field<THotSpeedButton>("HotSpeedButtonInfo");
    HotSpeedButtonRegistry = Field<THotSpeedButton>("HotSpeedButtonRegistry");

    for (const ButtonImages& b : TemplateButtonImages) {
        auto* button = Field<THotSpeedButton>(b.name);
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
    {
        // A value that cannot be read ends creation here, but the page must
        // still come back to the pixels the host lays out.
        ScopeExit correctAnyway([this] {
            if (Screen::PixelsPerInch() != 96) ScaleBy(96, Screen::PixelsPerInch());
        });
        Registry& settings = OpenHostSettings(true);
        OsCheckEnabled = true;
        if (settings.ValueExists("BSControl")) OsCheckEnabled = settings.ReadBool("BSControl");
        settings.CloseKey();
        correctAnyway.Dismiss();
    }

    if (Screen::PixelsPerInch() != 96) {
        // The host lays pages out in pixels: at another resolution the page
        // tells so and shrinks back to the pixels it was designed with.
        ShowMessage("Big");
        ScaleBy(96, Screen::PixelsPerInch());
        Invalidate();
    }

    OsBit = OsCode >= 1 && OsCode <= HighestOsCode ? 1 << (OsCode - 1) : 0;
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
    MemoHelpD->SetLines(help.Text(HelpId, HelpTextGerman));
    MemoHelpUS->SetLines(help.Text(HelpId, HelpTextEnglish));
}

void TfrmTippTemplate::Sprache(int languageCode) {
    LanguageCode = languageCode;
    HotSpeedButtonUndo->SetHint(Language::Say(texts::UndoHint));
    HotSpeedButtonOK->SetHint(Language::Say(texts::OkHint));
    HotSpeedButtonRegistry->SetHint(Language::Say(texts::RegistryHint));
    HotSpeedButtonInfo->SetHint(Language::Say(texts::InfoHint));
    Fensterwechseln1->SetCaption(Language::Say(texts::SwitchWindow));
    MemoHelpD->SetVisible(!Language::IsEnglish());
    MemoHelpUS->SetVisible(Language::IsEnglish());
}

namespace {
constexpr UINT kBroadcastWaitMs = 2000;  // per window: the host answers at once
}

void TfrmTippTemplate::Broadcast(std::int32_t command, std::int32_t argument) {
    ImageHold::HoldImage();  // every top-level window's procedure runs inside this call
    // Each window that answers gets it, in turn; one that hangs (anywhere in
    // the session) is passed over instead of holding the page for ever.
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(HWND_BROADCAST, HostMessage, static_cast<WPARAM>(command), static_cast<LPARAM>(argument),
                        SMTO_NORMAL | SMTO_ABORTIFHUNG, kBroadcastWaitMs, &answer);
}

void TfrmTippTemplate::HotSpeedButtonOKClick() {
    SavedFlag = 1;
    Broadcast(CommandApplied, DefaultsRequested ? AppliedAfterDefaults : AppliedWithoutDefaults);
}

void TfrmTippTemplate::HotSpeedButtonUndoClick() { DefaultsRequested = 1; }

LRESULT TfrmTippTemplate::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = Form::WndProc(message, wParam, lParam);
    // A page that is going away obeys nothing, not even to refuse.
    if (HostMessage == 0 || message != HostMessage || Freeing()) return result;
    // Both are taken as non-negative 32-bit numbers, before the command is
    // looked at; a 64-bit value is never cut down to one of them.
    if (wParam > static_cast<WPARAM>(INT32_MAX)) throw RangeError();
    if (lParam < 0 || lParam > static_cast<LPARAM>(INT32_MAX)) throw RangeError();
    HostCommand(static_cast<std::int32_t>(wParam), static_cast<std::int32_t>(lParam));
    return result;
}

void TfrmTippTemplate::HostCommand(std::int32_t command, std::int32_t argument) {
    switch (command) {
    case CommandClose:
        try {
            Close();
        } catch (...) {
            ShowMessage("e");
        }
        // Destruction waits until this handler has returned; nothing of the page is used after.
        Free();
        break;
    // The host's 0 means "not given": a page is never put at 0.
    case CommandLeft: SetLeft(argument == 0 ? 1 : argument); break;
    case CommandTop: SetTop(argument == 0 ? 1 : argument); break;
    case CommandWidth: SetWidth(argument); break;
    case CommandHeight: SetHeight(argument); break;
    case CommandShow:
        Show();
        SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        break;
    default: break;  // CommandNothing and every other code: nothing
    }
}

std::string TfrmTippTemplate::ValidityText(std::int32_t validOsMask, std::int32_t languageCode) {
    std::string text = Language::IsEnglish(languageCode) ? texts::ValidFor.english : texts::ValidFor.german;
    for (int bit = 0; bit <= 12; ++bit)
        if (validOsMask & (1 << bit)) text += std::string(texts::VersionNames[bit]) + "\r\n";
    return text;
}

void TfrmTippTemplate::HotSpeedButtonInfoClick() { ShowMessage(ValidityText(ValidOsMask, LanguageCode)); }

std::string TfrmTippTemplate::RegistryEditorPath() {
    std::string windows = SystemWindowsFolder();
    return windows.empty() ? "" : windows + "\\regedit.exe";
}

void TfrmTippTemplate::HotSpeedButtonRegistryClick() {
    {
        Registry registry(HKEY_CURRENT_USER);
        registry.OpenKey(kRegeditKey, true);
        // An unopened key makes the write raise: the editor is then not started.
        registry.WriteString("LastKey", HelpTextLibrary().Text(HelpId, HelpTextRegistryKey));
        registry.CloseKey();
    }
    std::string editor = RegistryEditorPath();
    if (editor.empty()) return;  // never a bare name: it would be searched for
    StartProgram({.window = Handle(), .file = editor});  // a failed start goes unreported
}

void TfrmTippTemplate::NeuStart() {
    if (!ConfirmYesNo(texts::RestartQuestion)) return;
    bool accepted = Tag() == OsCodeWindowsNT || Tag() == OsCodeWindows2000
                        ? ExitWindowsPrivileged(EWX_REBOOT)
                        : SystemFunctions::Current().ExitWindowsEx(EWX_REBOOT, 0) != FALSE;
    if (accepted) Close();
    else ShowMessage(texts::RestartFailed);
}

void TfrmTippTemplate::Fensterwechseln1Click() { Broadcast(CommandShow, 0); }

}  // namespace wendrik
