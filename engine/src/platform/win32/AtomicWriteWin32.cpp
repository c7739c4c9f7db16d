// The atomic replace on Windows: a new temp file beside the target, FlushFileBuffers, then
// MoveFileExW with replace-existing and write-through, which returns only once the move is on
// the disk. NTFS makes the move itself atomic: readers see the old or the new file, never a mix.
#include "platform/FileSystem.h"

#include <atomic>
#include <windows.h>

#include "platform/win32/Utf16.h"

namespace cocos2d {
namespace fs {

namespace {

std::atomic<unsigned> s_tempCounter{0};

// A name no other writer uses: process id, a per-process count and the tick count.
std::string uniqueTempName(const std::string& path) {
    return tempPrefixFor(path) + std::to_string(::GetCurrentProcessId()) + "-" +
           std::to_string(++s_tempCounter) + "-" + std::to_string(::GetTickCount64());
}

} // namespace

bool replaceFileAtomically(const std::string& path, const std::string& bytes, std::string* error) {
    const std::string temp = uniqueTempName(path);
    const std::wstring wideTemp = widen(temp);
    HANDLE file = ::CreateFileW(wideTemp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    std::string failure;
    if (file == INVALID_HANDLE_VALUE) {
        failure = lastError();
    } else {
        size_t offset = 0;
        while (failure.empty() && offset < bytes.size()) {
            DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - offset, 1u << 30));
            DWORD written = 0;
            if (!::WriteFile(file, bytes.data() + offset, chunk, &written, nullptr) || written == 0) {
                failure = lastError();
            }
            offset += written;
        }
        if (failure.empty() && !::FlushFileBuffers(file)) {
            failure = lastError();
        }
        if (!::CloseHandle(file) && failure.empty()) {
            failure = lastError();
        }
        if (failure.empty() && !::MoveFileExW(wideTemp.c_str(), widen(path).c_str(),
                                              MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            failure = lastError();
        }
        if (!failure.empty()) {
            ::DeleteFileW(wideTemp.c_str());
        }
    }
    if (!failure.empty() && error != nullptr) {
        *error = failure;
    }
    return failure.empty();
}

} // namespace fs
} // namespace cocos2d
