// The dialog at 96, 120 and 144 dpi: scaled, centred, its item heights
// and its grey file list.
#include "SelectDirDlgFixture.h"

using namespace select_dir_test;

namespace {

// The dialog grows with the screen (5/4 at 120 dpi, 3/2 at 144), stands in
// the middle of the screen, keeps its grey file list and the item heights
// of its layout (17 for folders, 13 for files, scaled); at 96 dpi as laid out.
void CheckDialogAtThisDpi() {
    HDC screen = GetDC(nullptr);
    const int ppi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    std::string folder = FreshFolder("seldirdpi");
    HANDLE file = CreateFileA((folder + "\\Datei.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(file);
    WindowScript script(ResourceStrings::SSelectDirCap());
    script.Do([&](HWND d) {
        RECT client, outer;
        GetClientRect(d, &client);
        GetWindowRect(d, &outer);
        EXPECT_NEAR(MulDiv(424, ppi, 96), client.right, 1);
        EXPECT_NEAR(MulDiv(255, ppi, 96), client.bottom, 1);
        int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
        EXPECT_NEAR(cx / 2, (outer.left + outer.right) / 2, 1) << "centred by its outer size";
        EXPECT_NEAR(cy / 2, (outer.top + outer.bottom) / 2, 1);
        EXPECT_EQ(MulDiv(172, ppi, 96), BoundsInParent(GetDlgItem(d, IDOK)).left);
        EXPECT_EQ(MulDiv(17, ppi, 96), SendMessageA(Folders(d), LB_GETITEMHEIGHT, 0, 0)) << "folder items";
        EXPECT_EQ(MulDiv(13, ppi, 96), SendMessageA(Files(d), LB_GETITEMHEIGHT, 0, 0)) << "file items";
        RedrawWindow(d, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        DWORD grey = GetSysColor(COLOR_GRAYTEXT);
        DWORD greyPixel = (GetRValue(grey) << 16) | (GetGValue(grey) << 8) | GetBValue(grey);
        int greyCount = 0, blackCount = 0;
        for (DWORD pixel : ClientPixels(Files(d))) {
            greyCount += pixel == greyPixel;
            blackCount += pixel == 0;
        }
        EXPECT_GT(greyCount, 10) << "the file names are drawn grey";
        EXPECT_EQ(0, blackCount);
        Press(GetDlgItem(d, IDCANCEL));
    });
    std::string dir = folder;
    EXPECT_FALSE(PickDirectory(dir, 7, 1000));
    EXPECT_TRUE(script.Done());
}

TEST(SelectDirDlgDpi, TheDialogIsScaledCentredAndItsFilesGreyAtEveryResolution) {
    if (DpiChild()) GTEST_SKIP();
    CheckDialogAtThisDpi();  // 96
    EXPECT_EQ(0u, RunSelfAtDpi(120, "SelectDirDlgDpiChild.*")) << "the checks at 120 dpi failed";
    EXPECT_EQ(0u, RunSelfAtDpi(144, "SelectDirDlgDpiChild.*")) << "the checks at 144 dpi failed";
}

TEST(SelectDirDlgDpiChild, Checks) {
    if (!DpiChild()) GTEST_SKIP();
    CheckDialogAtThisDpi();
}

}  // namespace
