#pragma once
#include <vector>

#include "platform/window/Form.h"

namespace wendrik {

// The template's form description at 96 dpi: frame, help texts, title and
// the four image buttons.
const std::vector<platform::ControlRow>& TemplateLayout();

// The image list indices of each image button: at rest and under the mouse.
struct ButtonImages {
    const char* name;
    int imageIndex, hotImageIndex;
};
inline constexpr ButtonImages TemplateButtonImages[] = {{"HotSpeedButtonOK", 0, 1},
                                                        {"HotSpeedButtonUndo", 2, 3},
                                                        {"HotSpeedButtonInfo", 4, 5},
                                                        {"HotSpeedButtonRegistry", 6, 7}};

}  // namespace wendrik
