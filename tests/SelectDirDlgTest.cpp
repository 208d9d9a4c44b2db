// The select-directory dialog driven as a user drives it: a script on a
// thread timer finds the dialog, types, presses keys and buttons, and the
// message boxes are answered by the box answerer. What comes out is read
// back from the file system and the windows.
#include <gtest/gtest.h>

#include <string>

#include "BoxAnswerer.h"
#include "FakeSystem.h"
#include "PageHelpers.h"
#include "Pump.h"
#include "RegistryValue.h"
#include "WindowScript.h"
#include "filectrl/PickDirectory.h"
#include "filectrl/ResourceStrings.h"
#include "module/Exports.h"
#include "module/FormWendrik.h"
#include "module/ModuleState.h"
#include "platform/system/Application.h"
#include "platform/system/Files.h"
#include "platform/system/SystemFunctions.h"
#include "template/HostProtocol.h"

using namespace testing_support;
using wendrik::PickDirectory;
using wendrik::ResourceStrings;

namespace {

std::string CurrentDir() {
    char dir[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, dir);
    return dir;
}

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = data.cFileName;
            if (name == "." || name == "..") continue;
            std::string path = folder + "\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(path);
            else DeleteFileA(path.c_str());
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

bool IsFolder(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The dialog's controls as a user sees them.
HWND Edit(HWND dialog) { return ChildWithText(dialog, "Edit", nullptr); }
HWND Drives(HWND dialog) { return ChildWithText(dialog, "ComboBox", nullptr); }
HWND ListAt(HWND dialog, bool left) {
    HWND found = nullptr;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char cls[32] = {};
        GetClassNameA(child, cls, sizeof(cls));
        if (lstrcmpiA(cls, "ListBox") == 0 && (BoundsInParent(child).left < 100) == left) found = child;
    }
    return found;
}
HWND Folders(HWND dialog) { return ListAt(dialog, true); }
HWND Files(HWND dialog) { return ListAt(dialog, false); }
HWND HelpButton(HWND dialog) { return ChildWithText(dialog, "Button", ResourceStrings::SHelpButton().c_str()); }
HWND NetButton(HWND dialog) { return ChildWithText(dialog, "Button", ResourceStrings::SNetworkCap().c_str()); }
void Type(HWND dialog, const std::string& text) { SetWindowTextA(Edit(dialog), text.c_str()); }
void Press(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }


class SelectDirDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResourceStrings::UseEnglish(false);
        base = FreshFolder("seldir");
        RemoveTree(base);
        CreateDirectoryA(base.c_str(), nullptr);
        CreateDirectoryA((base + "\\Sub").c_str(), nullptr);
        CreateDirectoryA((base + "\\Sub\\Deeper").c_str(), nullptr);
        elsewhere = base + "\\Elsewhere";
        CreateDirectoryA(elsewhere.c_str(), nullptr);
        SetCurrentDirectoryA(elsewhere.c_str());
    }
    void TearDown() override {
        SetShift(false);
        SetCurrentDirectoryA(base.c_str());
        SetCurrentDirectoryA("C:\\");
        RemoveTree(base);
    }
    // Runs the dialog on `start` while `script` plays; it fails the test if
    // the script did not finish. The process's directory must come back.
    bool Pick(std::string& dir, int options, int help = 1000) {
        bool result = PickDirectory(dir, static_cast<wendrik::TDirPickOptions>(options), help);
        EXPECT_TRUE(script.Done()) << "steps run: " << script.StepsRun();
        EXPECT_EQ(elsewhere, CurrentDir()) << "the current directory was not put back";
        return result;
    }

    BoxAnswerer boxes{IDOK};
    WindowScript script{ResourceStrings::SSelectDirCap()};
    std::string base, elsewhere;
};

TEST_F(SelectDirDlgTest, ANewFolderIsCreatedOnlyAfterYes) {
    std::string dir = base;
    std::string wanted = base + "\\Neu";
    script.Do([&](HWND d) {
              EXPECT_EQ(base, WindowText(Edit(d))) << "the edit starts at the start folder";
              boxes.SetButton(IDNO);
              Type(d, wanted);
              Press(GetDlgItem(d, IDOK));
          })
        .Do([&](HWND d) {
            EXPECT_TRUE(IsWindowVisible(d)) << "No keeps the dialog open";
            EXPECT_FALSE(IsFolder(wanted));
            boxes.SetButton(IDYES);
            Press(GetDlgItem(d, IDOK));
        });
    ASSERT_TRUE(Pick(dir, 7));
    EXPECT_EQ(wanted, dir);
    EXPECT_TRUE(IsFolder(wanted));
    ASSERT_EQ(2u, boxes.Texts().size());
    EXPECT_EQ(ResourceStrings::SConfirmCreateDir(), boxes.Texts()[0]);
    EXPECT_EQ(ResourceStrings::SConfirmCreateDir(), boxes.Texts()[1]);
}

