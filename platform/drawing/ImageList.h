#pragma once
#include <windows.h>
#include <commctrl.h>
#include <string>
#include "Bitmap.h"
#include "platform/system/Component.h"
#include "platform/system/UniqueHandle.h"

namespace platform {

// Images of one size, kept with a mask so that their background is left out.
class ImageList : public Component {
public:
    ImageList(Component* owner, int width, int height);
    ~ImageList() override;
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const;
    // Adds the images of a horizontal strip; pixels of `maskColor` are transparent.
    void AddMasked(const Bitmap& strip, COLORREF maskColor);
    // Sizes `target` to the image size and draws image `index` into it over
    // a background of the key colour (the target's bottom-left pixel shows
    // that colour wherever the image is transparent there).
    void GetBitmap(int index, Bitmap& target) const;

    static constexpr COLORREF KeyColor = RGB(255, 0, 255);
    static long LiveLists();

private:
    // Destroyed through the system function table, which made it.
    struct ListTraits : NullIsNone<HIMAGELIST> {
        static void Free(Handle h);
    };
    UniqueHandle<ListTraits> list_;
    int width_, height_;
};

}  // namespace platform
