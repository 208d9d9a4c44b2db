// Path helpers: joining, shortening to a width, splitting a typed path,
// drive labels and network names.
#include "PathTestSupport.h"

using namespace path_test;

namespace {

// The directory part of each step, one DropFirstFolder at a time.
void ExpectDrops(std::string dir, const std::vector<std::string>& steps) {
    for (const std::string& step : steps) {
        DropFirstFolder(dir);
        EXPECT_EQ(step, dir);
    }
}

TEST(JoinPathTest, JoinsWithExactlyOneBackslash) {
    EXPECT_EQ("C:\\*.*", JoinPath("C:\\", "*.*"));
    EXPECT_EQ("C:\\Windows\\*.*", JoinPath("C:\\Windows", "*.*"));
    EXPECT_EQ("\\\\srv\\share\\a", JoinPath("\\\\srv\\share", "a"));
}

TEST(FitPathToWidthTest, ShortensFolderByFolder) {
    MeasuringCanvas c;
    ExpectSteps(c, "C:\\Program Files\\Common\\Shared\\app.exe",
                {"C:\\...\\Common\\Shared\\app.exe", "C:\\...\\Shared\\app.exe", "C:\\...\\app.exe",
                 "...\\app.exe", "app.exe"});
    ExpectSteps(c, "C:\\file.txt", {"C:file.txt", "file.txt"});
    // The first network step is wider than the path itself: no width shows it alone.
    ExpectDrops("\\\\server\\share\\dir\\",
                {"\\...\\server\\share\\dir\\", "\\...\\share\\dir\\", "\\...\\dir\\", "\\...\\"});
    ExpectSteps(c, "\\\\server\\share\\dir\\file.txt",
                {"\\...\\server\\share\\dir\\file.txt", "\\...\\share\\dir\\file.txt",
                 "\\...\\dir\\file.txt", "\\...\\file.txt", "...\\file.txt", "file.txt"});
}

TEST(FitPathToWidthTest, APathThatFitsComesBackUnchanged) {
    MeasuringCanvas c;
    std::string path = "C:\\...\\odd\\...\\name.txt";
    EXPECT_EQ(path, c.Fit(path, c.Width(path)));
    EXPECT_EQ(path, c.Fit(path, 10000));
}

TEST(FitPathToWidthTest, AFolderStartingWithADotIsTakenForAnEllipsis) {
    std::string dir = "\\.a\\b\\c\\";
    DropFirstFolder(dir);
    EXPECT_EQ("\\...\\c\\", dir);
    dir = "\\";
    DropFirstFolder(dir);
    EXPECT_EQ("", dir);
    dir = "x\\";
    DropFirstFolder(dir);
    EXPECT_EQ("...\\", dir);
}

TEST(FitPathToWidthTest, RandomPathsAlwaysEndAndKeepTheFileName) {
    MeasuringCanvas c;
    std::mt19937 random(4711);
    // Valid text of the code page at hand, so that every byte means what it says.
    const std::string national = GetACP() == 932 ? "\x95\x5C" "x\x83\x61" : "Ünïcödé";
    const std::vector<std::string> parts = {"a", "Program Files", ".hidden", "...", "x y", national,
                                            "very long folder name", "b", "&amp"};
    for (int i = 0; i < 2000; ++i) {
        std::string path;
        switch (random() % 3) {
        case 0: path = "C:\\"; break;
        case 1: path = "\\\\srv\\share\\"; break;
        default: break;
        }
        int depth = random() % 6;
        for (int d = 0; d < depth; ++d) path += parts[random() % parts.size()] + "\\";
        path += parts[random() % parts.size()] + ".txt";
        std::string name = platform::ExtractFileName(path);
        int width = static_cast<int>(random() % 400);
        std::string fitted = c.Fit(path, width);
        ASSERT_GE(fitted.size(), name.size()) << path;
        EXPECT_EQ(name, fitted.substr(fitted.size() - name.size())) << path << " at " << width;
        if (c.Width(path) <= width) {
            EXPECT_EQ(path, fitted);
        }
        EXPECT_TRUE(c.Width(fitted) <= width || fitted == name) << path << " -> " << fitted << " at " << width;
    }
}



DWORD errorModeInQuery = 0, processModeInQuery = 0;
BOOL WINAPI UnreadableVolume(LPCSTR, LPSTR name, DWORD size, DWORD*, DWORD*, DWORD*, LPSTR, DWORD) {
    // Quiet for this thread (its own mode from Windows 7 on, else the process's).
    processModeInQuery = GetErrorMode();
    errorModeInQuery = processModeInQuery | GetThreadErrorMode();
    if (name && size) lstrcpynA(name, "stale", size);
    SetLastError(ERROR_NOT_READY);
    return FALSE;
}
BOOL WINAPI FailingVolume(LPCSTR, LPSTR, DWORD, DWORD*, DWORD*, DWORD*, LPSTR, DWORD) {
    throw platform::Error("volume query failed");
}
DWORD WINAPI MappedX(LPCSTR local, LPSTR remote, DWORD* length) {
    if (std::string(local) != "X:") return ERROR_NOT_CONNECTED;
    lstrcpynA(remote, "\\\\Srv\\Pub", *length);
    return NO_ERROR;
}
DWORD WINAPI BrokenConnection(LPCSTR, LPSTR, DWORD*) { return ERROR_NO_NETWORK; }

class DriveTextTest : public ::testing::Test {
protected:
    FakeSystem fake;  // puts the table back afterwards
    platform::SystemFunctions& table = platform::SystemFunctions::Current();
};

TEST_F(DriveTextTest, VolumeLabelsTakeTheCaseOfTheLetter) {
    EXPECT_EQ("[system]", VolumeLabelText('m'));
    EXPECT_EQ("[SYSTEM]", VolumeLabelText('M'));
    EXPECT_EQ("[]", VolumeLabelText('n'));
    EXPECT_EQ("[]", VolumeLabelText('q'));  // no such drive
}

TEST_F(DriveTextTest, AnUnreadableVolumeGivesEmptyBracketsQuietly) {
    UINT before = SetErrorMode(SEM_NOOPENFILEERRORBOX);
    table.GetVolumeInformationA = UnreadableVolume;
    EXPECT_EQ("[]", VolumeLabelText('d'));
    EXPECT_TRUE(errorModeInQuery & SEM_FAILCRITICALERRORS) << errorModeInQuery;
    EXPECT_TRUE(processModeInQuery & SEM_NOOPENFILEERRORBOX) << processModeInQuery;  // the host's flag kept
    EXPECT_EQ(static_cast<UINT>(SEM_NOOPENFILEERRORBOX), GetErrorMode());
    table.GetVolumeInformationA = FailingVolume;
    EXPECT_THROW(VolumeLabelText('d'), platform::Error);
    EXPECT_EQ(static_cast<UINT>(SEM_NOOPENFILEERRORBOX), GetErrorMode());  // also when an error passes
    SetErrorMode(before);
}

TEST_F(DriveTextTest, NetworkDrivesShowTheirRemoteName) {
    table.WNetGetConnectionA = MappedX;
    EXPECT_EQ("\\\\srv\\pub", NetworkNameText('x'));
    EXPECT_EQ("\\\\SRV\\PUB", NetworkNameText('X'));
    EXPECT_EQ("[system]", NetworkNameText('m'));  // not a network drive
    table.WNetGetConnectionA = BrokenConnection;
    EXPECT_EQ("[SYSTEM]", NetworkNameText('M'));
}

TEST(FontLineHeightTest, GrowsWithTheFont) {
    Font small{FontSpec{"Tahoma", -11}};
    Font large{FontSpec{"Tahoma", -24}};
    int h = FontLineHeight(small);
    EXPECT_GE(h, 11);
    EXPECT_LE(h, 16);
    EXPECT_GT(FontLineHeight(large), 24);
}

// Splitting a typed path.

class SplitEnteredPathTest : public ::testing::Test {
protected:
    void SetUp() override {
        CreateDirectoryA("M:\\data", nullptr);
        CreateDirectoryA("M:\\data\\sub", nullptr);
        CreateDirectoryA("M:\\data\\abc", nullptr);
        HANDLE f = CreateFileA("M:\\data\\file.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        CloseHandle(f);
        saved = platform::GetDir();
    }
    void TearDown() override { SetCurrentDirectoryA(saved.c_str()); }
    void Split(const std::string& text) {
        std::string before = platform::GetDir();
        SplitEnteredPath(text, drive, dir, file);
        EXPECT_EQ(before, platform::GetDir()) << text;
    }
    std::string saved;
    char drive = '?';
    std::string dir, file;
};

TEST_F(SplitEnteredPathTest, DrivePaths) {
    Split("M:\\data\\*.txt");
    EXPECT_EQ('M', drive);
    EXPECT_EQ("\\data", dir);
    EXPECT_EQ("*.txt", file);
    Split("m:\\data\\sub");
    EXPECT_EQ('m', drive);  // as typed
    EXPECT_EQ("\\data\\sub", dir);
    EXPECT_EQ("", file);
    Split("M:\\data\\file.txt");
    EXPECT_EQ("\\data", dir);
    EXPECT_EQ("file.txt", file);
    Split("M:\\");
    EXPECT_EQ("\\", dir);
    EXPECT_EQ("", file);
    Split("M:\\data");
    EXPECT_EQ("\\data", dir);
    EXPECT_EQ("", file);
}

TEST_F(SplitEnteredPathTest, InputWithoutADriveIsTakenFromTheCurrentDirectory) {
    platform::ChDir("M:\\data");
    Split("sub");
    EXPECT_EQ('M', drive);
    EXPECT_EQ("\\data\\sub", dir);
    EXPECT_EQ("", file);
    Split("[abc]");
    EXPECT_EQ('M', drive);
    EXPECT_EQ("\\data\\abc", dir);
    Split("*.txt");
    EXPECT_EQ("\\data", dir);
    EXPECT_EQ("*.txt", file);
    Split("\\data\\sub\\*.*");
    EXPECT_EQ("\\data\\sub", dir);
    EXPECT_EQ("*.*", file);
    Split("M:");  // the drive's own current directory
    EXPECT_EQ("\\data", dir);
}

TEST_F(SplitEnteredPathTest, NetworkPathsKeepTheirShareRoot) {
    Split("\\\\srv\\share\\x");
    EXPECT_EQ('\0', drive);
    EXPECT_EQ("\\\\srv\\share\\x", dir);
    EXPECT_EQ("", file);
    Split("\\\\srv\\share\\x\\*.reg");
    EXPECT_EQ('\0', drive);
    EXPECT_EQ("\\\\srv\\share\\x", dir);
    EXPECT_EQ("*.reg", file);
}

TEST_F(SplitEnteredPathTest, ADirectoryThatCannotBeEnteredRaises) {
    platform::ChDir("M:\\data");
    for (const char* text : {"M:\\nope\\x.txt", "M:\\data\\nope", "[nope]", "M:\\data\\sub\\deeper\\*.*"}) {
        std::string before = platform::GetDir();
        EXPECT_THROW(SplitEnteredPath(text, drive, dir, file), platform::InOutError) << text;
        EXPECT_EQ(before, platform::GetDir()) << text;
    }
}

TEST_F(SplitEnteredPathTest, TheCurrentDirectoryAlwaysComesBack) {
    std::mt19937 random(99);
    const std::vector<std::string> pieces = {"M:", "m:", "N:", "\\", "data", "sub", "nope", "file.txt",
                                             "*.txt", "..", ".", "[abc]", "abc"};
    platform::ChDir("M:\\data\\sub");
    for (int i = 0; i < 500; ++i) {
        std::string text;
        int n = 1 + random() % 4;
        for (int k = 0; k < n; ++k) text += (k ? "\\" : "") + pieces[random() % pieces.size()];
        std::string before = platform::GetDir();
        try {
            SplitEnteredPath(text, drive, dir, file);
        } catch (const platform::InOutError&) {
        }
        ASSERT_EQ(before, platform::GetDir()) << text;
    }
}

TEST(TextTest, DrivesAndNamesOfPaths) {
    using namespace platform;
    EXPECT_EQ("C:", ExtractFileDrive("C:\\Windows"));
    EXPECT_EQ("\\\\srv\\share", ExtractFileDrive("\\\\srv\\share\\dir\\x"));
    EXPECT_EQ("\\\\srv\\share", ExtractFileDrive("\\\\srv\\share"));
    EXPECT_EQ("", ExtractFileDrive("\\dir"));
    EXPECT_EQ("C:\\a\\", ExtractFilePath("C:\\a\\b.txt"));
    EXPECT_EQ("C:", ExtractFilePath("C:b.txt"));
    EXPECT_EQ("b.txt", ExtractFileName("C:b.txt"));
    EXPECT_EQ(3, AnsiPos("\\", "ab\\c\\"));
    EXPECT_EQ(0, AnsiPos("\\", "abc"));
    EXPECT_EQ("[x]: 7%", Format("[%s]: %d%%", {std::string("x"), 7}));
    if (GetACP() == 1252) {
        EXPECT_EQ("ÄBÇ", AnsiUpperCaseFileName("äbç"));
        EXPECT_EQ("äbç", AnsiLowerCaseFileName("ÄBÇ"));
    }
}

}  // namespace
