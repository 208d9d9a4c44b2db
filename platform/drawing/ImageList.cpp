#include "ImageList.h"

#include "DeviceContext.h"
#include "GdiHandle.h"
#include "platform/system/SystemFunctions.h"

namespace platform {

ImageList::ImageList(Component* owner, int width, int height)
    : Component(owner),
      list_(SystemFunctions::Current().ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, 12, 4)),
      width_(width),
      height_(height) {}

ImageList::~ImageList() = default;

void ImageList::ListTraits::Free(Handle h) { SystemFunctions::Current().ImageList_Destroy(h); }

long ImageList::LiveLists() { return UniqueHandle<ListTraits>::Live(); }

int ImageList::Count() const { return list_ ? SystemFunctions::Current().ImageList_GetImageCount(list_.Get()) : 0; }

void ImageList::AddMasked(const Bitmap& strip, COLORREF maskColor) {
    if (!list_ || strip.Empty()) return;
    // ImageList_AddMasked changes the bitmap it is given: hand it a copy.
    BitmapHandle copy(static_cast<HBITMAP>(CopyImage(strip.Handle(), IMAGE_BITMAP, 0, 0, 0)));
    if (copy) SystemFunctions::Current().ImageList_AddMasked(list_.Get(), static_cast<HBITMAP>(copy.Get()), maskColor);
}

void ImageList::GetBitmap(int index, Bitmap& target) const {
    target.SetSize(width_, height_, KeyColor);
    if (!list_ || index < 0 || index >= Count() || target.Empty()) return;
    MemoryDC dc;
    dc.Select(target.Handle());
    SystemFunctions::Current().ImageList_Draw(list_.Get(), index, dc.Get(), 0, 0, ILD_NORMAL);
}

}  // namespace platform
