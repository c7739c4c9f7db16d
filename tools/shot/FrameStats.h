#pragma once
// Per-frame wall times of a scripted run, summed up in one line for benchmarks.

#include <string>
#include <vector>

class FrameStats {
public:
    void add(double milliseconds) { _times.push_back(milliseconds); }
    // "frames: N mean X ms p99 Y ms max Z ms", two decimals; the 99th percentile is the
    // nearest-rank one, so with fewer than 100 frames it is the slowest frame.
    std::string summary() const;

private:
    std::vector<double> _times;
};
