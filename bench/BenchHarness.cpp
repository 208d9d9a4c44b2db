#include "BenchHarness.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

namespace bench {

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double Pairs::OursMedian() const { return Median(ours); }
double Pairs::RawMedian() const { return Median(raw); }

double Pairs::RatioMedian() const {
    std::vector<double> ratios;
    for (size_t i = 0; i < ours.size() && i < raw.size(); ++i)
        if (raw[i] > 0) ratios.push_back(ours[i] / raw[i]);
    return Median(ratios);
}

Pairs Interleave(int rounds, int warmup, const std::function<double()>& ours,
                 const std::function<double()>& raw) {
    for (int i = 0; i < warmup; ++i) {
        ours();
        raw();
    }
    Pairs pairs;
    for (int i = 0; i < rounds; ++i) {
        pairs.ours.push_back(ours());
        pairs.raw.push_back(raw());
    }
    return pairs;
}

void PrintPairs(const std::string& what, const Pairs& pairs, double target) {
    char line[256];
    std::snprintf(line, sizeof(line), "%-36s ours %8.3f ms   raw %8.3f ms   ratio %5.2f", what.c_str(),
                  pairs.OursMedian(), pairs.RawMedian(), pairs.RatioMedian());
    std::string text = line;
    if (target > 0) {
        std::snprintf(line, sizeof(line), "   (target <= %.2f: %s)", target,
                      pairs.RatioMedian() <= target ? "met" : "NOT met");
        text += line;
    }
    PrintLine(text);
}

void PrintLine(const std::string& text) {
    std::printf("%s\n", text.c_str());
    std::fflush(stdout);
}

}  // namespace bench
