// Pages come and go without leaving windows, GDI objects, keys or memory.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "FakeSystem.h"
#include "PageHelpers.h"
#include "Pump.h"
#include "RegistryValue.h"
#include "module/Exports.h"
#include "module/ModuleState.h"
#include "platform/Control.h"
#include "platform/GdiHandle.h"
#include "platform/ImageList.h"
#include "platform/Registry.h"

using namespace testing_support;

namespace {

// Committed private memory of the process, region by region (the memory
// counters of the process API are not filled in on every system).
SIZE_T PrivateBytes() {
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION info;
    for (const char* at = nullptr;
         VirtualQuery(at, &info, sizeof(info)) == sizeof(info);
         at = static_cast<const char*>(info.BaseAddress) + info.RegionSize) {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) total += info.RegionSize;
        if (static_cast<const char*>(info.BaseAddress) + info.RegionSize < at) break;
    }
    return total;
}

struct Census {
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

    Census before;
    SIZE_T bytesBefore = PrivateBytes();
    for (int i = 0; i < 200; ++i) CreateAndFree();
    Census after;
    SIZE_T bytesAfter = PrivateBytes();

    EXPECT_EQ(before.gdi, after.gdi);
    EXPECT_EQ(before.windows, after.windows);
    EXPECT_EQ(before.lists, after.lists);
    EXPECT_EQ(before.keys, after.keys);
    EXPECT_EQ(before.threadWindows, after.threadWindows);
    EXPECT_GT(bytesBefore, 0u);
    EXPECT_LT(static_cast<long long>(bytesAfter) - static_cast<long long>(bytesBefore), 1024 * 1024)
        << "private bytes grew from " << bytesBefore << " to " << bytesAfter;
}

}  // namespace
