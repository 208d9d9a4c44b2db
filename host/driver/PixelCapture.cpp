#include "PixelCapture.h"

namespace desktop {

namespace {

// Copies a width x height area of `source` at (x, y) into top-down 32-bit pixels.
Pixels Copy(HDC source, int x, int y, int width, int height) {
    Pixels pixels;
    if (width <= 0 || height <= 0) return pixels;
    HDC memory = CreateCompatibleDC(source);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(info.bmiHeader), width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
    GdiFlush();
    pixels.width = width, pixels.height = height;
    pixels.values.assign(static_cast<DWORD*>(bits), static_cast<DWORD*>(bits) + width * height);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    for (DWORD& p : pixels.values) p &= 0xFFFFFF;
    return pixels;
}

}  // namespace

Pixels CaptureClient(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    HDC dc = GetDC(window);
    Pixels pixels = Copy(dc, 0, 0, r.right, r.bottom);
    ReleaseDC(window, dc);
    return pixels;
}

Pixels CaptureWindow(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    RECT r;
    GetWindowRect(window, &r);
    HDC screen = GetDC(nullptr);
    Pixels pixels = Copy(screen, r.left, r.top, r.right - r.left, r.bottom - r.top);
    ReleaseDC(nullptr, screen);
    return pixels;
}

}  // namespace desktop
