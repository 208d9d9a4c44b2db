// What the path tests share: a canvas that measures with a real font, and
// the check of the shortening steps.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "FakeSystem.h"
#include "PageHelpers.h"
#include "Pump.h"
#include "filectrl/PathHelpers.h"
#include "filectrl/PathLabel.h"
#include "platform/drawing/Canvas.h"
#include "platform/system/Files.h"
#include "platform/window/Form.h"
#include "platform/system/InOutError.h"
#include "platform/system/SystemFunctions.h"
#include "platform/drawing/DeviceContext.h"
#include "platform/system/Text.h"

namespace path_test {

using namespace wendrik;
using namespace testing_support;
using namespace desktop;
using platform::Canvas;
using platform::Font;
using platform::FontSpec;

// A real device context with a real font, as a label's canvas has.
class MeasuringCanvas {
public:
    MeasuringCanvas() { canvas_.SetFont(font_); }
    Canvas& operator*() { return canvas_; }
    int Width(const std::string& s) { return canvas_.TextWidth(s); }
    std::string Fit(const std::string& path, int width) { return FitPathToWidth(path, canvas_, width); }

private:
    platform::MemoryDC dc_;
    Font font_{FontSpec{}};
    Canvas canvas_{dc_.Get()};
};

// The shortening steps in turn: a canvas exactly as wide as a step shows
// that step, when every earlier candidate was wider.
inline void ExpectSteps(MeasuringCanvas& c, const std::string& path, const std::vector<std::string>& steps) {
    EXPECT_EQ(path, c.Fit(path, c.Width(path)));
    int narrowest = c.Width(path);
    for (const std::string& step : steps) {
        if (c.Width(step) < narrowest) {
            EXPECT_EQ(step, c.Fit(path, c.Width(step))) << path;
        }
        narrowest = std::min(narrowest, c.Width(step));
    }
    EXPECT_EQ(steps.back(), c.Fit(path, 0));  // nothing more can go
}


}  // namespace path_test
