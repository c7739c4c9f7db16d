#pragma once
// Per-frame wall times of a scripted run, summed up in one line for benchmarks.

#include <string>
#include <vector>

class FrameStats {
public:
    // sceneFirstFrame: the frame a new scene was entered and first drawn (its pictures are
    // loaded there, so it is allowed to be slow).
    void add(double milliseconds, bool sceneFirstFrame = false) {
        _times.push_back(milliseconds);
        if (!sceneFirstFrame) {
            _settled.push_back(milliseconds);
        }
    }
    // "frames: N mean X ms p99 Y ms max Z ms", two decimals, over every frame; the 99th
    // percentile is the nearest-rank one, so with fewer than 100 frames it is the slowest frame.
    std::string summary() const;
    // "frames after a scene's first: N max Z ms over 16 ms K": the same run without the frames
    // that entered a scene.
    std::string settledSummary() const;

private:
    std::vector<double> _times;
    std::vector<double> _settled;
};