TEST_F(SelectDirDlgTest, CancelEscapeAndTheCloseBoxChangeNothing) {
    std::string wanted = base + "\\Nie";
    auto typeThen = [&](std::function<void(HWND)> leave) {
        script.Do([&, leave](HWND d) {
            Type(d, wanted);
            leave(d);
        });
    };
    typeThen([](HWND d) { Press(GetDlgItem(d, IDCANCEL)); });
    typeThen([](HWND d) {
        SetFocus(Edit(d));
        PostKey(Edit(d), VK_ESCAPE);
    });
    typeThen([](HWND d) { PostMessageA(d, WM_CLOSE, 0, 0); });
    for (int way = 0; way < 3; ++way) {
        std::string dir = base;
        EXPECT_FALSE(PickDirectory(dir, 7, 1000)) << "way " << way;
        EXPECT_EQ(base, dir);
        EXPECT_EQ(elsewhere, CurrentDir());
    }
    EXPECT_TRUE(script.Done());
    EXPECT_FALSE(IsFolder(wanted));
    EXPECT_TRUE(boxes.Texts().empty()) << boxes.Joined();
}

TEST_F(SelectDirDlgTest, OptionsDecideTheEditTheQuestionAndTheCreation) {
    // Without dpTypeName the path label shows, and OK returns the folder shown.
    std::string dir = base + "\\Sub";
    script.Do([&](HWND d) {
        EXPECT_FALSE(IsWindowVisible(Edit(d)));
        Press(GetDlgItem(d, IDOK));
    });
    ASSERT_TRUE(Pick(dir, 0));
    EXPECT_EQ(base + "\\Sub", dir);

    // dpTypeName alone: a missing folder is taken as typed, unasked and not made.
    std::string missing = base + "\\Fehlt";
    script.Do([&](HWND d) {
        EXPECT_TRUE(IsWindowVisible(Edit(d)));
        Type(d, missing);
        Press(GetDlgItem(d, IDOK));
    });
    dir = base;
    ASSERT_TRUE(Pick(dir, wendrik::dpTypeName));
    EXPECT_EQ(missing, dir);
    EXPECT_FALSE(IsFolder(missing));

    // dpCreateOnOk without dpTypeName: the folder opened in the list is returned.
    script.Do([&](HWND d) {
              HWND list = Folders(d);
              int sub = static_cast<int>(SendMessageA(list, LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>("Deeper")));
              ASSERT_GE(sub, 0);
              SendMessageA(list, LB_SETCURSEL, sub, 0);
              SetFocus(list);
              PostKey(list, VK_RETURN);
          })
        .Do([&](HWND d) { Press(GetDlgItem(d, IDOK)); });
    dir = base + "\\Sub";
    ASSERT_TRUE(Pick(dir, wendrik::dpCreateOnOk));
    EXPECT_EQ(base + "\\Sub\\Deeper", dir);
    EXPECT_TRUE(boxes.Texts().empty()) << boxes.Joined();
}

TEST_F(SelectDirDlgTest, TheStartFolderChoosesTheDriveOrFallsBackToTheCurrentDirectory) {
    // On another drive: the drive box moves to it before the folder list.
    std::string dir = "Z:\\tmp";
    script.Do([&](HWND d) {
        HWND drives = Drives(d);
        char item[256] = {};
        SendMessageA(drives, CB_GETLBTEXT, SendMessageA(drives, CB_GETCURSEL, 0, 0), reinterpret_cast<LPARAM>(item));
        EXPECT_EQ('z', item[0]) << item;
        EXPECT_EQ(0, lstrcmpiA("Z:\\tmp", WindowText(Edit(d)).c_str())) << WindowText(Edit(d));
        Press(GetDlgItem(d, IDCANCEL));
    });
    EXPECT_FALSE(Pick(dir, 7));

    // A start folder that is missing: where the process is.
    dir = base + "\\Fehlt\\Tiefer";
    script.Do([&](HWND d) {
        EXPECT_EQ(elsewhere, WindowText(Edit(d)));
        Press(GetDlgItem(d, IDCANCEL));
    });
    EXPECT_FALSE(Pick(dir, 7));
    EXPECT_EQ(base + "\\Fehlt\\Tiefer", dir);
}

