// The 32-bit page on the Windows versions before XP that it serves, as wine
// reports them to a process (its DLLs still export everything: that the
// image loads there is proven from its imports by scripts/check-images.sh).
// Each version's road runs once, in a child process started while wine
// reports that version: the real image loaded and freed as a host does, the
// page made for that system's version code, an export through the stand-in
// editor that writes what that system's editor writes, a replace where
// MoveFileExA is not implemented, the restart road, and the page freed.
#include <gtest/gtest.h>

#include <cstdio>

#include "BoxAnswerer.h"
#include "FakeSystem.h"
#include "PageHelpers.h"
#include "RegistryValue.h"
#include "module/BackupFile.h"
#include "module/ExportFileCheck.h"
#include "module/Exports.h"
#include "module/ModuleState.h"
#include "platform/system/Application.h"
#include "platform/system/CompatibleCalls.h"
#include "platform/system/PrivateAccess.h"
#include "template/HostProtocol.h"

using namespace testing_support;
using namespace desktop;

namespace {

struct OldWindows {
    const char* wine;  // what HKCU\Software\Wine "Version" says
    int osCode;        // the host's code for that system
    bool nineX;        // Windows 95, 98 or ME
    DWORD major, minor;
    const char* header;  // what that system's registry editor writes first
};

const OldWindows kSystems[] = {
    {"win95", 4, true, 4, 0, "REGEDIT4\r\n"},
    {"win98", 1, true, 4, 10, "REGEDIT4\r\n"},
    {"winme", 12, true, 4, 90, "REGEDIT4\r\n"},
    {"nt40", wendrik::OsCodeWindowsNT, false, 4, 0, "REGEDIT4\r\n"},
    {"win2k", wendrik::OsCodeWindows2000, false, 5, 0, "\xFF\xFEW"},
};

class OldWindowsTest : public ::testing::TestWithParam<OldWindows> {};

TEST_P(OldWindowsTest, ThePageRunsItsWholeRoadThere) {
    if (!OldWindowsChild().empty()) GTEST_SKIP() << "the child runs the checks";
    EXPECT_EQ(0u, RunSelfOnWindows(GetParam().wine, "OldWindowsChild.*")) << "the road on " << GetParam().wine
                                                                           << " failed";
}

INSTANTIATE_TEST_SUITE_P(Systems, OldWindowsTest, ::testing::ValuesIn(kSystems),
                         [](const auto& info) { return std::string(info.param.wine); });

const OldWindows* ThisSystem() {
    for (const OldWindows& system : kSystems)
        if (OldWindowsChild() == system.wine) return &system;
    return nullptr;
}

std::string FileText(const std::string& path) {
    std::string text;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof(buffer), f)) > 0) text.append(buffer, n);
        std::fclose(f);
    }
    return text;
}

void Write(const std::string& path, const std::string& text) {
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
}

