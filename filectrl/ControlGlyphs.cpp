#include "ControlGlyphs.h"

#include <algorithm>

#include "PathHelpers.h"
#include "platform/system/Application.h"

namespace wendrik {

void ControlGlyphs::Load(std::initializer_list<const char*> names) {
    if (!glyphs_.empty()) return;
    glyphs_.resize(names.size());  // sized once: items keep the glyphs' addresses
    size_t i = 0;
    for (const char* name : names) glyphs_[i++].LoadFromResourceName(platform::Application::Instance(), name);
}

int ControlGlyphs::GlyphHeight(int gap) const { return (glyphs_.empty() ? 0 : glyphs_.front().Height()) + gap; }

int ControlGlyphs::ItemHeightFor(platform::Font& font, int gap) const {
    return std::max(FontLineHeight(font), GlyphHeight(gap));
}

}  // namespace wendrik
