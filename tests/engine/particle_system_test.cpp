#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include <zlib.h>

#include "EngineFixture.h"

USING_NS_CC;

namespace {

using Keys = std::map<std::string, std::string>;
using Bytes = std::vector<unsigned char>;

Bytes readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// zlib's deflate with a gzip header (windowBits 15 + 16) or a zlib one (15).
Bytes deflateBytes(const Bytes& in, bool gzip) {
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, gzip ? 15 + 16 : 15, 8, Z_DEFAULT_STRATEGY);
    Bytes out(deflateBound(&stream, static_cast<uLong>(in.size())) + 32);
    stream.next_in = const_cast<Bytef*>(in.data());
    stream.avail_in = static_cast<uInt>(in.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

// Base64 broken into lines, as text editors and some exporters leave it.
std::string base64Lines(const Bytes& in) {
    const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (size_t i = 0; i < in.size(); i += 3) {
        const unsigned int chunk =
            (in[i] << 16) | (i + 1 < in.size() ? in[i + 1] << 8 : 0) | (i + 2 < in.size() ? in[i + 2] : 0);
        for (size_t k = 0; k < 4; ++k) {
            out += k <= (in.size() - i) ? alphabet[(chunk >> (18 - 6 * k)) & 0x3F] : '=';
        }
        if (i % 45 == 42) {
            out += "\n\t";
        }
    }
    return out;
}

class ParticleSystemTest : public SceneFixture {
protected:
    // A Particle Designer plist: every value written as <real>, except the texture name.
    std::string writePlist(const std::string& relPath, Keys overrides) {
        Keys keys = {{"maxParticles", "100"},
                     {"particleLifespan", "2"},
                     {"duration", "-1"},
                     {"emitterType", "0"},
                     {"speed", "0"},
                     {"angle", "90"},
                     {"startParticleSize", "16"},
                     {"finishParticleSize", "-1"},
                     {"startColorRed", "1"},
                     {"startColorGreen", "1"},
                     {"startColorBlue", "1"},
                     {"startColorAlpha", "1"},
                     {"finishColorRed", "1"},
                     {"finishColorGreen", "1"},
                     {"finishColorBlue", "1"},
                     {"finishColorAlpha", "1"},
                     {"blendFuncSource", "770"},
                     {"blendFuncDestination", "771"}};
        for (const auto& entry : overrides) {
            keys[entry.first] = entry.second;
        }
        if (!keys.count("textureFileName")) {
            makePng("dot.png", 8, 8, {255, 255, 255, 255});
            keys["textureFileName"] = "dot.png";
        }
        std::string path = tempDir() + relPath;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream out(path);
        out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n";
        for (const auto& entry : keys) {
            if (entry.second.empty()) {
                continue;
            }
            const bool text = entry.first == "textureFileName" || entry.first == "textureImageData";
            out << "<key>" << entry.first << "</key>" << (text ? "<string>" : "<real>") << entry.second
                << (text ? "</string>" : "</real>") << "\n";
        }
        out << "</dict>\n</plist>\n";
        return path;
    }
};

TEST_F(ParticleSystemTest, EmitsMaxParticlesOverLifespanPerSecond) {
    auto* system = ParticleSystemQuad::create(
        writePlist("rate.plist", {{"maxParticles", "100"}, {"particleLifespan", "2"}}));
    ASSERT_NE(system, nullptr);
    EXPECT_FLOAT_EQ(system->getEmissionRate(), 50.0f);
    _scene->addChild(system);
    step(0.1f, 10);
    EXPECT_NEAR(system->getParticleCount(), 50, 1);
    // Newborns age in the frame they are born: at 2 s the first batch has just died.
    step(0.1f, 10);
    EXPECT_NEAR(system->getParticleCount(), 95, 1);
    step(0.1f, 30); // steady: the oldest die as new ones are born, never more than the pool
    EXPECT_LE(system->getParticleCount(), 100);
    EXPECT_GE(system->getParticleCount(), 90);
    EXPECT_TRUE(system->isActive());
}

TEST_F(ParticleSystemTest, StopsAfterItsDurationAndRemovesItselfWhenAsked) {
    const std::string plist =
        writePlist("burst.plist", {{"duration", "0.5"}, {"particleLifespan", "0.3"}, {"maxParticles", "30"}});
    auto* kept = ParticleSystemQuad::create(plist);
    auto* removed = ParticleSystemQuad::create(plist);
    removed->setAutoRemoveOnFinish(true);
    removed->resetSystem();
    _scene->addChild(kept);
    _scene->addChild(removed);
    step(0.1f, 5);
    EXPECT_TRUE(kept->isActive());
    EXPECT_GT(kept->getParticleCount(), 0);
    step(0.1f, 1);
    EXPECT_FALSE(kept->isActive());
    const int lastCount = kept->getParticleCount();
    step(0.1f, 1);
    EXPECT_LT(kept->getParticleCount(), lastCount); // no new births
    step(0.1f, 4);
    EXPECT_EQ(kept->getParticleCount(), 0);
    EXPECT_EQ(kept->getParent(), _scene);
    EXPECT_EQ(_scene->getChildrenCount(), 1);
}

TEST_F(ParticleSystemTest, AnAutoRemovingSystemThatNeverEmittedStays) {
    auto* idle = ParticleSystemQuad::create(writePlist("idle.plist", {{"maxParticles", "0"}}));
    ASSERT_NE(idle, nullptr);
    idle->setAutoRemoveOnFinish(true);
    _scene->addChild(idle);
    step(0.1f, 10);
    EXPECT_EQ(idle->getParent(), _scene);
}

TEST_F(ParticleSystemTest, AnEndlessSystemKeepsEmitting) {
    auto* system = ParticleSystemQuad::create(
        writePlist("endless.plist", {{"particleLifespan", "0.2"}, {"maxParticles", "20"}}));
    _scene->addChild(system);
    step(0.05f, 200);
    EXPECT_TRUE(system->isActive());
    EXPECT_GT(system->getParticleCount(), 0);
    system->stopSystem();
    step(0.1f, 3);
    EXPECT_EQ(system->getParticleCount(), 0);
    system->resetSystem();
    step(0.1f, 2);
    EXPECT_GT(system->getParticleCount(), 0);
}

TEST_F(ParticleSystemTest, MissingFilesAndBadDefinitionsGiveNullWithALogLine) {
    EXPECT_EQ(ParticleSystemQuad::create("res/effect/none.plist"), nullptr);
    EXPECT_TRUE(logContains("none.plist"));

    EXPECT_EQ(ParticleSystemQuad::create(writePlist("lost.plist", {{"textureFileName", "lost.png"}})),
              nullptr);
    EXPECT_TRUE(logContains("lost.png"));

    EXPECT_EQ(ParticleSystemQuad::create(writePlist("weird.plist", {{"emitterType", "7"}})), nullptr);
    EXPECT_TRUE(logContains("emitterType 7"));

    const std::string notXml = tempDir() + "text.plist";
    std::ofstream(notXml) << "not a plist";
    EXPECT_EQ(ParticleSystemQuad::create(notXml), nullptr);
}

// Particle designers can embed the texture in the plist: base64 of the image, usually compressed.
TEST_F(ParticleSystemTest, AnEmbeddedTextureIsUsedWhenNoFileIsBesideThePlist) {
    const Bytes png = readBytes(makePng("embedded.png", 6, 4, {255, 255, 0, 255}));
    const std::string gzip = base64Lines(deflateBytes(png, true));
    auto* first = ParticleSystemQuad::create(
        writePlist("embedded/a.plist", {{"textureFileName", "gone.png"}, {"textureImageData", gzip}}));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(first->getTexture(), nullptr);
    EXPECT_EQ(first->getTexture()->getPixelsWide(), 6);
    EXPECT_EQ(first->getTexture()->getPixelsHigh(), 4);
    first->setPosition(Vec2(300, 300));
    _scene->addChild(first);
    step(0.1f, 3);
    EXPECT_EQ(rgbOf(pixelAtDesign(300, 300)), 0xFFFF00u);

    // The same plist again shares the decoded texture.
    const size_t textures = director()->getTextureCache()->getTextureCount();
    auto* again = ParticleSystemQuad::create(tempDir() + "embedded/a.plist");
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->getTexture(), first->getTexture());
    EXPECT_EQ(director()->getTextureCache()->getTextureCount(), textures);
    // Another plist beside it naming the same missing file with another image gets that image.
    const Bytes square = readBytes(makePng("square.png", 5, 5, {0, 255, 0, 255}));
    auto* other = ParticleSystemQuad::create(
        writePlist("embedded/b.plist", {{"textureFileName", "gone.png"},
                                        {"textureImageData", base64Lines(deflateBytes(square, true))}}));
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->getTexture()->getPixelsWide(), 5);

