// The select-directory dialog driven as a user drives it: a script on a
// thread timer finds the dialog, types, presses keys and buttons, and the
// message boxes are answered by the box answerer. What comes out is read
// back from the file system and the windows.
#include "SelectDirDlgFixture.h"

using namespace select_dir_test;

namespace {

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
    platform::Language::SetEnglish(true);
    WindowScript english("Select Directory");
    english.Do([&](HWND d) {
        EXPECT_TRUE(ChildWithText(d, "Button", "Cancel"));
        EXPECT_TRUE(ChildWithText(d, nullptr, "&Directories:"));
        Press(GetDlgItem(d, IDCANCEL));
    });
    std::string dir = base;
    EXPECT_FALSE(PickDirectory(dir, 7, 1000));
    EXPECT_TRUE(english.Done());
    platform::Language::SetEnglish(false);
}

}  // namespace
