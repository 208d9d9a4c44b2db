#include "Edit.h"

namespace platform {

Edit::Edit(Component* owner) : Control(owner) { SetColor(GetSysColor(COLOR_WINDOW)); }

void Edit::CreateParams(WindowParams& params) {
    Control::CreateParams(params);
    params.className = "EDIT";
    params.style |= ES_AUTOHSCROLL;
    params.style |= WS_TABSTOP;
    params.style |= WS_BORDER;  // flat: one pixel, not a sunken edge
}

void Edit::CommandReflected(WORD code) {
    if (code == EN_CHANGE && OnChange && !Dying()) OnChange();
}

}  // namespace platform