    // zlib-wrapped and uncompressed images, and a plist that names no file at all.
    auto* zlib = ParticleSystemQuad::create(
        writePlist("embedded/z.plist", {{"textureFileName", "z.png"},
                                        {"textureImageData", base64Lines(deflateBytes(png, false))}}));
    ASSERT_NE(zlib, nullptr);
    EXPECT_EQ(zlib->getTexture()->getPixelsWide(), 6);
    auto* plain = ParticleSystemQuad::create(
        writePlist("embedded/p.plist", {{"textureFileName", ""}, {"textureImageData", base64Lines(png)}}));
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->getTexture()->getPixelsHigh(), 4);
}

TEST_F(ParticleSystemTest, AFileBesideThePlistComesBeforeTheEmbeddedImage) {
    makePng("beside.png", 4, 4, {0, 0, 255, 255});
    const Bytes other = readBytes(makePng("other.png", 6, 4, {255, 255, 0, 255}));
    auto* system = ParticleSystemQuad::create(
        writePlist("both.plist", {{"textureFileName", "beside.png"},
                                  {"textureImageData", base64Lines(deflateBytes(other, true))}}));
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(system->getTexture()->getPixelsWide(), 4);
}

TEST_F(ParticleSystemTest, DamagedEmbeddedImagesGiveNullWithALogLine) {
    const Bytes png = readBytes(makePng("damaged.png", 6, 4, {255, 255, 0, 255}));
    const Bytes gzip = deflateBytes(png, true);
    auto createWith = [this](const std::string& name, const std::string& data) {
        return ParticleSystemQuad::create(
            writePlist(name, {{"textureFileName", name + ".png"}, {"textureImageData", data}}));
    };
    EXPECT_EQ(createWith("stray", "iVBORw0K*GgoAAAANSUhEUg"), nullptr);
    EXPECT_TRUE(logContains("not base64"));

    EXPECT_EQ(createWith("cut", base64Lines(Bytes(gzip.begin(), gzip.begin() + gzip.size() / 2))), nullptr);
    EXPECT_TRUE(logContains("damaged or too large"));

    EXPECT_EQ(createWith("notimage", base64Lines(deflateBytes(Bytes(300, 'x'), true))), nullptr);
    EXPECT_TRUE(logContains("can't decode the texture embedded in"));

    // 100 MB of zeros shrink to about 100 KB: inflating stops at the limit instead.
    EXPECT_EQ(createWith("bomb", base64Lines(deflateBytes(Bytes(100u << 20, 0), true))), nullptr);
    EXPECT_GE(std::count_if(logLines().begin(), logLines().end(),
                            [](const std::string& line) {
                                return line.find("damaged or too large") != std::string::npos;
                            }),
              2);
}

