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
#include "platform/Application.h"

using namespace testing_support;

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

// The file as text, the UTF-16 of the registry editor narrowed to ASCII.
std::string ReadExport(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
        std::string narrow;
        for (size_t i = 2; i + 1 < bytes.size() && narrow.size() < 200; i += 2) narrow += bytes[i];
        return narrow;
    }
    return bytes.substr(0, 200);
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
    EXPECT_EQ(0u, ReadExport(path).find("Windows Registry Editor Version 5.00"));
    EXPECT_EQ(2, changed());
    EXPECT_EQ(1, freePage());
    FreeLibrary(lib);
}

}  // namespace
