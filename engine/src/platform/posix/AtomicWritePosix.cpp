// The atomic replace on POSIX: mkstemp beside the target, write, fsync, rename, then fsync the
// folder so the rename itself survives a power cut.
#include "platform/FileSystem.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace cocos2d {
namespace fs {

namespace {

bool writeAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

std::string folderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash + 1);
}

} // namespace

bool replaceFileAtomically(const std::string& path, const std::string& bytes, std::string* error) {
    std::string temp = tempPrefixFor(path) + "XXXXXX";
    std::string failure;
    int fd = ::mkstemp(&temp[0]);
    if (fd < 0) {
        failure = std::strerror(errno);
    } else {
        if (!writeAll(fd, bytes.data(), bytes.size()) || ::fsync(fd) != 0) {
            failure = std::strerror(errno);
        }
        if (::close(fd) != 0 && failure.empty()) {
            failure = std::strerror(errno);
        }
        if (failure.empty() && std::rename(temp.c_str(), path.c_str()) != 0) {
            failure = std::strerror(errno);
        }
        if (!failure.empty()) {
            ::unlink(temp.c_str());
        }
    }
    if (!failure.empty()) {
        if (error != nullptr) {
            *error = failure;
        }
        return false;
    }
    int dirFd = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

} // namespace fs
} // namespace cocos2d
