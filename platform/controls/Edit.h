#pragma once
#include <functional>
#include "platform/window/Control.h"

namespace platform {

// A one-line text field; OnChange follows every change of its text.
class Edit : public Control {
public:
    explicit Edit(Component* owner);
    std::function<void()> OnChange;

protected:
    void CreateParams(WindowParams& params) override;
    void CommandReflected(WORD code) override;
};

}  // namespace platform
