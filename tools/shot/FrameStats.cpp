#include "FrameStats.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>

std::string FrameStats::summary() const {
    double mean = 0.0, p99 = 0.0, max = 0.0;
    if (!_times.empty()) {
        std::vector<double> sorted = _times;
        std::sort(sorted.begin(), sorted.end());
        const size_t n = sorted.size();
        mean = std::accumulate(sorted.begin(), sorted.end(), 0.0) / static_cast<double>(n);
        const size_t rank = static_cast<size_t>(std::ceil(0.99 * static_cast<double>(n)));
        p99 = sorted[std::max<size_t>(rank, 1) - 1];
        max = sorted.back();
    }
    char line[128];
    std::snprintf(line, sizeof line, "frames: %zu mean %.2f ms p99 %.2f ms max %.2f ms", _times.size(), mean,
                  p99, max);
    return line;
}
