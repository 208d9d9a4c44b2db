// The dialog on real machines' drives: a start folder on an absent drive,
// a drive that fails to open, a host on a network share, and what the user
// typed kept after No.
#include "SelectDirDlgFixture.h"

using namespace select_dir_test;

namespace {

// A drive the machine lists but that cannot be entered: a removed stick, a
// card reader without a card, a disconnected network letter.
const std::vector<FakeSystem::Drive> kDrivesWithAnAbsentOne = {
    {'c', DRIVE_FIXED, "System"},
    {'q', DRIVE_REMOVABLE},
    {'z', DRIVE_FIXED, "Root"},
};

TEST_F(SelectDirDlgTest, AStartFolderOnADriveThatIsNotThereOpensWhereTheProcessIs) {
    FakeSystem fake;
    fake.SetDrives(kDrivesWithAnAbsentOne);
    for (const char* start : {"Q:\\Sicherung", "Y:\\Ohne\\Laufwerk"}) {
        std::string dir = start;
        script.Do([&](HWND d) {
            HWND folders = Folders(d);
            EXPECT_EQ("Elsewhere", ListText(folders, static_cast<int>(SendMessageA(folders, LB_GETCURSEL, 0, 0))))
                << "the folder list shows where the process is";
            HWND drives = Drives(d);
            EXPECT_EQ('c', ComboText(drives, static_cast<int>(SendMessageA(drives, CB_GETCURSEL, 0, 0)))[0])
                << "the drive of the folder shown is selected";
            EXPECT_EQ(start, WindowText(Edit(d))) << "the typed folder stays in the edit";
            Press(GetDlgItem(d, IDCANCEL));
        });
        EXPECT_FALSE(Pick(dir, 7)) << start;
        EXPECT_TRUE(boxes.Texts().empty()) << boxes.Joined();
        EXPECT_EQ(start, dir);
    }
}

TEST_F(SelectDirDlgTest, ADriveThatFailsToOpenGivesTheSelectionBackAndCanBeTriedAgain) {
    FakeSystem fake;
    fake.SetDrives(kDrivesWithAnAbsentOne);
    std::string dir = base;
    auto pickQ = [](HWND d) {
        HWND drives = Drives(d);
        SendMessageA(drives, CB_SETCURSEL, 1, 0);  // "q:"
        SendMessageA(d, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(drives), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(drives));
    };
    script.Do(pickQ)
        .Do([&](HWND d) {
            HWND drives = Drives(d);
            EXPECT_EQ('c', ComboText(drives, static_cast<int>(SendMessageA(drives, CB_GETCURSEL, 0, 0)))[0])
                << "back at the drive the folder list still shows";
            EXPECT_EQ(base, WindowText(Edit(d)));
            pickQ(d);
        })
        .Do([&](HWND d) { Press(GetDlgItem(d, IDCANCEL)); });
    EXPECT_FALSE(Pick(dir, 7));
    EXPECT_EQ(2u, boxes.Texts().size()) << "each try is answered: " << boxes.Joined();
}

TEST_F(SelectDirDlgTest, AHostOnANetworkShareOpensTheDialogOnTheSharesTree) {
    ASSERT_TRUE(SetCurrentDirectoryA("\\\\srv\\share\\x"));
    script.Do([&](HWND d) {
        HWND drives = Drives(d);
        EXPECT_EQ(-1, SendMessageA(drives, CB_GETCURSEL, 0, 0)) << "no drive selected";
        EXPECT_GT(SendMessageA(drives, CB_GETCOUNT, 0, 0), 0);
        EXPECT_EQ(0, lstrcmpiA("\\\\srv\\share\\", ListText(Folders(d), 0).c_str())) << ListText(Folders(d), 0);
        EXPECT_EQ(0, lstrcmpiA("x", ListText(Folders(d), 1).c_str())) << ListText(Folders(d), 1);
        Press(GetDlgItem(d, IDCANCEL));
    });
    std::string dir;
    EXPECT_FALSE(PickDirectory(dir, wendrik::TDirPickOptions(7), 1000));
    EXPECT_TRUE(script.Done()) << "the dialog opened";
    EXPECT_TRUE(boxes.Texts().empty()) << boxes.Joined();
    EXPECT_EQ(0, lstrcmpiA("\\\\srv\\share\\x", CurrentDir().c_str())) << CurrentDir();
}

TEST_F(SelectDirDlgTest, NoToTheQuestionKeepsWhatTheUserTyped) {
    boxes.SetButton(IDNO);
    std::string dir = base;
    script.Do([&](HWND d) {
              Type(d, "Neu\\Tiefer");
              Press(GetDlgItem(d, IDOK));
          })
        .Do([&](HWND d) {
            EXPECT_EQ("Neu\\Tiefer", WindowText(Edit(d)));
            Press(GetDlgItem(d, IDCANCEL));
        });
    EXPECT_FALSE(Pick(dir, 7));
    EXPECT_EQ(1u, boxes.Texts().size());
}

}  // namespace