TEST_F(SelectDirDlgTest, TheHelpButtonShowsItsContextOrMakesRoom) {
    std::vector<int> helped;
    platform::Application::SetHelpHandler([&](int context) { helped.push_back(context); });
    std::string dir = base;
    script.Do([&](HWND d) {
        EXPECT_EQ(172, BoundsInParent(GetDlgItem(d, IDOK)).left);
        EXPECT_EQ(256, BoundsInParent(GetDlgItem(d, IDCANCEL)).left);
        ASSERT_TRUE(HelpButton(d));
        EXPECT_TRUE(IsWindowVisible(HelpButton(d)));
        EXPECT_EQ(340, BoundsInParent(HelpButton(d)).left);
        Press(HelpButton(d));
    });
    script.Do([&](HWND d) { Press(GetDlgItem(d, IDCANCEL)); });
    EXPECT_FALSE(Pick(dir, 7, 1000));
    EXPECT_EQ(std::vector<int>{1000}, helped);

    script.Do([&](HWND d) {
        EXPECT_EQ(256, BoundsInParent(GetDlgItem(d, IDOK)).left);
        EXPECT_EQ(340, BoundsInParent(GetDlgItem(d, IDCANCEL)).left);
        EXPECT_FALSE(IsWindowVisible(HelpButton(d)));
        Press(GetDlgItem(d, IDCANCEL));
    });
    EXPECT_FALSE(Pick(dir, 7, 0));
    platform::Application::SetHelpHandler(nullptr);
}

// The system's network entries, as the table of system functions presents them.
struct NetworkEntries {
    static inline bool caps = false, connect = false;
    static inline std::vector<std::pair<HWND, DWORD>> dialogs;
    static WORD WINAPI Caps(WORD index) { return index == 0xFFFF ? 0x1234 : 0; }
    static DWORD WINAPI Connect(HWND owner, DWORD type) {
        dialogs.emplace_back(owner, type);
        return 0;
    }
    static FARPROC WINAPI Lookup(HMODULE module, LPCSTR name) {
        if (caps && std::string(name) == "WNETGETCAPS") return reinterpret_cast<FARPROC>(Caps);
        if (connect && module == reinterpret_cast<HMODULE>(0x1234) && std::string(name) == "WNETCONNECTDIALOG")
            return reinterpret_cast<FARPROC>(Connect);
        return nullptr;
    }
};

TEST_F(SelectDirDlgTest, TheNetworkButtonShowsOnlyWhenBothEntriesAreFound) {
    FakeSystem fake;  // puts the table back when done
    platform::SystemFunctions::Current().GetProcAddress = NetworkEntries::Lookup;
    for (auto [caps, connect] : {std::pair{false, false}, {true, false}, {true, true}}) {
        NetworkEntries::caps = caps;
        NetworkEntries::connect = connect;
        NetworkEntries::dialogs.clear();
        HWND shown = nullptr;
        script.Do([&, both = caps && connect](HWND d) {
            shown = d;
            HWND net = NetButton(d);
            ASSERT_TRUE(net);
            EXPECT_EQ(both, IsWindowVisible(net) != FALSE) << caps << connect;
            if (both) Press(net);
        });
        script.Do([&](HWND d) { Press(GetDlgItem(d, IDCANCEL)); });
        std::string dir = base;
        EXPECT_FALSE(Pick(dir, 7));
        if (caps && connect) {
            ASSERT_EQ(1u, NetworkEntries::dialogs.size());
            EXPECT_EQ(shown, NetworkEntries::dialogs[0].first);
            EXPECT_EQ(1u, NetworkEntries::dialogs[0].second);  // RESOURCETYPE_DISK
        }
    }
}

TEST_F(SelectDirDlgTest, AFolderThatCannotBeCreatedIsReportedAndNotReturned) {
    boxes.SetButton(IDYES);
    std::string tooLong = base + "\\" + std::string(200, 'x') + "\\" + std::string(200, 'y');
    for (const std::string& bad : {std::string("Q:\\Kein\\Laufwerk"), tooLong}) {
        script.Do([&](HWND d) {
            Type(d, bad);
            Press(GetDlgItem(d, IDOK));
        });
        std::string dir = base;
        EXPECT_FALSE(Pick(dir, 7)) << bad;
        EXPECT_EQ(base, dir);
        ASSERT_FALSE(boxes.Texts().empty());
        EXPECT_NE(std::string::npos, boxes.Texts().back().find(bad)) << boxes.Texts().back();
        EXPECT_NE(std::string::npos, boxes.Texts().back().find("konnte nicht erstellt werden"));
    }
}

TEST_F(SelectDirDlgTest, AnEmptyNameIsRefusedAndTheDialogStays) {
    std::string dir = base;
    script.Do([&](HWND d) {
              Type(d, "   ");
              Press(GetDlgItem(d, IDOK));
          })
        .Do([&](HWND d) {
            EXPECT_TRUE(IsWindowVisible(d));
            Press(GetDlgItem(d, IDCANCEL));
        });
    EXPECT_FALSE(Pick(dir, 7));
    ASSERT_EQ(1u, boxes.Texts().size());
    EXPECT_EQ(ResourceStrings::SNoDirectoryName(), boxes.Texts()[0]);
}

