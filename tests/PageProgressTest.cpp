// The line under the check box, read back from its window: how far a
// running export is (with a bar where an earlier backup gives an estimate),
// and otherwise the newest backup in the folder, in the user's formats.
#include "PageFixture.h"

#include <commctrl.h>

#include <cstdlib>

using namespace testing_support;
using namespace desktop;
using namespace page_test;

namespace {

std::string TextOf(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

// "Last backup: <the user's short date> <time>, <size> MB" of a file, the
// date and time asked of the system here.
std::string LastBackupLine(const std::string& path) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(path.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return "(no file " + path + ")";
    FindClose(find);
    FILETIME local;
    SYSTEMTIME t;
    FileTimeToLocalFileTime(&data.ftLastWriteTime, &local);
    FileTimeToSystemTime(&local, &t);
    char date[64], time[64], decimal[8] = ".";
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, date, sizeof(date));
    GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &t, nullptr, time, sizeof(time));
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal, sizeof(decimal));
    char size[32];
    std::snprintf(size, sizeof(size), "%.1f", data.nFileSizeLow / 1048576.0);
    std::string megabytes = size;
    megabytes.replace(megabytes.find('.'), 1, decimal);
    return std::string("Last backup: ") + date + " " + time + ", " + megabytes + " MB";
}

struct Sample {
    std::string line;
    bool barShown;
    int barAt;
};

// While a slow editor writes, the line grows at least four times a second
// and, with an earlier backup of 4 MB to go by, tells the share done and
// shows it in the bar, never above 99 %; afterwards it names the new backup.
TEST_F(PageTest, TheExportShowsHowFarItIsAndThenTheLastBackup) {
    Today();
    const std::string earlier = folder + "\\2026125.reg";
    if (FILE* f = std::fopen(earlier.c_str(), "wb")) {
        const std::string megabyte(1 << 20, 'x');
        for (int i = 0; i < 4; ++i) std::fwrite(megabyte.data(), 1, megabyte.size(), f);
        std::fclose(f);
    }
    SetFileDate(earlier, 2026, 12, 5);
    RealEditor editor(fake, "slow");
    Page(1);
    HWND line = page->T288_Label_Status->Handle(), bar = page->T288_Progress->Handle();
    EXPECT_TRUE(PumpUntil([&] { return TextOf(line) == LastBackupLine(earlier); })) << TextOf(line);
    EXPECT_FALSE(IsWindowVisible(bar));

    std::vector<Sample> samples;
    Ticker sample(
        [&] {
            samples.push_back({TextOf(line), IsWindowVisible(bar) != 0,
                               static_cast<int>(SendMessageA(bar, PBM_GETPOS, 0, 0))});
            return false;
        },
        50);
    BoxAnswerer boxes;
    ModulSaveChanges();
    ASSERT_EQ(1u, boxes.Texts().size());
    ASSERT_EQ("Registry exported to " + Target() + " !", boxes.Texts()[0]);

    std::vector<std::string> lines;
    double lastMegabytes = -1;
    int lastPercent = -1;
    for (const Sample& s : samples) {
        const std::string head = "Exporting: ";
        if (s.line.rfind(head, 0) != 0) continue;
        if (!lines.empty() && lines.back() == s.line) continue;
        lines.push_back(s.line);
        std::string number = s.line.substr(head.size());
        for (char& c : number)
            if (c == ',') c = '.';
        const double megabytes = std::atof(number.c_str());
        EXPECT_GE(megabytes, lastMegabytes) << s.line;
        lastMegabytes = megabytes;
        const size_t about = s.line.find(", about ");
        ASSERT_NE(std::string::npos, about) << s.line;
        const int percent = std::atoi(s.line.c_str() + about + 8);
        EXPECT_EQ('%', s.line.back()) << s.line;
        EXPECT_GE(percent, lastPercent) << s.line;
        EXPECT_LE(percent, 99) << s.line;
        lastPercent = percent;
        EXPECT_TRUE(s.barShown);
        EXPECT_EQ(percent, s.barAt) << s.line;
    }
    // Some 3 MB in a second and a half, the line asked every 50 ms.
    EXPECT_GE(lines.size(), 4u) << (lines.empty() ? "no line" : lines.back());
    EXPECT_GT(lastPercent, 30);
    EXPECT_TRUE(PumpUntil([&] { return TextOf(line) == LastBackupLine(Target()); })) << TextOf(line);
    EXPECT_FALSE(IsWindowVisible(bar));
}

// In German, and with no earlier backup to go by: the written size alone,
// no bar; a folder without backups shows no line.
TEST_F(PageTest, WithoutAnEarlierBackupTheLineTellsOnlyTheSize) {
    Today();
    RealEditor editor(fake, "slow");
    Page(0);
    HWND line = page->T288_Label_Status->Handle(), bar = page->T288_Progress->Handle();
    EXPECT_EQ("", TextOf(line));
    std::vector<Sample> samples;
    Ticker sample(
        [&] {
            samples.push_back({TextOf(line), IsWindowVisible(bar) != 0, 0});
            return false;
        },
        50);
    BoxAnswerer boxes;
    ModulSaveChanges();
    ASSERT_EQ(1u, boxes.Texts().size());
    int running = 0;
    for (const Sample& s : samples) {
        if (s.line.rfind("Export läuft: ", 0) != 0) continue;
        ++running;
        EXPECT_EQ(" MB geschrieben", s.line.substr(s.line.size() - 15)) << s.line;
        EXPECT_FALSE(s.barShown);
    }
    EXPECT_GE(running, 4);
    EXPECT_TRUE(PumpUntil([&] {
        return TextOf(line) == "Letzte Sicherung: " + LastBackupLine(Target()).substr(13);
    })) << TextOf(line);
}

}  // namespace
