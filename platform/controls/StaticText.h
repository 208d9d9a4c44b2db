#pragma once
#include "platform/window/Control.h"

namespace platform {

// A one-window static text (the system's STATIC control), no prefix processing.
class StaticText : public Control {
public:
    explicit StaticText(Component* owner) : Control(owner) {}

protected:
    void CreateParams(WindowParams& params) override {
        Control::CreateParams(params);
        params.className = "STATIC";
        params.style |= SS_LEFT | SS_NOPREFIX;
    }
};

}  // namespace platform
