// The template's services: the versions a tip is valid for, the jump into
// the registry editor, and the restart with the shutdown privilege.
#include <gtest/gtest.h>

#include "BoxAnswerer.h"
#include "FakeSystem.h"
#include "PageHelpers.h"
#include "Pump.h"
#include "RegistryValue.h"
#include "module/Exports.h"
#include "module/ModuleState.h"
#include "platform/window/MessageBoxes.h"
#include "platform/system/SystemFunctions.h"
#include "template/Restart.h"

using namespace testing_support;
using namespace desktop;
using Calls = std::vector<std::string>;

namespace {

const char kRegeditKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit";

class ServicesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetModuleState();
        bs.Remove();
    }
    void TearDown() override {
        ModulFree();
        platform::SetErrorReporter(nullptr);
    }
    std::string InfoBox(int mask, int language) {
        page = CreatePage(kXpCode, language, mask);
        BoxAnswerer boxes;
        Click(page->HotSpeedButtonInfo->Handle());
        ModulFree();
        return boxes.Texts().size() == 1 ? boxes.Texts()[0] : "<" + std::to_string(boxes.Texts().size()) + " boxes>";
    }
    RegistryValue bs{kHostKey, "BSControl"};
    RegistryValue lastKey{kRegeditKey, "LastKey"};
    FakeSystem fake;
    wendrik::TFormWendrik* page = nullptr;
};

TEST_F(ServicesTest, InfoListsTheValidVersionsInTableOrder) {
    EXPECT_EQ("Valid for:\r\n\r\nWindows NT\r\nWindows 2000\r\nWindows XP\r\n",
              InfoBox(512 | 1024 | 4096, 1));
    EXPECT_EQ("Gültig für:\r\n\r\nWindows NT\r\nWindows 2000\r\nWindows XP\r\n",
              InfoBox(512 | 1024 | 4096, 0));
    EXPECT_EQ("Gültig für:\r\n\r\n", InfoBox(0, 2));
    EXPECT_EQ("Valid for:\r\n\r\n", InfoBox(8192 | 16384, 1));  // bits 13 and up have no name
    EXPECT_EQ(
        "Gültig für:\r\n\r\n"
        "Windows 98 Standard Edition\r\nWindows 98 Standard Edition A\r\n"
        "Windows 98 Second Edition\r\nWindows 95\r\nWindows 95 A\r\nWindows 95 B\r\n"
        "Windows 95 B OEM Service Release 2\r\nWindows 95 B OEM Service Release 2.1\r\n"
        "Windows 95 C OEM Service Release 2.5 C\r\nWindows NT\r\nWindows 2000\r\n"
        "Windows 98 ME\r\nWindows XP\r\n",
        InfoBox(0x1FFF, 0));
    EXPECT_EQ("Windows 95 A\r\n", wendrik::TfrmTippTemplate::ValidityText(16, 1).substr(14));
}

TEST_F(ServicesTest, InfoAndRegistryWorkOnADisabledPage) {
    page = CreatePage(0, 0, 4096);
    ASSERT_EQ(0, wendrik::PageEnabled);
    BoxAnswerer boxes;
    Click(page->HotSpeedButtonInfo->Handle());
    ASSERT_EQ(1u, boxes.Texts().size());
    EXPECT_EQ("Gültig für:\r\n\r\nWindows XP\r\n", boxes.Texts()[0]);
    Click(page->HotSpeedButtonRegistry->Handle());
    EXPECT_EQ(1u, fake.Starts().size());
}