// Numbers no designer would write must neither claim gigabytes nor overflow a count.
TEST_F(ParticleSystemTest, OutOfRangeNumbersAreRefusedOrKeptInBounds) {
    for (const char* count : {"2000000000", "1e30", "-5", "nan"}) {
        EXPECT_EQ(ParticleSystemQuad::create(
                      writePlist(std::string("many") + count + ".plist", {{"maxParticles", count}})),
                  nullptr)
            << count;
    }
    EXPECT_TRUE(logContains("asks for 2e+09 particles"));
    EXPECT_EQ(ParticleSystemQuad::create(writePlist("type.plist", {{"emitterType", "1e30"}})), nullptr);
    auto* blended = ParticleSystemQuad::create(
        writePlist("blend.plist", {{"blendFuncSource", "-11"}, {"blendFuncDestination", "1"}}));
    ASSERT_NE(blended, nullptr);
    EXPECT_EQ(blended->getBlendFunc().src, BlendFunc::ALPHA_PREMULTIPLIED.src);
    EXPECT_TRUE(blended->isBlendAdditive());
    EXPECT_TRUE(logContains("blendFuncSource -11 is not a blend factor"));

    auto* pool = ParticleSystemQuad::createWithTotalParticles(10);
    ASSERT_NE(pool, nullptr);
    pool->setTotalParticles(2000000000);
    EXPECT_EQ(pool->getTotalParticles(), ParticleSystem::kMaxParticles);

    // A vanishing lifespan means an enormous rate: the pool fills and no more.
    auto* rapid = ParticleSystemQuad::create(writePlist(
        "rapid.plist",
        {{"maxParticles", "50"}, {"particleLifespan", "1e-30"}, {"particleLifespanVariance", "5"}}));
    ASSERT_NE(rapid, nullptr);
    _scene->addChild(rapid);
    step(0.1f, 3);
    EXPECT_LE(rapid->getParticleCount(), 50);

    // Motion that overflows leaves nothing on screen and breaks nothing.
    auto* wild = ParticleSystemQuad::create(writePlist("wild.plist", {{"speed", "3e38"},
                                                                      {"gravityy", "3e38"},
                                                                      {"rotationEnd", "nan"},
                                                                      {"startColorBlue", "0"},
                                                                      {"finishColorBlue", "0"}}));
    ASSERT_NE(wild, nullptr);
    wild->setPosition(Vec2(400, 400));
    _scene->addChild(wild);
    step(0.1f, 5);
    EXPECT_GT(wild->getParticleCount(), 0);
    EXPECT_EQ(rgbOf(pixelAtDesign(400, 400)), 0x000000u);
}

