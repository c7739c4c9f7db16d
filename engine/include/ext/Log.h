#pragma once

#include <functional>
#include <string>

namespace cocos2d {
namespace ext {

// Every cocos2d::log line (without its trailing newline) goes to the sink instead of stdout.
// An empty function restores stdout.
void setLogSink(std::function<void(const std::string&)> sink);

} // namespace ext
} // namespace cocos2d
