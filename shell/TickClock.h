#pragma once
// The play's wall clock in 100-nanosecond ticks. Tests and the screenshot tool replace the
// source so that frames and the clock advance together.

#include <cstdint>
#include <functional>

std::int64_t currentTicks();

// An empty function restores the real steady clock.
void setTickSource(std::function<std::int64_t()> source);

constexpr std::int64_t kTicksPerSecond = 10000000;
