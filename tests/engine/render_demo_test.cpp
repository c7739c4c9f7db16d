// Renders the showcase scene headless and keeps the picture under the build folder for a look.
#include "engine/EngineFixture.h"
#include "engine/render_demo_scene.h"

USING_NS_CC;

class RenderDemoTest : public EngineFixture {};

TEST_F(RenderDemoTest, ShowcaseSceneIsDrawnAndSavedAsPng) {
    director()->runWithScene(buildDemoScene(tempDir(), cjkFont()));
    step(1.0f / 60, 2);
    std::string out = std::string(SOLVANE_BIN_DIR) + "/../engine_demo.png";
    ASSERT_TRUE(ext::saveFrame(out));
    SDL_Surface* saved = IMG_Load(out.c_str());
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(saved->w, 1280);
    EXPECT_EQ(saved->h, 720);
    SDL_FreeSurface(saved);
    // The fully opaque first disc shows its own blue; the faintest one lets the backdrop through.
    EXPECT_GT(blueOf(pixelAtDesign(160, 170)), 200);
    EXPECT_LT(blueOf(pixelAtDesign(160 + 4 * 110, 170)), 150);
    EXPECT_FALSE(ext::saveFrame("/nonexistent-folder/x.png"));
    EXPECT_TRUE(logContains("saveFrame"));
}
