// Pages come and go without leaving windows, GDI objects, keys or memory.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "FakeSystem.h"
#include "PageHelpers.h"
#include "Pump.h"
#include "RegistryValue.h"
#include "SystemCensus.h"
#include "template/HelpTextLibrary.h"
#include "template/HostProtocol.h"
#include "module/Exports.h"
#include "module/ModuleState.h"
#include "platform/window/Control.h"
#include "platform/drawing/GdiHandle.h"
#include "platform/drawing/ImageList.h"
#include "platform/system/Registry.h"

using namespace testing_support;
using namespace desktop;

namespace {

struct Counters {
    long gdi = platform::GdiHandle::Live();
    long windows = platform::Control::LiveWindows();
    long lists = platform::ImageList::LiveLists();
    long keys = platform::Registry::LiveKeys();
    int threadWindows = ThreadWindowCount();
};

void CreateAndFree() {
    CreatePage();
    PumpPending();
    ModulFree();
}

TEST(LeakTest, TwoHundredPagesLeaveNothingBehind) {
    ResetModuleState();
    FakeSystem fake;
    RegistryValue bs(kHostKey, "BSControl");
    bs.Remove();
    for (int i = 0; i < 10; ++i) CreateAndFree();  // first-use allocations settle

    // Handles of one page, to be proven freed afterwards.
    wendrik::TFormWendrik* page = CreatePage();
    ASSERT_NE(nullptr, page);
    std::vector<HWND> windows = {page->Handle(), page->MemoHelpD->Handle(),
                                 page->HotSpeedButtonOK->Handle(), page->T288_Edit->Handle()};
    std::vector<HGDIOBJ> objects = {
        reinterpret_cast<HGDIOBJ>(SendMessageA(page->StaticTextTitle->Handle(), WM_GETFONT, 0, 0)),
        reinterpret_cast<HGDIOBJ>(SendMessageA(page->MemoHelpD->Handle(), WM_GETFONT, 0, 0)),
        page->HotSpeedButtonOK->Glyph().Handle(), page->SpeedButton6->Glyph().Handle()};
    for (HGDIOBJ o : objects) ASSERT_NE(0u, GetObjectType(o));
    ModulFree();
    for (HWND w : windows) EXPECT_FALSE(IsWindow(w));
    for (HGDIOBJ o : objects) EXPECT_EQ(0u, GetObjectType(o));

    Counters before;
    SIZE_T bytesBefore = Census::Take().privateBytes;
    for (int i = 0; i < 200; ++i) CreateAndFree();
    Counters after;
    SIZE_T bytesAfter = Census::Take().privateBytes;

    EXPECT_EQ(before.gdi, after.gdi);
    EXPECT_EQ(before.windows, after.windows);
    EXPECT_EQ(before.lists, after.lists);
    EXPECT_EQ(before.keys, after.keys);
    EXPECT_EQ(before.threadWindows, after.threadWindows);
    EXPECT_GT(bytesBefore, 0u);
    EXPECT_LT(static_cast<long long>(bytesAfter) - static_cast<long long>(bytesBefore), 1024 * 1024)
        << "private bytes grew from " << bytesBefore << " to " << bytesAfter;
}

// The heap a page leaves behind, against the same cycles of the only part
// of its window tree that keeps memory of its own under wine: two
// multi-line edits with the page's help texts, in the page's font.
void RawMemoPair() {
    static const std::string texts[2] = {wendrik::HelpTextLibrary().Text(kTipHelpId, wendrik::HelpTextGerman),
                                         wendrik::HelpTextLibrary().Text(kTipHelpId, wendrik::HelpTextEnglish)};
    static platform::Font font{platform::FontSpec{}};
    HWND top = CreateWindowExA(0, "STATIC", "raw", WS_OVERLAPPED, 0, 0, 300, 450, nullptr, nullptr, nullptr, nullptr);
    for (const std::string& text : texts) {
        HWND memo = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | ES_MULTILINE |
                                    ES_READONLY | ES_AUTOVSCROLL, 16, 32, 259, 105, top, nullptr, nullptr, nullptr);
        SendMessageA(memo, WM_SETFONT, reinterpret_cast<WPARAM>(font.Handle()), FALSE);
        SetWindowTextA(memo, text.c_str());
    }
    DestroyWindow(top);
    PumpPending();
}

double HeapGrowthPerCycle(void (*cycle)(), int cycles) {
    for (int i = 0; i < 20; ++i) cycle();
    size_t before = Census::Take().heapBytes;
    for (int i = 0; i < cycles; ++i) cycle();
    size_t after = Census::Take().heapBytes;
    return (static_cast<double>(after) - static_cast<double>(before)) / cycles;
}

TEST(LeakTest, APageLeavesNoMoreHeapThanItsMemosDo) {
    ResetModuleState();
    FakeSystem fake;
    RegistryValue bs(kHostKey, "BSControl");
    bs.Remove();
    double raw = HeapGrowthPerCycle(RawMemoPair, 150);
    double page = HeapGrowthPerCycle(CreateAndFree, 150);
    EXPECT_LE(page, raw + 24) << "a page leaves " << page << " bytes of heap, two raw memos " << raw;
}

}  // namespace
