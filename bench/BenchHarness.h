#pragma once
#include <functional>
#include <string>
#include <vector>

namespace bench {

// Milliseconds on the performance counter.
double Now();

// Times of two sides measured in the same run, pair by pair.
struct Pairs {
    std::vector<double> ours, raw;
    double OursMedian() const;
    double RawMedian() const;
    // The median of ours[i] / raw[i]: robust against a slow moment that hits one pair.
    double RatioMedian() const;
};

double Median(std::vector<double> values);

// Runs `ours` and `raw` alternately `rounds` times after `warmup` unmeasured
// rounds each; every function returns the milliseconds it measured itself,
// so that preparing and cleaning up stay outside the figure.
Pairs Interleave(int rounds, int warmup, const std::function<double()>& ours,
                 const std::function<double()>& raw);

// One line: "<what>: ours 1.23 ms, raw 1.00 ms, ratio 1.23 (target <= 1.20)".
void PrintPairs(const std::string& what, const Pairs& pairs, double target = 0);
void PrintLine(const std::string& text);

}  // namespace bench
