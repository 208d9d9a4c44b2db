#include "Bitmap.h"

#include <vector>

#include "DeviceContext.h"

namespace platform {

namespace {
HBITMAP CreateDib(int width, int height, void** bits) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}
}  // namespace

void Bitmap::Clear() {
    transparency_.reset();
    bottomLeft_ = CLR_INVALID;
    handle_.Reset();
    width_ = height_ = 0;
}

COLORREF Bitmap::Pixel(int x, int y) const {
    if (Empty() || x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    MemoryDC dc;
    dc.Select(Handle());
    return GetPixel(dc.Get(), x, y);
}

void Bitmap::Adopt(HBITMAP bitmap) {
    transparency_.reset();
    bottomLeft_ = CLR_INVALID;
    handle_.Reset(bitmap);
    BITMAP info = {};
    if (bitmap) GetObjectA(bitmap, sizeof(info), &info);
    width_ = info.bmWidth;
    height_ = info.bmHeight;
}

void Bitmap::SetSize(int width, int height, COLORREF color) {
    void* bits = nullptr;
    Adopt(CreateDib(width, height, &bits));
    if (!bits) return;
    DWORD pixel = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    std::fill_n(static_cast<DWORD*>(bits), width * height, pixel);
}

bool Bitmap::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
    HBITMAP loaded = static_cast<HBITMAP>(
        LoadImageA(instance, name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    Adopt(loaded);
    return loaded != nullptr;
}

void Bitmap::AssignPart(const Bitmap& source, int x, int y, int width, int height) {
    void* bits = nullptr;
    Adopt(CreateDib(width, height, &bits));
    if (Empty() || source.Empty()) return;
    {
        MemoryDC src, dst;
        src.Select(source.Handle());
        dst.Select(Handle());
        BitBlt(dst.Get(), 0, 0, width, height, src.Get(), x, y, SRCCOPY);
    }
    GdiFlush();
}

COLORREF Bitmap::BottomLeft() const {
    if (bottomLeft_ == CLR_INVALID) bottomLeft_ = Pixel(0, height_ - 1);
    return bottomLeft_;
}

void Bitmap::PrepareTransparency(COLORREF key) const {
    if (transparency_ && transparency_->key == key) return;
    transparency_.reset();
    auto t = std::make_unique<Transparency>();
    t->key = key;
    t->mask.Reset(CreateBitmap(width_, height_, 1, 1, nullptr));
    // A 32-bit DIB draws onto a screen of any depth, and needs no screen DC
    // to make (asking for one costs more than the whole cut).
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width_, height_, 1, 32, BI_RGB};
    void* bits = nullptr;
    t->cut.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!t->mask || !t->cut || !t->maskDC.Get() || !t->cutDC.Get()) return;
    t->maskDC.Select(t->mask.Get());
    t->cutDC.Select(t->cut.Get());
    {
        MemoryDC source;
        source.Select(Handle());
        SetBkColor(source.Get(), key);  // a colour source to a monochrome target: the key becomes 1
        BitBlt(t->maskDC.Get(), 0, 0, width_, height_, source.Get(), 0, 0, SRCCOPY);
        BitBlt(t->cutDC.Get(), 0, 0, width_, height_, source.Get(), 0, 0, SRCCOPY);
    }
    // The key's pixels black in the cut: destination AND NOT mask (1 shows as white here).
    SetBkColor(t->cutDC.Get(), RGB(255, 255, 255));
    SetTextColor(t->cutDC.Get(), RGB(0, 0, 0));
    BitBlt(t->cutDC.Get(), 0, 0, width_, height_, t->maskDC.Get(), 0, 0, 0x00220326);
    transparency_ = std::move(t);
}

void Bitmap::DrawTransparent(HDC dest, int x, int y, COLORREF key) const {
    if (Empty()) return;
    PrepareTransparency(key);
    if (!transparency_) return;
    COLORREF text = SetTextColor(dest, RGB(0, 0, 0)), back = SetBkColor(dest, RGB(255, 255, 255));
    BitBlt(dest, x, y, width_, height_, transparency_->maskDC.Get(), 0, 0, SRCAND);  // opaque pixels go black
    BitBlt(dest, x, y, width_, height_, transparency_->cutDC.Get(), 0, 0, SRCPAINT);  // and take their colour
    SetTextColor(dest, text);
    SetBkColor(dest, back);
}

void Bitmap::AssignGrayed(const Bitmap& source) {
    Bitmap copy;
    copy.AssignPart(source, 0, 0, source.Width(), source.Height());
    if (copy.Empty()) {
        Clear();
        return;
    }
    BITMAP info = {};
    GetObjectA(copy.Handle(), sizeof(info), &info);
    // Row 0 of a bottom-up DIB is the bottom row: its first pixel is the key.
    DWORD* pixels = static_cast<DWORD*>(info.bmBits);
    DWORD key = pixels[0] & 0xFFFFFF;
    for (int i = 0; i < source.Width() * source.Height(); ++i) {
        DWORD p = pixels[i] & 0xFFFFFF;
        if (p == key) continue;
        DWORD r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        DWORD y = 128 + (r * 30 + g * 59 + b * 11) / 200;  // lightened grey
        if ((y << 16 | y << 8 | y) == key) --y;
        pixels[i] = (y << 16) | (y << 8) | y;
    }
    *this = std::move(copy);
}

}  // namespace platform
