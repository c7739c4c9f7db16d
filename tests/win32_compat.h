#pragma once

// The few POSIX calls the tests use, for the Windows build of the tests (force-included there by
// tests/CMakeLists.txt so the test sources stay as they are).

// M_PI and friends, which glibc gives by default.
#define _USE_MATH_DEFINES
#include <cmath>
#include <cstdlib>
#include <direct.h>
#include <io.h>
#include <process.h>
#include <string>

inline int setenv(const char* name, const char* value, int overwrite) {
    if (!overwrite && std::getenv(name) != nullptr) {
        return 0;
    }
    return _putenv_s(name, value);
}

inline int unsetenv(const char* name) {
    return _putenv_s(name, "");
}

// Fills in the XXXXXX in place, as POSIX does. Under Wine "/tmp/..." is the host's /tmp on the
// current drive, which is where the tests run.
inline char* mkdtemp(char* pattern) {
    std::string path = pattern;
    if (path.size() < 6 || path.compare(path.size() - 6, 6, "XXXXXX") != 0) {
        return nullptr;
    }
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    static unsigned seed = static_cast<unsigned>(_getpid()) * 2654435761u;
    char* tail = pattern + path.size() - 6;
    for (int attempt = 0; attempt < 100; ++attempt) {
        for (int i = 0; i < 6; ++i) {
            seed = seed * 1103515245u + 12345u;
            tail[i] = kLetters[(seed >> 16) % 36];
        }
        if (_mkdir(pattern) == 0) {
            return pattern;
        }
    }
    return nullptr;
}
