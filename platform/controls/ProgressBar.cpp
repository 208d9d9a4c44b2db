#include "ProgressBar.h"

#include <commctrl.h>

#include "platform/system/SystemFunctions.h"

namespace platform {

void ProgressBar::CreateParams(WindowParams& params) {
    Control::CreateParams(params);
    params.className = PROGRESS_CLASSA;
}

void ProgressBar::CreateWnd() {
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_PROGRESS_CLASS};
    SystemFunctions::Current().InitCommonControlsEx(&icc);
    Control::CreateWnd();
    // The first common controls (Windows 95) know only the 16-bit range.
    if (Handle()) {
        SendMessageA(Handle(), PBM_SETRANGE, 0, MAKELPARAM(0, 100));
        SendMessageA(Handle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
    }
}

void ProgressBar::SetPosition(int percent) {
    position_ = percent < 0 ? 0 : percent > 100 ? 100 : percent;
    if (Handle()) SendMessageA(Handle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

}  // namespace platform
