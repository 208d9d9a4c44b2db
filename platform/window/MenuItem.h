#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include "platform/system/Component.h"

namespace platform {

// One entry of a popup menu, with an optional shortcut key (no modifiers).
class MenuItem : public Component {
public:
    explicit MenuItem(Component* owner) : Component(owner) {}
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption) { caption_ = caption; }
    UINT ShortCut() const { return shortCut_; }
    void SetShortCut(UINT virtualKey) { shortCut_ = virtualKey; }
    // The caption as the menu shows it, with the shortcut's key name after a tab.
    std::string MenuText() const;
    void Click() {
        if (OnClick) OnClick();
    }
    std::function<void()> OnClick;

private:
    std::string caption_;
    UINT shortCut_ = 0;
};

}  // namespace platform
