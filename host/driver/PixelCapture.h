#pragma once
#include <windows.h>
#include <vector>

namespace desktop {

// Pixels as a window shows them on screen, one 0xRRGGBB value a pixel, row
// by row from the top.
struct Pixels {
    int width = 0, height = 0;
    std::vector<DWORD> values;
    DWORD At(int x, int y) const { return values[static_cast<size_t>(y) * width + x]; }
};

// The client area of `window`.
Pixels CaptureClient(HWND window);
// The whole window, frame included, as it stands on the screen.
Pixels CaptureWindow(HWND window);

}  // namespace desktop
