#include "HotSpeedButton.h"

namespace wendrik {

using platform::Operation;

THotSpeedButton::THotSpeedButton(platform::Component* owner) : SpeedButton(owner) {
    UpdateGlyph(imageIndex_);
    SetFlat(true);
    SetBounds(Left(), Top(), 36, 36);
}

void THotSpeedButton::UpdateGlyph(int index) {
    SetGlyph(nullptr);
    if (!images_) return;
    platform::Bitmap image;
    images_->GetBitmap(index, image);
    SetGlyph(&image);
}

void THotSpeedButton::SetImageIndex(int index) {
    imageIndex_ = index;
    UpdateGlyph(index);
}

void THotSpeedButton::SetImageList(platform::ImageList* images) {
    if (images_ && images_ != images) RemoveFreeNotification(images_);
    images_ = images;
    if (images_) FreeNotification(images_);
    UpdateGlyph(imageIndex_);
}

void THotSpeedButton::Notification(platform::Component* component, Operation operation) {
    SpeedButton::Notification(component, operation);
    if (operation == Operation::Remove && images_ && component == images_) SetImageList(nullptr);
}

void THotSpeedButton::MouseEnter() {
    UpdateGlyph(hotImageIndex_);
    SetCursor(platform::CursorHandPoint);
    SpeedButton::MouseEnter();
}

void THotSpeedButton::MouseLeave() {
    UpdateGlyph(imageIndex_);
    SetCursor(platform::CursorDefault);
    SpeedButton::MouseLeave();
}

}  // namespace wendrik
