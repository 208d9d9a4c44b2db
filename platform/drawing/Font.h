#pragma once
#include <windows.h>
#include <string>
#include "GdiHandle.h"

namespace platform {

// What a font looks like; height in pixels, negative for character height.
struct FontSpec {
    std::string name = "Tahoma";
    int height = -11;
    bool bold = false;
    COLORREF color = GetSysColor(COLOR_WINDOWTEXT);
    BYTE charset = ANSI_CHARSET;
    bool operator==(const FontSpec&) const = default;
};

// A font description with the GDI font made from it, created on first use.
class Font {
public:
    Font() = default;
    explicit Font(const FontSpec& look) : look_(look) {}
    const FontSpec& Look() const { return look_; }
    void Assign(const FontSpec& look);
    void SetHeight(int height);
    COLORREF Color() const { return look_.color; }
    void SetColor(COLORREF color) { look_.color = color; }
    HFONT Handle();

private:
    FontSpec look_;
    FontHandle handle_;
};

}  // namespace platform
