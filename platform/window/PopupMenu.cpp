#include "PopupMenu.h"

#include <algorithm>

#include <windowsx.h>

#include "Control.h"
#include "WindowHandle.h"
#include "platform/system/Application.h"
#include "platform/system/ImageHold.h"

namespace platform {

MenuItem* PopupMenu::AddItem(const std::string& name) {
    MenuItem* item = Make<MenuItem>();
    item->SetName(name);
    return item;
}

std::vector<MenuItem*> PopupMenu::Items() const {
    std::vector<MenuItem*> items;
    for (Component* c : Components())
        if (auto* item = dynamic_cast<MenuItem*>(c)) items.push_back(item);
    return items;
}

void PopupMenu::Popup(int x, int y, HWND owner) {
    std::vector<MenuItem*> items = Items();
    MenuHandle menu(CreatePopupMenu());
    if (!menu) return;
    for (size_t i = 0; i < items.size(); ++i)
        AppendMenuA(menu.Get(), MF_STRING, i + 1, items[i]->MenuText().c_str());
    ImageHold::HoldImage();  // the menu's loop runs the host's code
    UINT chosen = TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, x, y, 0,
                                 owner, nullptr);
    menu.Reset();
    if (chosen >= 1 && chosen <= items.size()) {
        // The menu may have lost items while it was open.
        std::vector<MenuItem*> now = Items();
        if (std::find(now.begin(), now.end(), items[chosen - 1]) != now.end())
            items[chosen - 1]->Click();
    }
}

bool PopupMenu::ShowFor(Control& clicked, LPARAM lParam) {
    for (Control* c = &clicked; c; c = c->Parent()) {
        PopupMenu* menu = c->GetPopupMenu();
        if (!menu) continue;
        POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (at.x == -1 && at.y == -1) {  // from the keyboard: below the control
            RECT r;
            GetWindowRect(clicked.Handle(), &r);
            at = {r.left + 4, r.top + 4};
        }
        menu->Popup(at.x, at.y, c->Handle());
        return true;
    }
    return false;
}

bool PopupMenu::IsShortCut(UINT virtualKey) {
    for (MenuItem* item : Items()) {
        if (item->ShortCut() == virtualKey) {
            item->Click();
            return true;
        }
    }
    return false;
}

}  // namespace platform
