#pragma once

#include <exception>
#include <string>

namespace datatest {

// The what() text of whatever f throws, or "no error".
template <class F> std::string errorOf(F f) {
    try {
        f();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "no error";
}

} // namespace datatest