TEST(OldWindowsChild, LoadsExportsRestartsAndFrees) {
    const OldWindows* system = ThisSystem();
    if (!system) GTEST_SKIP() << "runs only while wine reports an older Windows";
    OSVERSIONINFOA version = {sizeof(version)};
    ASSERT_TRUE(GetVersionExA(&version));
    EXPECT_EQ(system->nineX ? VER_PLATFORM_WIN32_WINDOWS : VER_PLATFORM_WIN32_NT, version.dwPlatformId);
    EXPECT_EQ(system->major, version.dwMajorVersion);
    EXPECT_EQ(system->minor, version.dwMinorVersion);
    EXPECT_EQ(!system->nineX, platform::CompatibleCalls::NtFamily());

    // The image as a host loads it.
    HMODULE image = LoadLibraryA((platform::Application::ExeFolder() + "Wendrik.dll").c_str());
    ASSERT_NE(nullptr, image);
    auto number = reinterpret_cast<int(__stdcall*)()>(GetProcAddress(image, "ModulNr"));
    ASSERT_NE(nullptr, number);
    EXPECT_EQ(2, number());
    EXPECT_TRUE(FreeLibrary(image));

    ResetModuleState();
    FakeSystem fake;
    fake.SetWindowsFolder(platform::Application::ExeFolder() + "fakewin");
    fake.SetEditor(FakeSystem::Editor::Real);
    SetEnvironmentVariableA("WENDRIK_FAKE_EDITOR", "whole");
    RegistryValue bs(kHostKey, "BSControl"), backup(kHostKey, "BackupPath");
    bs.Remove();
    const std::string folder = FreshFolder("wendrik-old-windows");
    backup.SetString(folder);
    SYSTEMTIME today;
    GetLocalTime(&today);
    const std::string name =
        std::to_string(today.wYear) + std::to_string(today.wMonth) + std::to_string(today.wDay) + ".reg";
    Write(folder + "\\" + name, "this morning's backup");  // today's: replaced without a question

    // The page as the host makes it there, valid for that system.
    wendrik::TFormWendrik* page = CreatePage(system->osCode, 1, 1 << (system->osCode - 1));
    ASSERT_NE(nullptr, page);
    EXPECT_EQ(1, wendrik::PageEnabled);
    EXPECT_EQ(system->osCode, page->Tag());
    {
        BoxAnswerer boxes;
        ModulSaveChanges();
        ASSERT_EQ(1u, boxes.Texts().size());
        EXPECT_EQ("Registry exported to " + folder + "\\" + name + " !", boxes.Texts()[0]);
    }
    const std::string written = FileText(folder + "\\" + name);
    EXPECT_EQ(0u, written.find(system->header)) << written.substr(0, 16);
    wendrik::ExportFileCheck check({.nativeView = false, .userSid = wendrik::ExportFileCheck::CurrentUserSid()});
    EXPECT_EQ(wendrik::ExportFault::None, check.Check(folder + "\\" + name));
    // No user SID on 95, 98 and ME: any hive under HKEY_USERS is the user's.
    EXPECT_EQ(system->nineX, wendrik::ExportFileCheck::CurrentUserSid().empty());
    EXPECT_EQ((std::vector<std::string>{name}), [&] {
        std::vector<std::string> files;
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.push_back(data.cFileName);
        } while (FindNextFileA(find, &data));
        FindClose(find);
        return files;
    }());
    // 95, 98 and ME keep no access lists: nothing is asked of the security calls there.
    EXPECT_EQ(!system->nineX, platform::PrivateAccess().Ready());

    // A replace that cannot put the new file in place leaves the old one
    // under its name, and nothing aside.
    const std::string temp = folder + "\\~" + name + ".0000ABCD.tmp";
    Write(temp, "the new export");
    // Open elsewhere, for reading and writing but not for deleting: it can be flushed, not renamed.
    HANDLE held = CreateFileA(temp.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    bool flushFailed = false;
    EXPECT_NE(0u, wendrik::BackupFile::PutInPlace(temp, folder + "\\" + name, false, flushFailed));
    CloseHandle(held);
    EXPECT_FALSE(flushFailed);
    EXPECT_TRUE(written == FileText(folder + "\\" + name));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(wendrik::BackupFile::AsideName(temp).c_str()));
    EXPECT_EQ(0u, wendrik::BackupFile::PutInPlace(temp, folder + "\\" + name, false, flushFailed));
    EXPECT_EQ("the new export", FileText(folder + "\\" + name));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(temp.c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(wendrik::BackupFile::AsideName(temp).c_str()));

    // The restart: with the shutdown privilege on NT and 2000, by the
    // version code the host gave; refused here, so the failure is told.
    fake.SetPrivileges(FakeSystem::Privileges::Grant);
    fake.SetExitResult(false);
    {
        BoxAnswerer boxes(IDYES);
        page->NeuStart();
        ASSERT_EQ(2u, boxes.Texts().size());
        EXPECT_EQ(0u, boxes.Texts()[1].find("Das System läßt sich zur Zeit nicht neu starten"));
    }
    const bool privileged = system->osCode == wendrik::OsCodeWindowsNT || system->osCode == wendrik::OsCodeWindows2000;
    EXPECT_EQ(privileged ? "OpenProcessToken 40" : "ExitWindowsEx 2", fake.Calls().front());
    EXPECT_EQ(0, fake.OpenTokens());

    EXPECT_EQ(1, ModulFree());
    EXPECT_EQ(nullptr, wendrik::ModulePage);
    SetEnvironmentVariableA("WENDRIK_FAKE_EDITOR", nullptr);
}

}  // namespace
