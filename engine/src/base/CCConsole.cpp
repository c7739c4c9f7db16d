#include "base/CCConsole.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

#include "ext/Log.h"

NS_CC_BEGIN

namespace {

// The log is called from the audio thread too, so the sink is guarded.
std::mutex s_logMutex;
std::function<void(const std::string&)> s_logSink;

std::string formatLine(const char* format, va_list args) {
    std::vector<char> buffer(1024);
    va_list copy;
    va_copy(copy, args);
    int needed = std::vsnprintf(buffer.data(), buffer.size(), format, copy);
    va_end(copy);
    if (needed < 0) {
        return std::string("(unformattable log line) ") + format;
    }
    if (static_cast<size_t>(needed) >= buffer.size()) {
        buffer.resize(static_cast<size_t>(needed) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format, args);
    }
    return std::string(buffer.data(), static_cast<size_t>(needed));
}

} // namespace

void log(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string line = formatLine(format, args);
    va_end(args);

    std::function<void(const std::string&)> sink;
    {
        std::lock_guard<std::mutex> lock(s_logMutex);
        sink = s_logSink;
    }
    // Called outside the lock so a sink may itself change the sink.
    if (sink) {
        sink(line);
        return;
    }
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

namespace ext {

void setLogSink(std::function<void(const std::string&)> sink) {
    std::lock_guard<std::mutex> lock(s_logMutex);
    s_logSink = std::move(sink);
}

} // namespace ext

NS_CC_END
