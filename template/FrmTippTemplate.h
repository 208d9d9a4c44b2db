#pragma once
#include <cstdint>
#include <string>

#include "HotSpeedButton.h"
#include "platform/window/Form.h"
#include "platform/controls/Memo.h"
#include "platform/window/MenuItem.h"
#include "platform/controls/Panel.h"
#include "platform/window/PopupMenu.h"
#include "platform/controls/StaticText.h"

namespace wendrik {

// The page every tip shares: coloured frame, title, German and English help
// texts, four image buttons and the window-switch menu. Decides at creation
// whether the tip is usable on the running Windows version.
class TfrmTippTemplate : public platform::Form {
public:
    TfrmTippTemplate();

    virtual void Sprache(int languageCode);
    // Apply: SavedFlag and the apply broadcast. A derived page does its own
    // work first and calls this last.
    virtual void HotSpeedButtonOKClick();
    void HotSpeedButtonUndoClick();
    void HotSpeedButtonInfoClick();
    void HotSpeedButtonRegistryClick();
    void Fensterwechseln1Click();
    // Asks to restart Windows now and asks Windows to, with the shutdown
    // privilege where the version (the page's Tag) needs it.
    void NeuStart();
    // The text of the Info box for a mask of valid versions and a language.
    static std::string ValidityText(std::int32_t validOsMask, std::int32_t languageCode);
    // The system's registry editor, by its full path in the system's Windows
    // folder, so that no program of that name elsewhere is ever started; ""
    // when that folder is unknown.
    static std::string RegistryEditorPath();

    int HelpId = 0;
    bool OsCheckEnabled = true;

    platform::PopupMenu* PopupMenu1;
    platform::MenuItem* Fensterwechseln1;
    platform::ImageList* ImageList1;
    platform::Panel* PanelRightBorder;
    platform::Panel* PanelLeftBorder;
    platform::Panel* PanelTopBorder;
    platform::Panel* PanelBottomBorder;
    platform::Memo* MemoHelpD;
    platform::StaticText* StaticTextTitle;
    platform::Memo* MemoHelpUS;
    THotSpeedButton* HotSpeedButtonOK;
    THotSpeedButton* HotSpeedButtonUndo;
    THotSpeedButton* HotSpeedButtonInfo;
    THotSpeedButton* HotSpeedButtonRegistry;

protected:
    // The host's commands arrive as the host message (command, argument).
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void FormCreate() override;
    void FormShow() override;
    void DisableControls();
    // Broadcasts the host message to every top-level window, ours included,
    // passing over one that does not answer.
    static void Broadcast(std::int32_t command, std::int32_t argument);

private:
    void HostCommand(std::int32_t command, std::int32_t argument);
};

}  // namespace wendrik
