// The five exports of the real Wendrik.dll, loaded as a host loads it.
#include <gtest/gtest.h>

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

// One load of the library; its module state lives as long as the load.
struct Library {
    Library() {
        std::string path = platform::Application::ExeFolder() + "Wendrik.dll";
        module = LoadLibraryA(path.c_str());
        create = reinterpret_cast<CreateFn>(GetProcAddress(module, "ModulCreate"));
        free = reinterpret_cast<NoArgFn>(GetProcAddress(module, "ModulFree"));
        save = reinterpret_cast<NoArgFn>(GetProcAddress(module, "ModulSaveChanges"));
        changed = reinterpret_cast<NoArgFn>(GetProcAddress(module, "ModulChanged"));
        nr = reinterpret_cast<NoArgFn>(GetProcAddress(module, "ModulNr"));
    }
    ~Library() { FreeLibrary(module); }
    int Create(int os = kXpCode, int mask = kXpMask, const char* caption = "Wendrik page") {
        return create(40, 30, 300, 460, os, 0, caption, nullptr, mask, kTipHelpId);
    }
    HMODULE module;
    CreateFn create;
    NoArgFn free, save, changed, nr;
};

struct Search {
    std::string caption;
    HWND found = nullptr;
};

BOOL CALLBACK FindStep(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<Search*>(p);
    if (IsWindowVisible(w) && WindowText(w) == s->caption) s->found = w;
    return s->found == nullptr;
}

HWND FindTopLevel(const std::string& caption) {
    Search s{caption};
    EnumThreadWindows(GetCurrentThreadId(), FindStep, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND CheckBoxOf(HWND page) { return ChildOfClass(page, "Button"); }
HWND UndoButtonOf(HWND page) { return ImageButtons(page).at(1); }

TEST(ExportsTest, ExportsResolveByNameAndOrdinal) {
    Library lib;
    ASSERT_NE(nullptr, lib.module);
    const char* names[] = {"ModulNr", "ModulSaveChanges", "ModulChanged", "ModulFree", "ModulCreate"};
    for (int ordinal = 1; ordinal <= 5; ++ordinal) {
        FARPROC byName = GetProcAddress(lib.module, names[ordinal - 1]);
        EXPECT_NE(nullptr, byName) << names[ordinal - 1];
        EXPECT_EQ(byName, GetProcAddress(lib.module, MAKEINTRESOURCEA(ordinal)));
    }
    EXPECT_EQ(nullptr, GetProcAddress(lib.module, MAKEINTRESOURCEA(6)));
}

TEST(ExportsTest, FlagsFollowTheUserAcrossFreeAndANewPage) {
    RegistryValue bs(kHostKey, "BSControl");
    bs.Remove();
    Library lib;
    EXPECT_EQ(0, lib.changed());
    EXPECT_EQ(2, lib.nr());
    EXPECT_EQ(1, lib.free());  // nothing to free yet

    EXPECT_EQ(0, lib.Create());
    PumpPending();
    HWND page = FindTopLevel("Wendrik page");
    ASSERT_NE(nullptr, page);
    RECT r;
    GetWindowRect(page, &r);
    EXPECT_EQ(40, r.left);
    EXPECT_EQ(30, r.top);
    EXPECT_EQ(300, r.right - r.left);
    EXPECT_EQ(460, r.bottom - r.top);  // the fourth argument, not the last
    EXPECT_EQ(0, lib.changed());

    SendMessageA(CheckBoxOf(page), BM_CLICK, 0, 0);
    EXPECT_EQ(1, lib.changed());
    Click(UndoButtonOf(page));
    EXPECT_EQ(1, lib.nr());

    EXPECT_EQ(1, lib.free());
    EXPECT_FALSE(IsWindow(page));
    EXPECT_EQ(1, lib.free());
    EXPECT_EQ(1, lib.save());  // no page: nothing happens
    EXPECT_EQ(1, lib.changed());
    EXPECT_EQ(1, lib.nr());

    EXPECT_EQ(0, lib.Create());
    page = FindTopLevel("Wendrik page");
    ASSERT_NE(nullptr, page);
    EXPECT_EQ(1, lib.changed());  // the state outlives the page
    EXPECT_EQ(1, lib.nr());
    SendMessageA(CheckBoxOf(page), BM_CLICK, 0, 0);
    EXPECT_EQ(1, lib.changed());
    EXPECT_EQ(1, lib.free());
}

TEST(ExportsTest, CreateReturnsZeroAlsoForAnUnusablePage) {
    RegistryValue bs(kHostKey, "BSControl");
    bs.Remove();
    Library lib;
    EXPECT_EQ(0, lib.Create(0, 0, "Unusable page"));
    HWND page = FindTopLevel("Unusable page");
    ASSERT_NE(nullptr, page);
    EXPECT_FALSE(IsWindowEnabled(CheckBoxOf(page)));
    EXPECT_EQ(1, lib.free());
}

TEST(ExportsTest, ALibraryLoadedAgainStartsFromItsLoadValues) {
    {
        Library lib;
        lib.Create();
        Click(UndoButtonOf(FindTopLevel("Wendrik page")));
        EXPECT_EQ(1, lib.nr());
        lib.free();
    }
    Library again;
    EXPECT_EQ(2, again.nr());
    EXPECT_EQ(0, again.changed());
}

}  // namespace