TEST_F(ServicesTest, RegistryLookupWritesLastKeyAndStartsTheEditor) {
    page = CreatePage();
    Click(page->HotSpeedButtonRegistry->Handle());
    EXPECT_EQ("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion", lastKey.ReadString());
    ASSERT_EQ(1u, fake.Starts().size());
    const FakeSystem::Start& start = fake.Starts()[0];
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(std::string(windows) + "\\regedit.exe", start.file);
    EXPECT_TRUE(start.verbIsNull);
    EXPECT_EQ("", start.parameters);
    EXPECT_EQ("", start.directory);
    EXPECT_EQ(SW_SHOW, start.show);
    EXPECT_EQ(page->Handle(), start.window);

    // A tip without a registry key: an empty LastKey, and the editor all the same.
    ModulFree();
    page = CreatePage(kXpCode, 0, kXpMask, 4711);
    lastKey.SetString("before");
    Click(page->HotSpeedButtonRegistry->Handle());
    EXPECT_TRUE(lastKey.Exists());
    EXPECT_EQ("", lastKey.ReadString());
    EXPECT_EQ(2u, fake.Starts().size());
}

// Denies every access to the registry editor's key while it lives.
class LockedKey {
public:
    LockedKey() {
        RegCreateKeyExA(HKEY_CURRENT_USER, kRegeditKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                        nullptr);
        InitializeAcl(reinterpret_cast<ACL*>(acl_), sizeof(acl_), ACL_REVISION);
        SetDacl(reinterpret_cast<ACL*>(acl_));
    }
    ~LockedKey() {
        SetDacl(nullptr);  // a null list allows everything again
        RegCloseKey(key_);
    }
    bool Holds() const {
        HKEY probe;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kRegeditKey, 0, KEY_SET_VALUE, &probe) != ERROR_SUCCESS)
            return true;
        RegCloseKey(probe);
        return false;
    }

private:
    void SetDacl(ACL* acl) {
        SECURITY_DESCRIPTOR sd;
        InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
        SetSecurityDescriptorDacl(&sd, TRUE, acl, FALSE);
        RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, &sd);
    }
    HKEY key_ = nullptr;
    alignas(DWORD) BYTE acl_[64];
};

TEST_F(ServicesTest, AKeyThatCannotBeWrittenIsReportedAndStartsNothing) {
    page = CreatePage();
    std::vector<std::string> reports;
    platform::SetErrorReporter([&](const std::string& text) { reports.push_back(text); });
    LockedKey locked;
    ASSERT_TRUE(locked.Holds()) << "the registry does not enforce key security here";
    Click(page->HotSpeedButtonRegistry->Handle());
    ASSERT_EQ(1u, reports.size());
    EXPECT_NE(std::string::npos, reports[0].find("LastKey"));
    EXPECT_TRUE(fake.Starts().empty());
}

TEST_F(ServicesTest, WinesRealEditorStartsAtTheTipsKey) {
    platform::SystemFunctions::Current().ShellExecuteExA = ::ShellExecuteExA;
    page = CreatePage();
    Click(page->HotSpeedButtonRegistry->Handle());
    HWND editor = nullptr;
    EXPECT_TRUE(PumpUntil([&] {
        editor = FindWindowA("RegEdit_RegEdit", nullptr);
        return editor != nullptr;
    }, 30000));
    if (editor) {
        DWORD process = 0;
        GetWindowThreadProcessId(editor, &process);
        EXPECT_NE(GetCurrentProcessId(), process);
        PostMessageA(editor, WM_CLOSE, 0, 0);
        EXPECT_TRUE(PumpUntil([&] { return !IsWindow(editor); }, 30000));
    }
}

TEST_F(ServicesTest, NeuStartAnsweredNoDoesNothing) {
    page = CreatePage();
    BoxAnswerer boxes(IDNO);
    page->NeuStart();
    ASSERT_EQ(1u, boxes.Texts().size());
    EXPECT_EQ("Um diese Änderung zu aktivieren, ist ein Neustart des Systems erforderlich. "
              "Soll der Neustart jetzt durchgeführt werden ?",
              boxes.Texts()[0]);
    EXPECT_TRUE(fake.Calls().empty());
    EXPECT_TRUE(IsWindowVisible(page->Handle()));
}

