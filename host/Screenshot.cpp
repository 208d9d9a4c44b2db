#include "Screenshot.h"

#include <gdiplus.h>

#include "PixelCapture.h"

namespace demo {

namespace {
// The encoder's class id for image/png.
const CLSID kPngEncoder = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
}  // namespace

bool SaveScreenshot(HWND window, const std::string& path) {
    testing_support::Pixels pixels = testing_support::CaptureWindow(window);
    if (pixels.values.empty()) return false;
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return false;
    bool saved = false;
    {
        Gdiplus::Bitmap image(pixels.width, pixels.height, pixels.width * 4, PixelFormat32bppRGB,
                              reinterpret_cast<BYTE*>(pixels.values.data()));
        std::wstring wide(path.begin(), path.end());  // the demo's paths are ASCII
        saved = image.Save(wide.c_str(), &kPngEncoder, nullptr) == Gdiplus::Ok;
    }
    Gdiplus::GdiplusShutdown(token);
    return saved;
}

}  // namespace demo
