// Tutorial strings: any bytes, including text that is not valid UTF-8, build the five pages
// and draw a frame. A broken file is reported and shows empty texts; it never stops the game.

#include <cstdlib>

#include "cocos2d.h"
#include "ext/Headless.h"
#include "fuzz/FuzzSupport.h"
#include "scenes/Tutorial.h"
#include "shell/Constants.h"

USING_NS_CC;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzsupport::silenceLogs();
    fuzzsupport::startHeadlessEngine();
    return 0;
}

namespace {

// A resource root whose res/tutorial/strings.json is the input and whose every other file is
// the shipped one: the shipped tree mirrored with links, the strings file replaced.
void mirrorShippedTree() {
    namespace fs = std::filesystem;
    static bool mirrored = false;
    if (mirrored) {
        return;
    }
    mirrored = true;
    const fs::path shipped = fs::path(SOLVANE_SOURCE_DIR) / "Resources";
    const fs::path root = fuzzsupport::scratchRoot();
    for (const auto& entry : fs::recursive_directory_iterator(shipped)) {
        const fs::path target = root / fs::relative(entry.path(), shipped);
        if (entry.is_directory()) {
            fs::create_directories(target);
        } else if (entry.path().filename() != "strings.json") {
            fs::create_symlink(entry.path(), target);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    mirrorShippedTree();
    fuzzsupport::writeResource(kTutorialStringsPath, data, size);
    Tutorial* tutorial = Tutorial::create();
    if (!tutorial) {
        fuzzsupport::fail("the tutorial did not build");
    }
    Director* director = Director::getInstance();
    if (director->getRunningScene()) {
        director->replaceScene(tutorial);
    } else {
        director->runWithScene(tutorial);
    }
    ext::step(1.0f / 60.0f, 2);
    return 0;
}
