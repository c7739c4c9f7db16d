#include "shell/TickClock.h"

#include <chrono>

namespace {

std::function<std::int64_t()>& tickSource() {
    static std::function<std::int64_t()> source;
    return source;
}

std::int64_t steadyTicks() {
    using Ticks = std::chrono::duration<std::int64_t, std::ratio<1, kTicksPerSecond>>;
    return std::chrono::duration_cast<Ticks>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

} // namespace

std::int64_t currentTicks() {
    const auto& source = tickSource();
    return source ? source() : steadyTicks();
}

void setTickSource(std::function<std::int64_t()> source) {
    tickSource() = std::move(source);
}
