// The path helpers under a double-byte code page, whose trail bytes can be
// the codes of "\\" and of letters.
#include "PathTestSupport.h"

using namespace path_test;

namespace {

// Runs only where the ANSI code page is 932; the ctest entry that sets
// LC_ALL=ja_JP.UTF-8 also sets WENDRIK_EXPECT_CP932 so that it cannot pass by skipping.
bool InCp932() {
    if (GetEnvironmentVariableA("WENDRIK_EXPECT_CP932", nullptr, 0) > 0) {
        EXPECT_EQ(932u, GetACP());
        return GetACP() == 932;
    }
    return GetACP() == 932;
}

// "表" in code page 932: its trail byte is the code of "\".
const std::string kHyo = "\x95\x5C";
// "ャ" in code page 932: its trail byte is the code of "a".
const std::string kSmallYa = "\x83\x61";

TEST(Cp932Test, ATrailByteIsNeverASeparator) {
    if (!InCp932()) GTEST_SKIP() << "needs code page 932";
    using namespace platform;
    EXPECT_EQ("C:\\x\\", ExtractFilePath("C:\\x\\" + kHyo));
    EXPECT_EQ(kHyo, ExtractFileName("C:\\x\\" + kHyo));
    EXPECT_EQ("C:\\" + kHyo + "\\", ExtractFilePath("C:\\" + kHyo + "\\f.txt"));
    EXPECT_EQ(4, AnsiPos("\\", "a" + kHyo + "\\b"));
    EXPECT_EQ(kHyo, AnsiLastChar("a" + kHyo));
    EXPECT_EQ("C:\\" + kHyo + "\\f", JoinPath("C:\\" + kHyo, "f"));
    EXPECT_EQ("\\\\s" + kHyo + "\\share", ExtractFileDrive("\\\\s" + kHyo + "\\share\\x"));
    EXPECT_EQ("ABC" + kSmallYa + "X", AnsiUpperCaseFileName("abc" + kSmallYa + "x"));
    EXPECT_EQ("abc" + kSmallYa, AnsiLowerCaseFileName("ABC" + kSmallYa));
}

TEST(Cp932Test, FoldersWithATrailBackslashShorten) {
    if (!InCp932()) GTEST_SKIP() << "needs code page 932";
    MeasuringCanvas c;
    std::string path = "C:\\" + kHyo + "\\b" + kHyo + "\\file.txt";
    ExpectSteps(c, path, {"C:\\...\\b" + kHyo + "\\file.txt", "C:\\...\\file.txt", "...\\file.txt", "file.txt"});
}

TEST(Cp932Test, FoldersWithATrailBackslashSplit) {
    if (!InCp932()) GTEST_SKIP() << "needs code page 932";
    std::string folder = "M:\\data\\" + kHyo;
    CreateDirectoryA("M:\\data", nullptr);
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    std::string before = platform::GetDir();
    char drive;
    std::string dir, file;
    SplitEnteredPath(folder, drive, dir, file);
    EXPECT_EQ('M', drive);
    EXPECT_EQ("\\data\\" + kHyo, dir);
    EXPECT_EQ("", file);
    SplitEnteredPath(folder + "\\*.txt", drive, dir, file);
    EXPECT_EQ("\\data\\" + kHyo, dir);
    EXPECT_EQ("*.txt", file);
    EXPECT_EQ(before, platform::GetDir());
}

TEST(Cp932Test, AnEllipsisIsCutByCharactersNotBytes) {
    if (!InCp932()) GTEST_SKIP() << "needs code page 932";
    // Four bytes would end inside the double-byte character and leave its
    // trail byte, the code of "\", at the front.
    std::string dir = "\\.ab" + kHyo + "x\\c\\";
    DropFirstFolder(dir);
    EXPECT_EQ("\\...\\c\\", dir);
}

TEST(Cp932Test, ABracketIsACharacterNotATrailByte) {
    if (!InCp932()) GTEST_SKIP() << "needs code page 932";
    const std::string endsInTrail5D = "\x83\x5D";  // a katakana whose trail byte is the code of "]"
    std::string name = "[ab" + endsInTrail5D;
    CreateDirectoryA("M:\\data", nullptr);
    ASSERT_TRUE(CreateDirectoryA(("M:\\data\\" + name).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    std::string before = platform::GetDir();
    ASSERT_TRUE(SetCurrentDirectoryA("M:\\data"));
    char drive;
    std::string dir, file;
    SplitEnteredPath(name, drive, dir, file);  // a folder's name, not a bracketed one
    EXPECT_EQ("\\data\\" + name, dir);
    EXPECT_EQ("", file);
    SetCurrentDirectoryA(before.c_str());
}

}  // namespace
