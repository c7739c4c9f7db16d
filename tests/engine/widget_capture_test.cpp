#include <cmath>
#include <fstream>
#include <string>

#include "EngineFixture.h"
#include "ext/Input.h"
#include "ui/CocosGUI.h"

USING_NS_CC;

namespace {

class WidgetCaptureTest : public EngineFixture {
protected:
    // A white disc fading to transparent at its rim: the usual particle sprite.
    std::string makeSoftDot(const std::string& name, int size) {
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, size, size, 32, SDL_PIXELFORMAT_RGBA32);
        auto* pixels = static_cast<Uint32*>(surface->pixels);
        const float r = size / 2.0f;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const float d = std::hypot(x + 0.5f - r, y + 0.5f - r) / r;
                const Uint8 alpha = static_cast<Uint8>(d >= 1.0f ? 0 : 255 * (1.0f - d));
                pixels[y * surface->pitch / 4 + x] = SDL_MapRGBA(surface->format, 255, 255, 255, alpha);
            }
        }
        const std::string path = tempDir() + name;
        IMG_SavePNG(surface, path.c_str());
        SDL_FreeSurface(surface);
        return path;
    }

    std::string writeBurstPlist(const std::string& texture) {
        const std::string path = tempDir() + "burst.plist";
        std::ofstream out(path);
        out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist version=\"1.0\"><dict>";
        const char* reals[][2] = {{"maxParticles", "120"},
                                  {"particleLifespan", "1.2"},
                                  {"particleLifespanVariance", "0.3"},
                                  {"duration", "-1"},
                                  {"emitterType", "0"},
                                  {"speed", "160"},
                                  {"speedVariance", "40"},
                                  {"angle", "90"},
                                  {"angleVariance", "180"},
                                  {"gravityy", "-120"},
                                  {"startParticleSize", "28"},
                                  {"finishParticleSize", "6"},
                                  {"startColorRed", "1"},
                                  {"startColorGreen", "0.45"},
                                  {"startColorBlue", "0.7"},
                                  {"startColorAlpha", "1"},
                                  {"finishColorRed", "1"},
                                  {"finishColorGreen", "0.9"},
                                  {"finishColorBlue", "0.3"},
                                  {"finishColorAlpha", "0"},
                                  {"blendFuncSource", "770"},
                                  {"blendFuncDestination", "1"},
                                  {"rotationEnd", "180"}};
        for (const auto& kv : reals) {
            out << "<key>" << kv[0] << "</key><real>" << kv[1] << "</real>";
        }
        out << "<key>textureFileName</key><string>" << texture << "</string></dict></plist>";
        return path;
    }
};

// One frame with a menu (first item pressed), a button held down, a slider at 60 % and a particle
// burst, written under the build folder for a person to look at.
TEST_F(WidgetCaptureTest, MenuButtonSliderAndParticlesDrawTogether) {
    Scene* scene = Scene::create();
    scene->addChild(LayerColor::create(Color4B(20, 24, 48, 255)));
    director()->runWithScene(scene);

    Label* start = Label::createWithTTF("Start", cjkFont(), 40);
    Label* settings = Label::createWithTTF("Settings", cjkFont(), 40);
    ASSERT_NE(start, nullptr);
    auto* startItem = MenuItemLabel::create(start, [](Ref*) {});
    auto* settingsItem = MenuItemLabel::create(settings, [](Ref*) {});
    settingsItem->setEnabled(false);
    Menu* menu = Menu::create(startItem, settingsItem, nullptr);
    menu->alignItemsVerticallyWithPadding(20);
    menu->setPosition(Vec2(260, 520));
    scene->addChild(menu);

    auto* button = ui::Button::create(makePng("btn.png", 220, 70, {200, 60, 60, 255}),
                                      makePng("btnDown.png", 220, 70, {90, 200, 90, 255}));
    button->setPosition(Vec2(900, 540));
    scene->addChild(button);

    auto* slider = ui::Slider::create();
    slider->loadBarTexture(makePng("bar.png", 400, 16, {90, 90, 110, 255}));
    slider->loadProgressBarTexture(makePng("progress.png", 400, 16, {70, 140, 255, 255}));
    slider->loadSlidBallTextures(makePng("ball.png", 28, 28, {240, 240, 240, 255}), "", "");
    slider->setPercent(60);
    slider->setPosition(Vec2(900, 330));
    scene->addChild(slider);

    auto* burst = ParticleSystemQuad::create(writeBurstPlist("dot.png"));
    makeSoftDot("dot.png", 32);
    ASSERT_EQ(burst, nullptr) << "the texture did not exist yet";
    burst = ParticleSystemQuad::create(writeBurstPlist("dot.png"));
    ASSERT_NE(burst, nullptr);
    burst->setPosition(Vec2(640, 200));
    scene->addChild(burst);

    step(1.0f / 60);
    ext::touchBegin(Vec2(900, 540)); // held: the button shows its pressed image
    step(1.0f / 30, 30);
    ASSERT_TRUE(cocos2d::ext::saveFrame(SOLVANE_BIN_DIR "/../widgets_capture.png"));

    EXPECT_EQ(rgbOf(pixelAtDesign(900, 540)), 0x5AC85Au) << "pressed button image";
    EXPECT_EQ(rgbOf(pixelAtDesign(900 - 200 + 100, 330)), 0x468CFFu) << "progress bar left of 60 %";
    EXPECT_EQ(rgbOf(pixelAtDesign(900 + 150, 330)), 0x5A5A6Eu) << "bar right of the ball";
    EXPECT_EQ(rgbOf(pixelAtDesign(900 - 200 + 240, 330)), 0xF0F0F0u) << "ball at 60 %";
    EXPECT_GT(burst->getParticleCount(), 50);
    // Additive sparks brighten the background around the emitter.
    int lit = 0;
    for (int x = 540; x < 740; x += 4) {
        for (int y = 150; y < 350; y += 4) {
            lit += redOf(pixelAtDesign(x, y)) > 120 ? 1 : 0;
        }
    }
    EXPECT_GT(lit, 40);
}

} // namespace
