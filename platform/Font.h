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
    explicit Font(const FontSpec& spec) : spec_(spec) {}
    const FontSpec& Spec() const { return spec_; }
    void Assign(const FontSpec& spec);
    void SetHeight(int height);
    COLORREF Color() const { return spec_.color; }
    void SetColor(COLORREF color) { spec_.color = color; }
    HFONT Handle();

private:
    FontSpec spec_;
    GdiHandle handle_;
};

}  // namespace platform
