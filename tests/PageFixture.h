// The page fixture and helpers shared by the page tests.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>
#include <sddl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "BoxAnswerer.h"
#include "BroadcastCatcher.h"
#include "FakeSystem.h"
#include "PageHelpers.h"
#include "Pump.h"
#include "RegistryValue.h"
#include "module/Exports.h"
#include "module/ModuleState.h"
#include "platform/window/MessageBoxes.h"
#include "platform/drawing/Screen.h"

namespace page_test {

using namespace testing_support;
using wendrik::TFormWendrik;

inline std::string WindowsFolder() {
    char path[MAX_PATH] = {};
    GetWindowsDirectoryA(path, MAX_PATH);
    return path;
}

inline void SetFileDate(const std::string& path, WORD year, WORD month, WORD day) {
    SYSTEMTIME local = {year, month, 0, day, 12, 0, 0, 0};
    FILETIME localFile, utc;
    SystemTimeToFileTime(&local, &localFile);
    LocalFileTimeToFileTime(&localFile, &utc);
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    SetFileTime(f, nullptr, nullptr, &utc);
    CloseHandle(f);
}

class PageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetModuleState();
        folder = FreshFolder("wendrik-page");
        backup.SetString(folder);
        bsControl.Remove();
        fake.SetDate(2026, 12, 7);
    }
    void TearDown() override {
        ModulFree();
        platform::SetErrorReporter(nullptr);
    }
    TFormWendrik* Page(int language = 0) {
        page = CreatePage(kXpCode, language);
        return page;
    }
    std::string Target() const { return folder + "\\" + page->ExportFileName(); }
    // The page's date made today's, the date the files it writes get.
    void Today() {
        SYSTEMTIME now;
        GetLocalTime(&now);
        fake.SetDate(now.wYear, now.wMonth, now.wDay);
    }

    RegistryValue backup{kHostKey, "BackupPath"};
    RegistryValue bsControl{kHostKey, "BSControl"};
    FakeSystem fake;
    BroadcastCatcher catcher{wendrik::HostMessage};
    std::string folder;
    TFormWendrik* page = nullptr;
};

// True when the editor was told to write the temporary file of `name`:
// "/E ~<name>.XXXXXXXX.tmp", eight hexadecimal digits.
inline bool WritesTemporaryOf(const std::string& name, const std::string& parameters) {
    const std::string head = "/E ~" + name + ".";
    if (parameters.size() != head.size() + 12 || parameters.rfind(head, 0) != 0) return false;
    if (parameters.compare(parameters.size() - 4, 4, ".tmp") != 0) return false;
    return std::all_of(parameters.begin() + head.size(), parameters.end() - 4,
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); });
}

// The names in a folder, as the system lists them.
inline std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

inline std::string FileText(const std::string& path) {
    std::string text;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char buffer[256];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof(buffer), f)) > 0) text.append(buffer, n);
        std::fclose(f);
    }
    return text;
}

}  // namespace page_test
