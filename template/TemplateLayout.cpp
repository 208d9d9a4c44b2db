#include "TemplateLayout.h"

#include "HotSpeedButton.h"
#include "platform/controls/Memo.h"
#include "platform/controls/Panel.h"
#include "platform/controls/StaticText.h"

namespace wendrik {

using namespace platform;

namespace {
constexpr COLORREF kFrameColor = RGB(140, 170, 230);
constexpr COLORREF kMemoColor = RGB(237, 242, 252);
const FontSpec kTitleFont{"Tahoma", -12, true, RGB(1, 72, 178), ANSI_CHARSET};
constexpr unsigned kLeftTopRight = AnchorLeft | AnchorTop | AnchorRight;
constexpr unsigned kLeftBottom = AnchorLeft | AnchorBottom;
constexpr unsigned kRightBottom = AnchorRight | AnchorBottom;
}  // namespace

const std::vector<ControlRow>& TemplateLayout() {
    static const std::vector<ControlRow> rows = {
        {.make = MakeControl<Panel>, .name = "PanelRightBorder", .left = 287, .top = 5, .width = 5, .height = 416,
         .tabOrder = 0, .color = kFrameColor, .align = Align::Right},
        {.make = MakeControl<Panel>, .name = "PanelLeftBorder", .left = 0, .top = 5, .width = 5, .height = 416,
         .tabOrder = 1, .color = kFrameColor, .align = Align::Left},
        {.make = MakeControl<Panel>, .name = "PanelTopBorder", .left = 0, .top = 0, .width = 292, .height = 5,
         .tabOrder = 2, .color = kFrameColor, .align = Align::Top},
        {.make = MakeControl<Panel>, .name = "PanelBottomBorder", .left = 0, .top = 421, .width = 292, .height = 5,
         .tabOrder = 3, .color = kFrameColor, .align = Align::Bottom},
        {.make = MakeControl<Memo>, .name = "MemoHelpD", .left = 16, .top = 32, .width = 259, .height = 105,
         .tabOrder = 4, .color = kMemoColor, .anchors = kLeftTopRight},
        // The title's box reaches 9 pixels into the memos: it lies beneath them,
        // or the English memo's first line would be hidden.
        {.make = MakeControl<StaticText>, .name = "StaticTextTitle", .left = 16, .top = 8, .width = 257, .height = 33,
         .tabOrder = 5, .font = &kTitleFont, .anchors = kLeftTopRight, .beneath = true},
        {.make = MakeControl<Memo>, .name = "MemoHelpUS", .left = 16, .top = 32, .width = 259, .height = 105,
         .tabOrder = 6, .color = kMemoColor, .anchors = kLeftTopRight, .visible = false},
        {.make = MakeControl<THotSpeedButton>, .name = "HotSpeedButtonOK", .left = 16, .top = 381, .width = 36, .height = 36,
         .anchors = kLeftBottom},
        {.make = MakeControl<THotSpeedButton>, .name = "HotSpeedButtonUndo", .left = 56, .top = 381, .width = 36, .height = 36,
         .anchors = kLeftBottom},
        {.make = MakeControl<THotSpeedButton>, .name = "HotSpeedButtonInfo", .left = 200, .top = 381, .width = 36, .height = 36,
         .anchors = kRightBottom},
        {.make = MakeControl<THotSpeedButton>, .name = "HotSpeedButtonRegistry", .left = 240, .top = 381, .width = 36, .height = 36,
         .anchors = kRightBottom},
    };
    return rows;
}

}  // namespace wendrik
