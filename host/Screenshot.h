#pragma once
#include <windows.h>
#include <string>

namespace demo {

// Saves a window, frame included, as it stands on the screen, as a PNG file.
bool SaveScreenshot(HWND window, const std::string& path);

}  // namespace demo
