#include "Font.h"

namespace platform {

void Font::Assign(const FontSpec& look) {
    // The colour is drawn, not part of the GDI font: a change keeps the font.
    FontSpec sameColour = look;
    sameColour.color = look_.color;
    bool same = sameColour == look_;
    look_ = look;
    if (!same) handle_.Reset();
}

void Font::SetHeight(int height) {
    if (height == look_.height) return;
    look_.height = height;
    handle_.Reset();
}

HFONT Font::Handle() {
    if (!handle_) {
        LOGFONTA lf = {};
        lf.lfHeight = look_.height;
        lf.lfWeight = look_.bold ? FW_BOLD : FW_NORMAL;
        lf.lfCharSet = look_.charset;
        lf.lfQuality = DEFAULT_QUALITY;
        lstrcpynA(lf.lfFaceName, look_.name.c_str(), LF_FACESIZE);
        handle_.Reset(CreateFontIndirectA(&lf));
    }
    return static_cast<HFONT>(handle_.Get());
}

}  // namespace platform
