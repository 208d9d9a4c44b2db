#pragma once
#include "platform/drawing/ImageList.h"
#include "platform/controls/SpeedButton.h"

namespace wendrik {

// A flat image button: image ImageIndex at rest, HotImageIndex under the
// mouse, with the hand cursor. The image list is not owned; when it is
// destroyed the button forgets it and shows no picture.
class THotSpeedButton : public platform::SpeedButton {
public:
    explicit THotSpeedButton(platform::Component* owner);

    platform::ImageList* GetImageList() const { return images_; }
    void SetImageList(platform::ImageList* images);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    int HotImageIndex() const { return hotImageIndex_; }
    void SetHotImageIndex(int index) { hotImageIndex_ = index; }

protected:
    void Notification(platform::Component* component, platform::Operation operation) override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    void UpdateGlyph(int index);

    platform::ImageList* images_ = nullptr;
    int imageIndex_ = 0;
    int hotImageIndex_ = 0;
};

}  // namespace wendrik
