// At a screen resolution other than 96 dpi the page says "Big" once and
// keeps the layout it was designed with. The resolution is read when a
// process starts, so the test runs itself again with 120 dpi set.
#include <gtest/gtest.h>

#include <string>

#include "BoxAnswerer.h"
#include "FakeSystem.h"
#include "PageHelpers.h"
#include "Pump.h"
#include "RegistryValue.h"
#include "module/Exports.h"
#include "module/ModuleState.h"
#include "platform/Screen.h"

using namespace testing_support;

namespace {

bool InChild() { return GetEnvironmentVariableA("WENDRIK_DPI_CHILD", nullptr, 0) > 0; }

TEST(DpiTest, RunsThePageAt120Dpi) {
    if (InChild()) GTEST_SKIP() << "the child runs the checks";
    RegistryValue dpi("Control Panel\\Desktop", "LogPixels");
    dpi.SetDword(120);
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string command = std::string("\"") + exe + "\" --gtest_filter=DpiChild.*";
    SetEnvironmentVariableA("WENDRIK_DPI_CHILD", "1");
    STARTUPINFOA si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &si, &pi));
    SetEnvironmentVariableA("WENDRIK_DPI_CHILD", nullptr);
    WaitForSingleObject(pi.hProcess, 120000);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    EXPECT_EQ(0u, code) << "the checks at 120 dpi failed";
}

TEST(DpiChild, SaysBigOnceAndKeepsTheDesignedLayout) {
    if (!InChild()) GTEST_SKIP() << "runs only at 120 dpi";
    ASSERT_EQ(120, platform::Screen::PixelsPerInch());
    ResetModuleState();
    FakeSystem fake;
    BoxAnswerer boxes;
    wendrik::TFormWendrik* page = CreatePage();
    ASSERT_NE(nullptr, page);
    ASSERT_EQ(1u, boxes.Texts().size());
    EXPECT_EQ("Big", boxes.Texts()[0]);
    // Scaled up to the screen on load, then back by 96/120: the design's pixels.
    RECT memo = BoundsInParent(page->MemoHelpD->Handle());
    EXPECT_EQ(16, memo.left);
    EXPECT_EQ(32, memo.top);
    EXPECT_EQ(105, memo.bottom - memo.top);
    RECT edit = BoundsInParent(page->T288_Edit->Handle());
    EXPECT_EQ(22, edit.left);
    EXPECT_EQ(179, edit.top);
    EXPECT_EQ(225, edit.right - edit.left);
    EXPECT_EQ(-11, FontOf(page->MemoHelpD->Handle()).lfHeight);
    EXPECT_EQ(-12, FontOf(page->StaticTextTitle->Handle()).lfHeight);
    ModulFree();
    CreatePage();
    EXPECT_EQ(2u, boxes.Texts().size());  // once per page
    ModulFree();
}

}  // namespace
