#pragma once
#include <windows.h>

namespace platform {

// The results a modal form ends with.
enum ModalResult : int { mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL };

}  // namespace platform
