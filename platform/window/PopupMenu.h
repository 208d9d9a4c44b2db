#pragma once
#include <windows.h>
#include <vector>
#include "platform/system/Component.h"
#include "MenuItem.h"

namespace platform {

class Control;

// A context menu; its items are the MenuItem components it owns.
class PopupMenu : public Component {
public:
    explicit PopupMenu(Component* owner) : Component(owner) {}
    MenuItem* AddItem(const std::string& name);
    std::vector<MenuItem*> Items() const;
    // Shows the menu at a screen point and runs the chosen item's click.
    void Popup(int x, int y, HWND owner);
    // WM_CONTEXTMENU on `clicked`: the menu of the nearest control up its
    // parents that has one is shown (below the control when the keyboard
    // asked); false when none has.
    static bool ShowFor(Control& clicked, LPARAM lParam);
    // Runs the click of the item whose shortcut is `virtualKey`; false when none has it.
    bool IsShortCut(UINT virtualKey);
};

}  // namespace platform
