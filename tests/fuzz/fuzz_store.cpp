// The per-user store file: whatever bytes are on disk, opening the store either reads them or
// sets them aside untouched and starts with defaults; the store then takes a new best score
// and reads it back after a restart.

#include <string>

#include "base/CCUserDefault.h"
#include "fuzz/FuzzSupport.h"

USING_NS_CC;

namespace {

constexpr int kWrittenBest = 4242;

std::string storeFolder() {
    return fuzzsupport::scratchRoot() + "store/";
}

std::string readWhole(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A store that could not be read must still exist, byte for byte, beside the new one.
void checkSetAsideCopies(const std::string& input) {
    for (const auto& entry : std::filesystem::directory_iterator(storeFolder())) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("UserDefault.xml.corrupt-", 0) == 0 && readWhole(entry.path()) != input) {
            fuzzsupport::fail("a set-aside store differs from the file that was on disk");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzsupport::silenceLogs();
    ext::setWritablePath(storeFolder());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::filesystem::remove_all(storeFolder());
    std::filesystem::create_directories(storeFolder());
    fuzzsupport::writeFile(storeFolder() + "UserDefault.xml", data, size);

    UserDefault* store = UserDefault::getInstance();
    store->getIntegerForKey("high_score", 0);
    store->getBoolForKey("isFirstTime", false);
    store->getStringForKey("name", "");
    store->getFloatForKey("volume", 1.0f);
    checkSetAsideCopies(std::string(reinterpret_cast<const char*>(data), size));

    store->setIntegerForKey("high_score", kWrittenBest);
    UserDefault::destroyInstance();
    if (UserDefault::getInstance()->getIntegerForKey("high_score", 0) != kWrittenBest) {
        fuzzsupport::fail("a written best score did not survive a restart");
    }
    UserDefault::destroyInstance();
    return 0;
}
