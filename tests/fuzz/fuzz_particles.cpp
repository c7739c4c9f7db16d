// Particle effect definitions: any bytes as a plist beside the shipped effect textures either
// make an emitter or give null; an emitter that is made runs and draws a few frames, spinning
// or not, with its texture from the folder or embedded in the plist.

#include <cstdlib>
#include <filesystem>

#include "cocos2d.h"
#include "ext/Headless.h"
#include "fuzz/FuzzSupport.h"

USING_NS_CC;

namespace {

// The shipped effect textures, linked into the scratch folder the input plist is written to.
std::string effectFolder() {
    namespace fs = std::filesystem;
    static const std::string folder = [] {
        const fs::path shipped = fs::path(SOLVANE_SOURCE_DIR) / "Resources" / "res" / "effect";
        const fs::path target = fs::path(fuzzsupport::scratchRoot()) / "effect";
        fs::create_directories(target);
        for (const auto& entry : fs::directory_iterator(shipped)) {
            if (entry.path().extension() == ".png") {
                fs::create_symlink(entry.path(), target / entry.path().filename());
            }
        }
        return target.string() + "/";
    }();
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzsupport::silenceLogs();
    fuzzsupport::startHeadlessEngine();
    Director::getInstance()->runWithScene(Scene::create());
    ext::step(1.0f / 60.0f);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string plist = effectFolder() + "input.plist";
    fuzzsupport::writeFile(plist, data, size);
    Director* director = Director::getInstance();
    ParticleSystemQuad* system = ParticleSystemQuad::create(plist);
    if (system) {
        director->getRunningScene()->addChild(system);
        ext::step(0.1f, 3);
        system->removeFromParent();
    }
    // Each input starts from the same cache, whatever textures the last one made.
    director->getTextureCache()->removeUnusedTextures();
    return 0;
}
