#pragma once
#include <functional>
#include "Control.h"

namespace platform {

// A one-line text field; OnChange follows every change of its text.
class Edit : public Control {
public:
    explicit Edit(Component* owner);
    void SetTabStop(bool tabStop) { tabStop_ = tabStop; }
    void SelectAll();
    std::function<void()> OnChange;

protected:
    void CreateParams(WindowParams& params) override;
    void Command(WORD code) override;
    bool tabStop_ = true;
};

}  // namespace platform
