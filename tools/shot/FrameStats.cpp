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

std::string FrameStats::settledSummary() const {
    constexpr double kFrameBudgetMs = 16.0;
    const double max = _settled.empty() ? 0.0 : *std::max_element(_settled.begin(), _settled.end());
    const auto over =
        std::count_if(_settled.begin(), _settled.end(), [](double ms) { return ms > kFrameBudgetMs; });
    char line[128];
    std::snprintf(line, sizeof line, "frames after a scene's first: %zu max %.2f ms over 16 ms %ld",
                  _settled.size(), max, static_cast<long>(over));
    return line;
}
