// A host may unload the module from inside the module's own code: from a
// timer that fires while the page waits for the registry editor, or while
// one of its message boxes is up. The image must stay mapped until our code
// has left the stack, and go when the host next calls it from its own code.
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

const char kCaption[] = "Unload test page";

std::string DllPath() { return platform::Application::ExeFolder() + "Wendrik.dll"; }

bool Mapped() { return GetModuleHandleA(DllPath().c_str()) != nullptr; }

BOOL CALLBACK FindPage(HWND w, LPARAM p) {
    if (WindowText(w) == kCaption) *reinterpret_cast<HWND*>(p) = w;
    return TRUE;
}

HWND Page() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindPage, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The host's side of one load.
struct Host {
    HMODULE module = nullptr;
    CreateFn create = nullptr;
    NoArgFn free = nullptr, save = nullptr, nr = nullptr;
    bool Load() {
        module = LoadLibraryA(DllPath().c_str());
        create = reinterpret_cast<CreateFn>(GetProcAddress(module, "ModulCreate"));
        free = reinterpret_cast<NoArgFn>(GetProcAddress(module, "ModulFree"));
        save = reinterpret_cast<NoArgFn>(GetProcAddress(module, "ModulSaveChanges"));
        nr = reinterpret_cast<NoArgFn>(GetProcAddress(module, "ModulNr"));
        return module && create && free && save && nr;
    }
    HWND CreatePage() {
        create(40, 30, 298, 455, kXpCode, 0, kCaption, nullptr, kXpMask, kTipHelpId);
        return Page();
    }
    // What a host does when the user picks another tip.
    void Unload() {
        free();
        FreeLibrary(module);
        module = nullptr;
    }
};

class UnloadTest : public ::testing::Test {
protected:
    void SetUp() override {
        bs.Remove();
        ASSERT_FALSE(Mapped());
    }
    // A later call from the host's own code lets the image's own reference go.
    void ExpectUnmappedAfterTheNextCall() {
        Host again;
        ASSERT_TRUE(again.Load());
        again.nr();
        FreeLibrary(again.module);
        EXPECT_FALSE(Mapped());
    }
    // A page left alive goes with the host's next ModulFree, and the image
    // with the host's own reference after it.
    void ExpectTheNextFreeTakesThePageAndTheImage(HWND page) {
        Host again;
        ASSERT_TRUE(again.Load());
        EXPECT_EQ(1, again.free());
        EXPECT_FALSE(IsWindow(page));
        again.nr();
        FreeLibrary(again.module);
        EXPECT_FALSE(Mapped());
    }
    RegistryValue bs{kHostKey, "BSControl"};
};

TEST_F(UnloadTest, FromInsideAMessageBox) {
    Host host;
    ASSERT_TRUE(host.Load());
    HWND page = host.CreatePage();
    ASSERT_NE(nullptr, page);
    BoxAnswerer boxes;
    boxes.OnBox([&](const std::string&) { host.Unload(); });  // then the box is answered
    Click(ImageButtons(page).at(2));  // Info: a box of the module's
    ASSERT_EQ(1u, boxes.Texts().size());
    EXPECT_EQ(nullptr, host.module);
    EXPECT_TRUE(Mapped()) << "our code was on the stack when the host let go";
    EXPECT_FALSE(IsWindow(page));
    ExpectUnmappedAfterTheNextCall();
}

// The window class goes with the last page, on the host's thread that
// registered it: no thread that drops the image's last reference later has
// to touch windows inside DllMain for it.
TEST_F(UnloadTest, TheWindowClassGoesWithTheLastPageOnTheHostsThread) {
    Host host;
    ASSERT_TRUE(host.Load());
    ASSERT_NE(nullptr, host.CreatePage());
    WNDCLASSEXA wc = {sizeof(wc)};
    EXPECT_TRUE(GetClassInfoExA(host.module, "WendrikControl", &wc));
    EXPECT_EQ(1, host.free());
    EXPECT_FALSE(GetClassInfoExA(host.module, "WendrikControl", &wc));
    // A new page registers it again.
    ASSERT_NE(nullptr, host.CreatePage());
    EXPECT_TRUE(GetClassInfoExA(host.module, "WendrikControl", &wc));
    host.Unload();
    ExpectUnmappedAfterTheNextCall();
}

