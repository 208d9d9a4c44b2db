// The whole road of one export: the real library, the real registry editor,
// a real file on disk.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "BoxAnswerer.h"
#include "PageHelpers.h"
#include "Pump.h"
#include "RegistryValue.h"
#include "platform/system/Application.h"

using namespace testing_support;
using namespace desktop;

namespace {

using CreateFn = int(__stdcall*)(int, int, int, int, int, int, const char*, const char*, int, int);
using NoArgFn = int(__stdcall*)();

struct PageSearch {
    HWND found = nullptr;
};

BOOL CALLBACK FindPage(HWND w, LPARAM p) {
    if (IsWindowVisible(w) && WindowText(w) == "Registry komplett exportieren")
        reinterpret_cast<PageSearch*>(p)->found = w;
    return TRUE;
}

// The file as lower-case text, the UTF-16 of the registry editor narrowed to ASCII.
std::string ReadExport(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() < 2 || bytes[0] != '\xFF' || bytes[1] != '\xFE') return bytes.substr(0, 200);
    std::string narrow;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2)
        narrow += bytes[i] >= 'A' && bytes[i] <= 'Z' ? static_cast<char>(bytes[i] + 32) : bytes[i];
    return narrow;
}

bool UnderWow64() {
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

TEST(ExportEndToEndTest, ApplyMakesTheRegistryEditorWriteTodaysFile) {
    std::string folder = FreshFolder("wendrik-end-to-end");
    RegistryValue backup(kHostKey, "BackupPath");
    backup.SetString(folder);
    RegistryValue bs(kHostKey, "BSControl");
    bs.Remove();

    HMODULE lib = LoadLibraryA((platform::Application::ExeFolder() + "Wendrik.dll").c_str());
    ASSERT_NE(nullptr, lib);
    auto create = reinterpret_cast<CreateFn>(GetProcAddress(lib, "ModulCreate"));
    auto freePage = reinterpret_cast<NoArgFn>(GetProcAddress(lib, "ModulFree"));
    auto changed = reinterpret_cast<NoArgFn>(GetProcAddress(lib, "ModulChanged"));
    create(60, 40, 298, 455, kXpCode, 0, "Registry komplett exportieren", "", kXpMask, kTipHelpId);
    PageSearch search;
    EnumThreadWindows(GetCurrentThreadId(), FindPage, reinterpret_cast<LPARAM>(&search));
    ASSERT_NE(nullptr, search.found);
    HWND page = search.found;

    SendMessageA(ChildOfClass(page, "Button"), BM_CLICK, 0, 0);
    BoxAnswerer boxes;
    Click(ImageButtons(page).at(0));

    SYSTEMTIME today;
    GetLocalTime(&today);
    std::string name = std::to_string(today.wYear) + std::to_string(today.wMonth) +
                       std::to_string(today.wDay) + ".reg";
    std::string path = folder + "\\" + name;
    ASSERT_EQ(1u, boxes.Texts().size());
    EXPECT_EQ("Registry wurde komplett nach " + path + " exportiert !", boxes.Texts()[0]);
    std::string text = ReadExport(path);
    EXPECT_EQ(0u, text.find("windows registry editor version 5.00"));
    EXPECT_NE(std::string::npos, text.find("\r\n[hkey_local_machine]\r\n"));
    // The real editor's export passed the check and took the dated name: no temporary file is left.
    WIN32_FIND_DATAA left;
    HANDLE temporary = FindFirstFileA((folder + "\\~*").c_str(), &left);
    EXPECT_EQ(INVALID_HANDLE_VALUE, temporary) << left.cFileName;
    if (temporary != INVALID_HANDLE_VALUE) FindClose(temporary);
    EXPECT_EQ(2, changed());
    EXPECT_EQ(1, freePage());
    FreeLibrary(lib);
}

// On 64-bit Windows the system's own editor writes both views of
// HKEY_LOCAL_MACHINE\SOFTWARE, for the 64-bit page and for the 32-bit one
// alike. Wine's redirector, like Windows', turns a 32-bit process's
// %windir%\regedit.exe into the 32-bit editor in syswow64, whose export
// lacks WOW6432Node.
TEST(ExportEndToEndTest, On64BitWindowsTheExportHoldsTheNativeView) {
    if (sizeof(void*) == 4 && !UnderWow64())
        GTEST_SKIP() << "this prefix is not a 64-bit one (wine64 missing?): the 64-bit view cannot be tested";
    std::string folder = FreshFolder("wendrik-end-to-end-64");
    RegistryValue backup(kHostKey, "BackupPath");
    backup.SetString(folder);
    HMODULE lib = LoadLibraryA((platform::Application::ExeFolder() + "Wendrik.dll").c_str());
    ASSERT_NE(nullptr, lib);
    auto create = reinterpret_cast<CreateFn>(GetProcAddress(lib, "ModulCreate"));
    auto save = reinterpret_cast<NoArgFn>(GetProcAddress(lib, "ModulSaveChanges"));
    auto freePage = reinterpret_cast<NoArgFn>(GetProcAddress(lib, "ModulFree"));
    create(60, 40, 298, 455, kXpCode, 1, "Registry komplett exportieren", "", kXpMask, kTipHelpId);
    {
        BoxAnswerer boxes;
        save();
        ASSERT_EQ(1u, boxes.Texts().size());
        EXPECT_EQ(0u, boxes.Texts()[0].find("Registry exported to ")) << boxes.Texts()[0];
    }
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*.reg").c_str(), &data);
    ASSERT_NE(INVALID_HANDLE_VALUE, find);
    FindClose(find);
    std::string text = ReadExport(folder + "\\" + data.cFileName);
    EXPECT_NE(std::string::npos, text.find("\r\n[hkey_local_machine\\software\\wow6432node]\r\n"));
    // The host's own key, as this process's 32-bit view writes it, is there too.
    EXPECT_NE(std::string::npos, text.find("\\software\\morvane\\brindlemark]\r\n"));
    EXPECT_EQ(1, freePage());
    FreeLibrary(lib);
}

}  // namespace
