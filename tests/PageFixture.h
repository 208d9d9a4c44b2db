// The page fixture and helpers shared by the page tests.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>
#include <sddl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

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

    RegistryValue backup{kHostKey, "BackupPath"};
    RegistryValue bsControl{kHostKey, "BSControl"};
    FakeSystem fake;
    BroadcastCatcher catcher{wendrik::HostMessage};
    std::string folder;
    TFormWendrik* page = nullptr;
};

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
