#include "Font.h"

namespace platform {

void Font::Assign(const FontSpec& spec) {
    bool same = spec.name == spec_.name && spec.height == spec_.height &&
                spec.bold == spec_.bold && spec.charset == spec_.charset;
    spec_ = spec;
    if (!same) handle_.Reset();
}

void Font::SetHeight(int height) {
    if (height == spec_.height) return;
    spec_.height = height;
    handle_.Reset();
}

HFONT Font::Handle() {
    if (!handle_) {
        LOGFONTA lf = {};
        lf.lfHeight = spec_.height;
        lf.lfWeight = spec_.bold ? FW_BOLD : FW_NORMAL;
        lf.lfCharSet = spec_.charset;
        lf.lfQuality = DEFAULT_QUALITY;
        lstrcpynA(lf.lfFaceName, spec_.name.c_str(), LF_FACESIZE);
        handle_.Reset(CreateFontIndirectA(&lf));
    }
    return static_cast<HFONT>(handle_.Get());
}

}  // namespace platform
