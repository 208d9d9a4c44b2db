#pragma once
#include "platform/window/Control.h"

namespace platform {

// A plain coloured area without bevel that can hold controls.
class Panel : public Control {
public:
    explicit Panel(Component* owner) : Control(owner) {}
};

}  // namespace platform
