#include "BoxAnswerer.h"

#include <algorithm>

namespace desktop {

namespace {
BoxAnswerer* active = nullptr;
}

BoxAnswerer::BoxAnswerer(int button) : button_(button) {
    active = this;
    timer_ = SetTimer(nullptr, 0, 50, Tick);
}

BoxAnswerer::~BoxAnswerer() {
    KillTimer(nullptr, timer_);
    if (active == this) active = nullptr;
}

std::string BoxAnswerer::Joined() const {
    std::string all;
    for (const auto& t : texts_) all += t + "\n";
    return all;
}

void CALLBACK BoxAnswerer::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (active) EnumThreadWindows(GetCurrentThreadId(), Visit, reinterpret_cast<LPARAM>(active));
}

BOOL CALLBACK BoxAnswerer::Visit(HWND window, LPARAM selfParam) {
    auto* self = reinterpret_cast<BoxAnswerer*>(selfParam);
    char cls[16] = {};
    GetClassNameA(window, cls, sizeof(cls));
    if (std::string(cls) != "#32770" || !IsWindowVisible(window)) return TRUE;
    if (std::find(self->answered_.begin(), self->answered_.end(), window) != self->answered_.end())
        return TRUE;
    char text[2048] = {};
    GetDlgItemTextA(window, 0xFFFF, text, sizeof(text));
    self->texts_.push_back(text);
    self->owners_.push_back(GetWindow(window, GW_OWNER));
    self->answered_.push_back(window);
    if (self->seen_) self->seen_(text);
    int id = self->button_;
    if (!GetDlgItem(window, id)) id = GetDlgItem(window, IDOK) ? IDOK : IDYES;
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
    return TRUE;
}

}  // namespace desktop
