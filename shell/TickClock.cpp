#include "shell/TickClock.h"

#include <chrono>

namespace {

// Empty: read the steady clock.
std::function<std::int64_t()> gTickSource;

std::int64_t steadyTicks() {
    using Ticks = std::chrono::duration<std::int64_t, std::ratio<1, kTicksPerSecond>>;
    return std::chrono::duration_cast<Ticks>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

} // namespace

std::int64_t currentTicks() {
    return gTickSource ? gTickSource() : steadyTicks();
}

void setTickSource(std::function<std::int64_t()> source) {
    gTickSource = std::move(source);
}
