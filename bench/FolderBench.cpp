// The directory list box's RebuildTree and the file list box's fill on
// large folders, against the raw floor (FindFirstFileA over the same
// folder) and a naive raw fill (the same enumeration into a plain sorted
// owner-drawn list box, one string at a time), measured in the same run.
//   folder_bench <folder of folders> <folder of files>
// Each holds subfolders d1000 and d10000 (and f100000 for files) with that many entries.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "BenchHarness.h"
#include "filectrl/DirectoryListBox.h"
#include "filectrl/FileListBox.h"
#include "platform/window/Form.h"

namespace {

using bench::Now;

// The floor: the enumeration alone.
double Enumerate(const std::string& folder) {
    double start = Now();
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*.*").c_str(), &data);
    int n = 0;
    if (find != INVALID_HANDLE_VALUE) {
        do ++n;
        while (FindNextFileA(find, &data));
        FindClose(find);
    }
    return n ? Now() - start : -1;
}

// The naive fill: the list box sorts each string as it comes.
double NaiveFill(const std::string& folder, bool directories) {
    HWND list = CreateWindowExA(0, "LISTBOX", "", WS_POPUP | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_SORT |
                                LBS_NOINTEGRALHEIGHT, 0, 0, 200, 300, nullptr, nullptr, nullptr, nullptr);
    double start = Now();
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*.*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            bool dir = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
            if (directories != dir || (dir && data.cFileName[0] == '.')) continue;
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(data.cFileName));
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    double took = Now() - start;
    DestroyWindow(list);
    return took;
}

// Medians of each side, and the medians of the per-round ratios against
// the floor (each round measures the three one after the other).
struct Figures {
    double floor, naive, ours, naiveRatio, oursRatio;
};

void Print(const char* what, int n, const Figures& f) {
    char line[256];
    std::snprintf(line, sizeof(line), "%-14s %7d: floor %7.1f ms  naive %7.1f ms (%4.2f x)  ours %7.1f ms (%4.2f x)",
                  what, n, f.floor, f.naive, f.naiveRatio, f.ours, f.oursRatio);
    bench::PrintLine(line);
}

Figures Measure(int rounds, const std::string& folder, bool directories, const std::function<double()>& ours) {
    std::vector<double> floor, naive, mine, naiveRatio, oursRatio;
    Enumerate(folder);
    ours();
    for (int i = 0; i < rounds; ++i) {
        floor.push_back(Enumerate(folder));
        naive.push_back(NaiveFill(folder, directories));
        mine.push_back(ours());
        naiveRatio.push_back(naive.back() / floor.back());
        oursRatio.push_back(mine.back() / floor.back());
    }
    return {bench::Median(floor), bench::Median(naive), bench::Median(mine), bench::Median(naiveRatio),
            bench::Median(oursRatio)};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        bench::PrintLine("usage: folder_bench <folder of folders> <folder of files>");
        return 2;
    }
    const std::string folders = argv[1], files = argv[2];
    auto* form = new platform::Form(nullptr);
    form->SetClientSize(400, 400);
    auto* dirs = form->Make<wendrik::TDirectoryListBox>();
    dirs->SetBounds(0, 0, 200, 400);
    dirs->SetParent(form);
    auto* fileList = form->Make<wendrik::TFileListBox>();
    fileList->SetBounds(200, 0, 200, 400);
    fileList->SetParent(form);
    if (!getenv("BENCH_HIDDEN")) form->Show();

    bench::PrintLine("RebuildTree of a folder with n subfolders (medians; ratios against the floor)");
    Figures tree[2];
    int sizes[2] = {1000, 10000};
    for (int i = 0; i < 2; ++i) {
        std::string folder = folders + "\\d" + std::to_string(sizes[i]);
        // Entering the folder from an empty one: the rebuild, and the step into it.
        tree[i] = Measure(15, folder, true, [&] {
            dirs->ChangeCurrentDir(folders + "\\empty");
            double start = Now();
            dirs->ChangeCurrentDir(folder);
            return Now() - start;
        });
        Print("RebuildTree", sizes[i], tree[i]);
        Figures again = Measure(9, folder, true, [&] {
            double start = Now();
            dirs->RebuildTree();  // the same folder again: its old items go first
            return Now() - start;
        });
        Print("  once more", sizes[i], again);
    }
    char line[160];
    std::snprintf(line, sizeof(line), "RebuildTree growth 1,000 -> 10,000: ours %.1f x, naive %.1f x, floor %.1f x",
                  tree[1].ours / tree[0].ours, tree[1].naive / tree[0].naive, tree[1].floor / tree[0].floor);
    bench::PrintLine(line);
    std::snprintf(line, sizeof(line), "targets: at 10,000 within 1.5 x the floor (%s), growth at most 12 x (%s)",
                  tree[1].oursRatio <= 1.5 ? "met" : "NOT met",
                  tree[1].ours / tree[0].ours <= 12 ? "met" : "NOT met");
    bench::PrintLine(line);

    bench::PrintLine("FillFileList of a folder with n files (medians; ratios against the floor)");
    Figures fill[3];
    int counts[3] = {1000, 10000, 100000};
    for (int i = 0; i < 3; ++i) {
        std::string folder = files + "\\f" + std::to_string(counts[i]);
        fill[i] = Measure(i == 2 ? 5 : 15, folder, false, [&] {
            fileList->ChangeCurrentDir(files + "\\empty");
            double start = Now();
            fileList->ChangeCurrentDir(folder);
            return Now() - start;
        });
        Print("FillFileList", counts[i], fill[i]);
        Figures again = Measure(i == 2 ? 3 : 9, folder, false, [&] {
            double start = Now();
            fileList->FillFileList();  // the same folder again: its old items go first
            return Now() - start;
        });
        Print("  once more", counts[i], again);
    }
    std::snprintf(line, sizeof(line), "FillFileList growth 10,000 -> 100,000: ours %.1f x, naive %.1f x, floor %.1f x",
                  fill[2].ours / fill[1].ours, fill[2].naive / fill[1].naive, fill[2].floor / fill[1].floor);
    bench::PrintLine(line);
    std::snprintf(line, sizeof(line), "targets: at 100,000 within 1.5 x the floor (%s), growth at most 12 x (%s)",
                  fill[2].oursRatio <= 1.5 ? "met" : "NOT met",
                  fill[2].ours / fill[1].ours <= 12 ? "met" : "NOT met");
    bench::PrintLine(line);
    delete form;
    return 0;
}