TEST_F(SelectDirDlgTest, ARelativeNameCountsFromTheFolderShown) {
    boxes.SetButton(IDYES);
    struct Case {
        const char* typed;
        std::string expected;
    };
    std::string root = base.substr(0, 2);  // "C:"
    for (const Case& c : {Case{"Relativ", base + "\\Sub\\Relativ"}, Case{"..\\Daneben", base + "\\Daneben"},
                          Case{"\\WendrikWurzel", root + "\\WendrikWurzel"}}) {
        script.Do([&](HWND d) {
            Type(d, c.typed);
            Press(GetDlgItem(d, IDOK));
        });
        std::string dir = base + "\\Sub";
        ASSERT_TRUE(Pick(dir, 7)) << c.typed;
        EXPECT_EQ(c.expected, dir);
        EXPECT_TRUE(IsFolder(c.expected)) << c.expected;
    }
    EXPECT_FALSE(IsFolder(elsewhere + "\\Relativ")) << "made where the process was";
    RemoveDirectoryA((root + "\\WendrikWurzel").c_str());
}

TEST_F(SelectDirDlgTest, TabFollowsTheSequenceAndEnterInTheFolderListOpensAFolder) {
    std::string dir = base;
    script.Do([&](HWND d) {
              // Folders, name, drives, OK, Cancel, files, help: the network button is hidden.
              std::vector<HWND> sequence = {Folders(d), Edit(d), Drives(d), GetDlgItem(d, IDOK),
                                            GetDlgItem(d, IDCANCEL), Files(d), HelpButton(d), Folders(d)};
              EXPECT_EQ(sequence[0], GetFocus()) << "the folder list has the focus first";
              for (size_t i = 1; i < sequence.size(); ++i) {
                  PostKey(GetFocus(), VK_TAB);
                  PumpPending();
                  EXPECT_EQ(sequence[i], GetFocus()) << "Tab step " << i;
              }
              SetShift(true);
              for (size_t i = sequence.size() - 1; i-- > 0;) {
                  PostKey(GetFocus(), VK_TAB);
                  PumpPending();
                  EXPECT_EQ(sequence[i], GetFocus()) << "Shift+Tab to " << i;
              }
              SetShift(false);
              HWND list = Folders(d);
              SetFocus(list);
              int sub = static_cast<int>(SendMessageA(list, LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>("Sub")));
              ASSERT_GE(sub, 0);
              SendMessageA(list, LB_SETCURSEL, sub, 0);
              PostKey(list, VK_RETURN);
          })
        .Do([&](HWND d) {
            EXPECT_TRUE(IsWindowVisible(d)) << "Enter in the folder list does not close the dialog";
            EXPECT_EQ(base + "\\Sub", WindowText(Edit(d)));
            SetFocus(Edit(d));
            PostKey(Edit(d), VK_RETURN);  // elsewhere Enter is OK
        });
    ASSERT_TRUE(Pick(dir, 7));
    EXPECT_EQ(base + "\\Sub", dir);
}

TEST_F(SelectDirDlgTest, CaptionAcceleratorsMoveTheFocus) {
    std::string dir = base;
    script.Do([&](HWND d) {
        struct Key {
            char key;
            HWND target;
        };
        // Verzeichnis&name, &Laufwerke, &Verzeichnisse, &Dateien.
        for (Key k : {Key{'n', Edit(d)}, Key{'l', Drives(d)}, Key{'d', Files(d)}, Key{'v', Folders(d)}}) {
            PostChar(GetFocus(), k.key, true);
            PumpPending();
            EXPECT_EQ(k.target, GetFocus()) << "Alt+" << k.key;
        }
        Press(GetDlgItem(d, IDCANCEL));
    });
    EXPECT_FALSE(Pick(dir, 7));
}

TEST_F(SelectDirDlgTest, TheDialogSpeaksEnglishWhenThePageDoes) {
    ResourceStrings::UseEnglish(true);
    WindowScript english("Select Directory");
    english.Do([&](HWND d) {
        EXPECT_TRUE(ChildWithText(d, "Button", "Cancel"));
        EXPECT_TRUE(ChildWithText(d, nullptr, "&Directories:"));
        Press(GetDlgItem(d, IDCANCEL));
    });
    std::string dir = base;
    EXPECT_FALSE(PickDirectory(dir, 7, 1000));
    EXPECT_TRUE(english.Done());
    ResourceStrings::UseEnglish(false);
}

std::string ComboText(HWND combo, int index) {
    char item[300] = {};
    if (index >= 0) SendMessageA(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(item));
    return item;
}

std::string ListText(HWND list, int index) {
    char item[300] = {};
    SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(item));
    return item;
}

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
