#include "Tooltips.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "Control.h"
#include "platform/system/Application.h"
#include "platform/system/SystemFunctions.h"

namespace platform {

void Tooltips::HintChanged(HWND owner, Control* control) {
    if (!window_) {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
        SystemFunctions::Current().InitCommonControlsEx(&icc);
        window_.Reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                      WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                                      CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, Application::Instance(), nullptr));
        if (!window_) return;
    }
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(control->Handle());
    std::string text = control->Hint();
    tool.lpszText = text.data();
    bool wanted = control->ShowHint() && !text.empty();
    bool known = std::find(tools_.begin(), tools_.end(), control) != tools_.end();
    if (wanted && !known) {
        SendMessageA(window_.Get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        tools_.push_back(control);
    } else if (wanted) {
        SendMessageA(window_.Get(), TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    } else if (known) {
        SendMessageA(window_.Get(), TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        std::erase(tools_, control);
    }
}

void Tooltips::WindowGone(HWND owner, Control* control, HWND window) {
    auto known = std::find(tools_.begin(), tools_.end(), control);
    if (known == tools_.end()) return;
    tools_.erase(known);
    if (!window_ || !owner) return;
    // The tool's window is gone, but the tooltip still holds its entry by the old handle.
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(window);
    SendMessageA(window_.Get(), TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void Tooltips::Destroy() {
    tools_.clear();
    window_.Reset();
}

void Tooltips::OwnerGone() {
    // The system destroyed it with its owner: the handle is let go, not freed.
    [[maybe_unused]] const HWND gone = window_.Release();
    tools_.clear();
}

}  // namespace platform
