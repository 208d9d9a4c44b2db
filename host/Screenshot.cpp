#include "Screenshot.h"

#include "PixelCapture.h"

namespace demo {

namespace {
// The encoder's class id for image/png.
const CLSID kPngEncoder = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
constexpr int kRgb32 = 0x00022009;  // PixelFormat32bppRGB

// GDI+'s flat calls, looked up: GDI+ comes with Windows XP and on, and the
// demo host runs on Windows 95 too (without pictures there).
struct StartupInput {
    UINT32 version = 1;
    void* debugEvent = nullptr;
    BOOL suppressBackgroundThread = FALSE;
    BOOL suppressExternalCodecs = FALSE;
};
using StartupFn = int(WINAPI*)(ULONG_PTR*, const StartupInput*, void*);
using ShutdownFn = void(WINAPI*)(ULONG_PTR);
using FromScanFn = int(WINAPI*)(INT, INT, INT, INT, BYTE*, void**);
using SaveFn = int(WINAPI*)(void*, const WCHAR*, const CLSID*, const void*);
using DisposeFn = int(WINAPI*)(void*);
}  // namespace

bool SaveScreenshot(HWND window, const std::string& path) {
    desktop::Pixels pixels = desktop::CaptureWindow(window);
    if (pixels.values.empty()) return false;
    HMODULE gdiplus = LoadLibraryA("gdiplus.dll");
    if (!gdiplus) return false;
    auto startup = reinterpret_cast<StartupFn>(GetProcAddress(gdiplus, "GdiplusStartup"));
    auto shutdown = reinterpret_cast<ShutdownFn>(GetProcAddress(gdiplus, "GdiplusShutdown"));
    auto fromScan = reinterpret_cast<FromScanFn>(GetProcAddress(gdiplus, "GdipCreateBitmapFromScan0"));
    auto save = reinterpret_cast<SaveFn>(GetProcAddress(gdiplus, "GdipSaveImageToFile"));
    auto dispose = reinterpret_cast<DisposeFn>(GetProcAddress(gdiplus, "GdipDisposeImage"));
    bool saved = false;
    ULONG_PTR token = 0;
    StartupInput input;
    if (startup && shutdown && fromScan && save && dispose && startup(&token, &input, nullptr) == 0) {
        void* image = nullptr;
        if (fromScan(pixels.width, pixels.height, pixels.width * 4, kRgb32,
                     reinterpret_cast<BYTE*>(pixels.values.data()), &image) == 0) {
            std::wstring wide(path.begin(), path.end());  // the demo's paths are ASCII
            saved = save(image, wide.c_str(), &kPngEncoder, nullptr) == 0;
            dispose(image);
        }
        shutdown(token);
    }
    FreeLibrary(gdiplus);
    return saved;
}

}  // namespace demo