TEST_F(ParticleSystemTest, TheTextureIsFoundBesideThePlist) {
    std::filesystem::create_directories(tempDir() + "effect");
    makePng("effect/spark.png", 4, 4, {255, 255, 0, 255});
    auto* system =
        ParticleSystemQuad::create(writePlist("effect/spark.plist", {{"textureFileName", "spark.png"}}));
    ASSERT_NE(system, nullptr);
    ASSERT_NE(system->getTexture(), nullptr);
    EXPECT_EQ(system->getTexture()->getPixelsWide(), 4);
    // A folder written into the name that doesn't exist is looked past.
    auto* other =
        ParticleSystemQuad::create(writePlist("effect/b.plist", {{"textureFileName", "old/dir/spark.png"}}));
    EXPECT_NE(other, nullptr);
}

TEST_F(ParticleSystemTest, ThePlistPlacesTheEmitterAndChoosesTheBlend) {
    auto* system = ParticleSystemQuad::create(writePlist("glow.plist", {{"sourcePositionx", "120"},
                                                                        {"sourcePositiony", "80"},
                                                                        {"blendFuncSource", "770"},
                                                                        {"blendFuncDestination", "1"}}));
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(system->getPosition(), Vec2(120, 80));
    EXPECT_TRUE(system->isBlendAdditive());
}

TEST_F(ParticleSystemTest, GravityAndRadiusModesMoveParticlesAsDefined) {
    auto* rising = ParticleSystemQuad::create(writePlist("up.plist", {{"speed", "100"}, {"angle", "90"}}));
    _scene->addChild(rising);
    step(0.1f, 5);
    for (int i = 0; i < rising->getParticleCount(); ++i) {
        const Particle& p = rising->getParticles()[i];
        EXPECT_NEAR(p.pos.x, 0.0f, 1e-3f);
        EXPECT_GT(p.pos.y, 0.0f);
        EXPECT_LE(p.pos.y, 50.0f + 1e-3f);
    }

    auto* ring = ParticleSystemQuad::create(writePlist(
        "ring.plist",
        {{"emitterType", "1"}, {"maxRadius", "60"}, {"minRadius", "60"}, {"rotatePerSecond", "90"}}));
    _scene->addChild(ring);
    step(0.1f, 5);
    ASSERT_GT(ring->getParticleCount(), 0);
    for (int i = 0; i < ring->getParticleCount(); ++i) {
        const Particle& p = ring->getParticles()[i];
        EXPECT_NEAR(std::sqrt(p.pos.x * p.pos.x + p.pos.y * p.pos.y), 60.0f, 0.01f);
    }
}

// Free particles stay where they were born when the emitter moves on; they are drawn as tinted squares.
TEST_F(ParticleSystemTest, FreeParticlesStayPutWhenTheEmitterMoves) {
    auto* system = ParticleSystemQuad::create(writePlist(
        "still.plist", {{"startColorBlue", "0"}, {"finishColorBlue", "0"}, {"particleLifespan", "5"}}));
    system->setPosition(Vec2(200, 200));
    _scene->addChild(system);
    step(0.1f, 3);
    system->stopSystem();
    system->setPosition(Vec2(800, 200));
    step(0.1f, 1);
    EXPECT_EQ(rgbOf(pixelAtDesign(200, 200)), 0xFFFF00u);
    EXPECT_EQ(rgbOf(pixelAtDesign(800, 200)), 0x000000u);
    EXPECT_EQ(rgbOf(pixelAtDesign(220, 200)), 0x000000u);
}

// Every effect the game ships loads, emits and finishes; a frame of each is saved for a person to look at.
TEST_F(ParticleSystemTest, TheShippedEffectsLoadAndFinish) {
    const std::filesystem::path folder = SOLVANE_SOURCE_DIR "/Resources/res/effect";
    if (!std::filesystem::is_directory(folder)) {
        GTEST_SKIP() << folder << " does not exist yet";
    }
    _scene->addChild(LayerColor::create(Color4B(40, 40, 60, 255)), -1);
    float x = 160;
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".plist") {
            names.push_back(entry.path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    std::vector<ParticleSystemQuad*> systems;
    for (const std::string& name : names) {
        auto* system = ParticleSystemQuad::create("res/effect/" + name);
        ASSERT_NE(system, nullptr) << name;
        // Effects are laid out for a 600x900 picture; a holder of that size keeps them framed.
        Node* holder = Node::create();
        holder->setContentSize(Size(600, 900));
        holder->setScale(0.45f);
        holder->setPosition(Vec2(x - 135, 100));
        holder->addChild(system);
        _scene->addChild(holder);
        system->setAutoRemoveOnFinish(system->getDuration() >= 0);
        systems.push_back(system);
        x += 320;
    }
    step(1.0f / 30, 12);
    ASSERT_TRUE(ext::saveFrame(SOLVANE_BIN_DIR "/../effects_capture.png"));
    for (ParticleSystemQuad* system : systems) {
        EXPECT_GT(system->getParticleCount(), 0);
    }
}

} // namespace
