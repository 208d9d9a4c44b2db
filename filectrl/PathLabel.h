#pragma once
#include "platform/controls/Label.h"

namespace wendrik {

// A label whose caption is a path, drawn shortened with "..." to the
// label's width. No word wrap, no automatic size, "&" shown as is. The
// caption is kept in full; every paint shortens it anew.
class TPathLabel : public platform::Label {
public:
    explicit TPathLabel(platform::Component* owner);

protected:
    void Paint(platform::Canvas& canvas) override;
};

}  // namespace wendrik
