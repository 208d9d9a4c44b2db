// The page's browse button: the dialog it opens, what lands in the edit,
// and the host acting while the dialog is up.
#include "SelectDirDlgFixture.h"
#include "platform/system/ScopeGuard.h"

using namespace select_dir_test;

namespace {

// The browse button of the page, with the host acting while the dialog is up.
class BrowseButtonTest : public SelectDirDlgTest {
protected:
    void SetUp() override {
        SelectDirDlgTest::SetUp();
        ResetModuleState();
        page = CreatePage();
        ASSERT_NE(nullptr, page);
        edit = page->T288_Edit->Handle();
        SetWindowTextA(edit, base.c_str());
    }
    void TearDown() override {
        ModulFree();
        SelectDirDlgTest::TearDown();
    }
    void Browse() { Click(page->SpeedButton6->Handle()); }

    FakeSystem fake;
    wendrik::TFormWendrik* page = nullptr;
    HWND edit = nullptr;
};

TEST_F(BrowseButtonTest, ATypedFolderIsCreatedAndLandsInTheEdit) {
    boxes.SetButton(IDYES);
    std::string wanted = base + "\\Sicherung";
    script.Do([&](HWND d) {
        EXPECT_EQ(page->Handle(), GetWindow(d, GW_OWNER));
        EXPECT_FALSE(IsWindowEnabled(page->Handle())) << "the page waits while the dialog is up";
        Type(d, "Sicherung");
        Press(GetDlgItem(d, IDOK));
    });
    Browse();
    EXPECT_TRUE(script.Done());
    EXPECT_TRUE(IsFolder(wanted));
    EXPECT_EQ(wanted, WindowText(edit));
    EXPECT_TRUE(IsWindowEnabled(page->Handle()));
    EXPECT_EQ(elsewhere, CurrentDir());
}

TEST_F(BrowseButtonTest, AFailedCreationLeavesTheEditAlone) {
    boxes.SetButton(IDYES);
    script.Do([&](HWND d) {
        Type(d, "Q:\\Kein\\Laufwerk");
        Press(GetDlgItem(d, IDOK));
    });
    Browse();
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(base, WindowText(edit));
    EXPECT_NE(std::string::npos, boxes.Joined().find("Q:\\Kein\\Laufwerk"));
}

TEST_F(BrowseButtonTest, HelpInTheDialogExplainsTheBackupFolderInThePagesLanguage) {
    // The dialog's texts follow the last page's language; the next test's script wants German.
    platform::ScopeExit german([] { platform::Language::SetEnglish(false); });
    for (int language : {0, 1}) {
        ModulFree();
        page = CreatePage(kXpCode, language);
        ASSERT_NE(nullptr, page);
        const size_t before = boxes.Texts().size();
        WindowScript dialog{ResourceStrings::SSelectDirCap()};  // in the page's language now
        dialog.Do([&](HWND d) { Press(HelpButton(d)); }).Do([&](HWND d) {
            EXPECT_TRUE(IsWindowVisible(d)) << "help leaves the dialog open";
            Press(GetDlgItem(d, IDCANCEL));
        });
        Browse();
        EXPECT_TRUE(dialog.Done()) << "steps run: " << dialog.StepsRun();
        ASSERT_EQ(before + 1, boxes.Texts().size()) << "language " << language;
        const std::string& shown = boxes.Texts().back();
        EXPECT_EQ(0u, shown.find(language == 1 ? "Choose the folder" : "W\xE4hlen Sie den Ordner")) << shown;
    }
}

TEST_F(BrowseButtonTest, TheHostMayMoveOrCloseThePageWhileTheDialogIsUp) {
    HWND window = page->Handle();
    HWND dialog = nullptr;
    script.Do([&](HWND d) {
              dialog = d;
              SendMessageA(HWND_BROADCAST, wendrik::HostMessage, wendrik::CommandLeft, 40);
              SendMessageA(HWND_BROADCAST, wendrik::HostMessage, wendrik::CommandWidth, 320);
              Type(d, "Nach dem Schliessen");
          })
        .Do([&](HWND) { SendMessageA(window, wendrik::HostMessage, wendrik::CommandClose, 0); });
    Browse();
    EXPECT_TRUE(script.Done());
    PumpPending();
    EXPECT_FALSE(IsWindow(window)) << "command 0 closed the page";
    EXPECT_FALSE(IsWindow(dialog) && IsWindowVisible(dialog)) << "its dialog went with it";
    EXPECT_FALSE(IsFolder(base + "\\Nach dem Schliessen"));
    EXPECT_EQ(1, ModulFree());

    // ModulFree from inside the dialog's loop.
    page = CreatePage();
    ASSERT_NE(nullptr, page);
    window = page->Handle();
    script.Do([&](HWND d) {
        dialog = d;
        EXPECT_EQ(1, ModulFree());
    });
    Browse();
    EXPECT_TRUE(script.Done());
    PumpPending();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(IsWindow(dialog) && IsWindowVisible(dialog));
    EXPECT_EQ(elsewhere, CurrentDir());
}

}  // namespace
