// A page that goes while it works: freed by the host while the editor runs,
// destroyed from outside, asked again while it asks or reports.
#include "PageFixture.h"

using namespace testing_support;
using namespace desktop;
using namespace page_test;
using wendrik::TFormWendrik;

namespace {

TEST_F(PageTest, TheHostMayFreeThePageWhileTheEditorRuns) {
    fake.SetEditor(FakeSystem::Editor::Pending);
    Page();
    HWND window = page->Handle();
    BoxAnswerer boxes;
    static bool sawBusy = false;
    WhileTheEditorRuns during([] {
        auto* p = wendrik::ModulePage;
        sawBusy = p && !IsWindowEnabled(p->HotSpeedButtonOK->Handle()) &&
                  platform::Screen::Cursor() == platform::CursorHourGlass && p->Exporting();
        ModulSaveChanges();  // a second request while the first runs starts nothing
        EXPECT_EQ(1, ModulFree());
        FakeSystem::Active()->Finish(true);
    });
    EXPECT_EQ(1, ModulSaveChanges());
    EXPECT_TRUE(sawBusy);
    EXPECT_EQ(1u, fake.Starts().size());
    EXPECT_TRUE(boxes.Texts().empty());
    EXPECT_TRUE(catcher.Received().empty());
    EXPECT_EQ(nullptr, wendrik::ModulePage);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(platform::CursorDefault, platform::Screen::Cursor());
    EXPECT_EQ(1, ModulFree());
    // The export it started still ended in place, and nothing else is left.
    EXPECT_EQ(std::vector<std::string>{"2026127.reg"}, FilesIn(folder));
}

TEST_F(PageTest, APageDestroyedFromOutsideIsForgotten) {
    Page();
    DestroyWindow(page->Handle());
    PumpPending();
    EXPECT_EQ(nullptr, wendrik::ModulePage);
    EXPECT_EQ(1, ModulFree());
    EXPECT_EQ(1, ModulSaveChanges());
    EXPECT_TRUE(fake.Starts().empty());
}

TEST_F(PageTest, FreeAndSaveBeforeAnyPageDoNothing) {
    ASSERT_EQ(nullptr, wendrik::ModulePage);
    EXPECT_EQ(1, ModulFree());
    EXPECT_EQ(1, ModulSaveChanges());
    EXPECT_EQ(0, ModulChanged());
    EXPECT_EQ(2, ModulNr());
    EXPECT_TRUE(fake.Starts().empty());
}

// A page that is going away, and exports that overlap.

enum class Goes { ByFree, ByCommand0 };
Goes goes;
struct AfterGoing {
    bool visible, checkBoxClickCounted;
} seen;

TEST_F(PageTest, APageThatIsGoingAwayObeysNothingAndChangesNothing) {
    for (Goes how : {Goes::ByFree, Goes::ByCommand0}) {
        ResetModuleState();
        fake.SetEditor(FakeSystem::Editor::Pending);
        Page();
        BoxAnswerer boxes;
        goes = how;
        WhileTheEditorRuns during([] {
            auto* p = wendrik::ModulePage;
            HWND window = p->Handle(), check = p->CheckBox1->Handle(), undo = p->HotSpeedButtonUndo->Handle();
            if (goes == Goes::ByFree) ModulFree();
            else SendMessageA(window, wendrik::HostMessage, 0, 0);
            // Inside the page's own wait it still has its windows: they must not act.
            SendMessageA(window, wendrik::HostMessage, 200, 0);
            SendMessageA(check, BM_CLICK, 0, 0);
            Click(undo);
            seen = {IsWindowVisible(window) != 0, wendrik::ChangedFlag != 0};
            FakeSystem::Active()->Finish(true);
        });
        ModulSaveChanges();
        EXPECT_FALSE(seen.visible);
        EXPECT_FALSE(seen.checkBoxClickCounted);
        EXPECT_EQ(0, wendrik::ChangedFlag);
        EXPECT_EQ(0, wendrik::SavedFlag);
        EXPECT_EQ(0, wendrik::DefaultsRequested);
        EXPECT_TRUE(boxes.Texts().empty()) << boxes.Joined();
        EXPECT_TRUE(catcher.Received().empty());
        fake.ClearStarts();
        FreshFolder("wendrik-page");
    }
}

TEST_F(PageTest, ASecondExportWhileTheFirstAsksOrReportsDoesNothing) {
    Page();
    SetFileDate(Target(), 2026, 1, 23);  // another day's file: the page asks first
    BoxAnswerer boxes(IDYES);
    std::vector<int> results;
    boxes.OnBox([&](const std::string&) {
        results.push_back(ModulSaveChanges());
        Click(page->HotSpeedButtonOK->Handle());
    });
    ModulSaveChanges();
    ASSERT_EQ(2u, boxes.Texts().size()) << boxes.Joined();  // the question, then the result
    EXPECT_EQ((std::vector<int>{1, 1}), results);
    EXPECT_EQ(1u, fake.Starts().size());
    EXPECT_EQ(1u, catcher.Received().size());
}

bool checkBoxEnabledMidway = true, clickChangedMidway = true;

TEST_F(PageTest, TheCheckBoxIsHeldStillWhileTheExportRuns) {
    fake.SetEditor(FakeSystem::Editor::Pending);
    Page();
    SendMessageA(page->CheckBox1->Handle(), BM_CLICK, 0, 0);  // checked: the user's change
    ASSERT_EQ(1, ModulChanged());
    BoxAnswerer boxes;
    WhileTheEditorRuns during([] {
        auto* p = wendrik::ModulePage;
        checkBoxEnabledMidway = IsWindowEnabled(p->CheckBox1->Handle()) != 0;
        SendMessageA(p->CheckBox1->Handle(), BM_CLICK, 0, 0);  // sent anyway, as a program might
        clickChangedMidway = !p->CheckBox1->Checked() || wendrik::SavedFlag != 0 ||
                             IsWindowEnabled(p->HotSpeedButtonOK->Handle());
        FakeSystem::Active()->Finish(true);
    });
    Click(page->HotSpeedButtonOK->Handle());
    EXPECT_FALSE(checkBoxEnabledMidway);
    EXPECT_FALSE(clickChangedMidway);
    EXPECT_EQ(2, ModulChanged());  // applied, and nothing changed since it began
    EXPECT_TRUE(page->CheckBox1->Checked());
    EXPECT_TRUE(IsWindowEnabled(page->CheckBox1->Handle()));
    EXPECT_TRUE(IsWindowEnabled(page->HotSpeedButtonOK->Handle()));  // follows the checked box
    SendMessageA(page->CheckBox1->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(1, ModulChanged());
    EXPECT_FALSE(IsWindowEnabled(page->HotSpeedButtonOK->Handle()));
}

}  // namespace
