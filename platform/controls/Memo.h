#pragma once
#include <string>
#include <vector>
#include "platform/window/Control.h"

namespace platform {

// A multi-line, read-only text with a vertical scroll bar, outside the tab order.
class Memo : public Control {
public:
    explicit Memo(Component* owner);
    // Replaces the whole text; lines end at CR LF, LF or CR.
    void SetLines(const std::string& text);
    std::vector<std::string> Lines() const;

protected:
    void CreateParams(WindowParams& params) override;
};

}  // namespace platform
