#pragma once

// UTF-8 <-> UTF-16 at the Windows API's edge: the engine speaks UTF-8, the W calls UTF-16.

#include <string>

namespace cocos2d {
namespace fs {

std::wstring widen(const std::string& utf8);
std::string narrow(const std::wstring& utf16);

} // namespace fs
} // namespace cocos2d
