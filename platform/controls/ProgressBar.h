#pragma once
#include "platform/window/Control.h"

namespace platform {

// The common controls' progress bar, from 0 to 100.
class ProgressBar : public Control {
public:
    explicit ProgressBar(Component* owner) : Control(owner) {}
    int Position() const { return position_; }
    void SetPosition(int percent);

protected:
    void CreateParams(WindowParams& params) override;
    void CreateWnd() override;

private:
    int position_ = 0;
};

}  // namespace platform