Host* waiting = nullptr;
void CALLBACK UnloadDuringTheWait(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (waiting) waiting->Unload();
}

TEST_F(UnloadTest, FromInsideTheWaitForTheRegistryEditor) {
    std::string folder = FreshFolder("wendrik-unload");
    RegistryValue backup(kHostKey, "BackupPath");
    backup.SetString(folder);
    Host host;
    ASSERT_TRUE(host.Load());
    HWND page = host.CreatePage();
    ASSERT_NE(nullptr, page);
    BoxAnswerer boxes;
    waiting = &host;
    SetTimer(nullptr, 0, 50, UnloadDuringTheWait);  // fires in the page's wait
    EXPECT_EQ(1, host.save());                      // runs the real editor
    waiting = nullptr;
    EXPECT_EQ(nullptr, host.module) << "the timer did not fire during the wait";
    EXPECT_TRUE(boxes.Texts().empty()) << boxes.Joined();  // a page that went reports nothing
    EXPECT_TRUE(Mapped());
    EXPECT_FALSE(IsWindow(page));
    ExpectUnmappedAfterTheNextCall();
}

// A host that unloads without ModulFree leaves its page alive: the image
// stays mapped under it, and the page goes at the host's next call.
TEST_F(UnloadTest, WithoutFreeingThePageFirst) {
    Host host;
    ASSERT_TRUE(host.Load());
    HWND page = host.CreatePage();
    ASSERT_NE(nullptr, page);
    FreeLibrary(host.module);
    EXPECT_TRUE(Mapped()) << "a live window's procedure must not lose its code";
    ASSERT_TRUE(IsWindow(page));
    EXPECT_EQ(kCaption, WindowText(page));  // it still answers
    PumpPending();
    ExpectTheNextFreeTakesThePageAndTheImage(page);
    // The keyboard hook went too: a key through the host's loop reaches nothing of ours.
    HWND host_window = CreateWindowExA(0, "EDIT", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100,
                                       nullptr, nullptr, nullptr, nullptr);
    PostMessageA(host_window, WM_KEYDOWN, VK_TAB, 1);
    PumpPending();
    DestroyWindow(host_window);
}

// The last reference to the image can go on a thread of its own (a drive
// query that still hangs when the host unloads ends with
// FreeLibraryAndExitThread): nothing of the page may be touched from there,
// and its window must keep working on its own thread.
DWORD WINAPI LetGoLast(void* module) {
    FreeLibraryAndExitThread(static_cast<HMODULE>(module), 0);
    return 0;
}

TEST_F(UnloadTest, TheLastReferenceGoingOnAWorkerThreadLeavesThePageAlone) {
    Host host;
    ASSERT_TRUE(host.Load());
    HMODULE workerHold = LoadLibraryA(DllPath().c_str());  // as a query thread holds it
    HWND page = host.CreatePage();
    ASSERT_NE(nullptr, page);
    FreeLibrary(host.module);  // the host goes, leaving its page
    HANDLE worker = CreateThread(nullptr, 0, LetGoLast, workerHold, 0, nullptr);
    ASSERT_NE(nullptr, worker);
    WaitForSingleObject(worker, INFINITE);
    CloseHandle(worker);
    ASSERT_TRUE(Mapped());
    ASSERT_TRUE(IsWindow(page));
    // Messages still reach the page's procedure, whose code is still there.
    RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_EQ(kCaption, WindowText(page));
    ExpectTheNextFreeTakesThePageAndTheImage(page);
}

}  // namespace
