// What the select-directory dialog tests share: the dialog's controls as a
// user sees them, folders made and removed, and the fixture that runs the
// dialog while a script plays.
#pragma once

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

namespace select_dir_test {

using namespace testing_support;
using namespace desktop;
using wendrik::PickDirectory;
using wendrik::ResourceStrings;

inline std::string CurrentDir() {
    char dir[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, dir);
    return dir;
}

inline void RemoveTree(const std::string& folder) {
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

inline bool IsFolder(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The dialog's controls as a user sees them.
inline HWND Edit(HWND dialog) { return ChildWithText(dialog, "Edit", nullptr); }
inline HWND Drives(HWND dialog) { return ChildWithText(dialog, "ComboBox", nullptr); }
inline HWND ListAt(HWND dialog, bool left) {
    HWND found = nullptr;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char cls[32] = {};
        GetClassNameA(child, cls, sizeof(cls));
        if (lstrcmpiA(cls, "ListBox") == 0 && (BoundsInParent(child).left < 100) == left) found = child;
    }
    return found;
}
inline HWND Folders(HWND dialog) { return ListAt(dialog, true); }
inline HWND Files(HWND dialog) { return ListAt(dialog, false); }
inline HWND HelpButton(HWND dialog) { return ChildWithText(dialog, "Button", ResourceStrings::SHelpButton().c_str()); }
inline HWND NetButton(HWND dialog) { return ChildWithText(dialog, "Button", ResourceStrings::SNetworkCap().c_str()); }
inline void Type(HWND dialog, const std::string& text) { SetWindowTextA(Edit(dialog), text.c_str()); }
inline void Press(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }


class SelectDirDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::Language::SetEnglish(false);
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

inline std::string ComboText(HWND combo, int index) {
    char item[300] = {};
    if (index >= 0) SendMessageA(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(item));
    return item;
}

inline std::string ListText(HWND list, int index) {
    char item[300] = {};
    SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(item));
    return item;
}

}  // namespace select_dir_test
