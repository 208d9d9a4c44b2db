#include "MenuItem.h"

namespace platform {

std::string MenuItem::MenuText() const {
    if (!shortCut_) return caption_;
    std::string key;
    if (shortCut_ >= VK_F1 && shortCut_ <= VK_F24) {
        key = "F" + std::to_string(shortCut_ - VK_F1 + 1);
    } else {
        char name[64] = {};
        LONG scan = static_cast<LONG>(MapVirtualKeyA(shortCut_, MAPVK_VK_TO_VSC)) << 16;
        GetKeyNameTextA(scan, name, sizeof(name));
        key = name;
    }
    return caption_ + "\t" + key;
}

}  // namespace platform
