#include "PathLabel.h"

#include "PathHelpers.h"
#include "platform/drawing/Canvas.h"

namespace wendrik {

TPathLabel::TPathLabel(platform::Component* owner) : Label(owner) {
    SetWordWrap(false);
    SetAutoSize(false);
    SetShowAccelChar(false);
}

void TPathLabel::Paint(platform::Canvas& canvas) {
    RECT r = ClientRect();
    if (!Transparent()) {
        canvas.SetBrushColor(Color());
        canvas.FillRect(r);
    }
    std::string shown = FitPathToWidth(Text(), canvas, r.right - r.left);
    DrawTextA(canvas.Handle(), shown.c_str(), static_cast<int>(shown.size()), &r,
              DT_NOPREFIX | AlignmentFlag());
}

}  // namespace wendrik