TEST_F(ServicesTest, NeuStartOnNtAnd2000TakesThePrivilegeForTheRequest) {
    for (int tag : {10, 11}) {
        page = CreatePage(tag, 0, 512 | 1024);
        ASSERT_EQ(tag, page->Tag());
        fake.SetPrivileges(FakeSystem::Privileges::Grant);
        fake.SetExitResult(true);
        BoxAnswerer boxes(IDYES);
        page->NeuStart();
        Calls expected = {"OpenProcessToken 40", "LookupPrivilegeValueA SeShutdownPrivilege",
                          "AdjustTokenPrivileges 2 16", "CloseHandle", "ExitWindowsEx 2",
                          "OpenProcessToken 40", "LookupPrivilegeValueA SeShutdownPrivilege",
                          "AdjustTokenPrivileges 0 16", "CloseHandle"};
        std::vector<std::string> calls(fake.Calls().end() - expected.size(), fake.Calls().end());
        EXPECT_EQ(expected, calls);
        EXPECT_EQ(0, fake.OpenTokens());
        EXPECT_EQ(1u, boxes.Texts().size());  // the question only
        EXPECT_FALSE(IsWindowVisible(page->Handle()));  // a granted request closes the page
        EXPECT_EQ(page, wendrik::ModulePage);
        ModulFree();
    }
}

TEST_F(ServicesTest, NeuStartOnXpAsksWindowsDirectly) {
    page = CreatePage(13);
    fake.SetExitResult(false);
    BoxAnswerer boxes(IDYES);
    page->NeuStart();
    EXPECT_EQ(Calls{"ExitWindowsEx 2"}, fake.Calls());
    ASSERT_EQ(2u, boxes.Texts().size());
    EXPECT_EQ("Das System läßt sich zur Zeit nicht neu starten. Bitte führen Sie später manuell "
              "einen Neustart durch",
              boxes.Texts()[1]);
    EXPECT_TRUE(IsWindowVisible(page->Handle()));
}

TEST_F(ServicesTest, ARefusedPrivilegeMeansNoRequestAndTheFailureText) {
    page = CreatePage(10, 1, 512);
    fake.SetPrivileges(FakeSystem::Privileges::Refuse);
    fake.SetExitResult(true);
    BoxAnswerer boxes(IDYES);
    page->NeuStart();
    EXPECT_EQ((Calls{"OpenProcessToken 40", "LookupPrivilegeValueA SeShutdownPrivilege",
                     "AdjustTokenPrivileges 2 16", "CloseHandle"}),
              fake.Calls());
    ASSERT_EQ(2u, boxes.Texts().size());
    EXPECT_EQ(0u, boxes.Texts()[1].find("Das System läßt sich"));  // German also on an English page
    EXPECT_TRUE(IsWindowVisible(page->Handle()));
}

TEST_F(ServicesTest, SetPrivilegeAgainstTheRealSystem) {
    EXPECT_TRUE(wendrik::SetPrivilege("SeShutdownPrivilege", true));
    EXPECT_TRUE(wendrik::SetPrivilege("SeShutdownPrivilege", false));
    EXPECT_EQ(0, fake.OpenTokens());
    EXPECT_EQ(8u, fake.Calls().size());  // open, look up, adjust, close: twice

    EXPECT_FALSE(wendrik::SetPrivilege("SeNoSuchPrivilege", true));
    EXPECT_EQ(0, fake.OpenTokens());  // closed also when the lookup fails
    EXPECT_EQ("CloseHandle", fake.Calls().back());
    EXPECT_EQ("LookupPrivilegeValueA SeNoSuchPrivilege", fake.Calls()[fake.Calls().size() - 2]);
}

BOOL WINAPI NoToken(HANDLE, DWORD, HANDLE* token) {
    *token = reinterpret_cast<HANDLE>(0x1234);  // garbage that must never be closed
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

TEST_F(ServicesTest, WithoutATokenNothingIsClosed) {
    platform::SystemFunctions::Current().OpenProcessToken = NoToken;
    EXPECT_FALSE(wendrik::SetPrivilege("SeShutdownPrivilege", true));
    EXPECT_FALSE(wendrik::ExitWindowsPrivileged(EWX_REBOOT));
    EXPECT_TRUE(fake.Calls().empty());  // no lookup, no close, no exit request
}

}  // namespace
