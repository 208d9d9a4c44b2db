#pragma once
#include <initializer_list>
#include <vector>
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Font.h"

namespace wendrik {

// The glyphs a file control owns, loaded once from the module's image by
// their resource names, and the item height that fits them beside a line of
// text. Items refer to the glyphs by address and tell their kind by it, so
// the set never changes once loaded.
class ControlGlyphs {
public:
    ControlGlyphs() = default;
    ControlGlyphs(const ControlGlyphs&) = delete;
    ControlGlyphs& operator=(const ControlGlyphs&) = delete;

    // Loads the named bitmap resources in this order; a second call does nothing.
    void Load(std::initializer_list<const char*> names);
    // The glyph loaded `index`-th (an empty bitmap when its resource is missing).
    const platform::Bitmap* operator[](size_t index) const { return &glyphs_.at(index); }
    // The font's line height, or the first glyph's height plus `gap` when that is more.
    int ItemHeightFor(platform::Font& font, int gap) const;
    // The first glyph's height plus `gap`; `gap` when nothing is loaded.
    int GlyphHeight(int gap) const;

private:
    std::vector<platform::Bitmap> glyphs_;
};

}  // namespace wendrik
