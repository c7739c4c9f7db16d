// The gallery and the tutorial over fixture content: order, highlights, picture frames,
// profile and attribute list; the pages' texts, wrapping and sliding, and a broken strings
// file that is reported instead of ending the program.

#include <cmath>
#include <filesystem>
#include <fstream>

#include "scenes/Gals.h"
#include "scenes/GameSceneFixture.h"
#include "scenes/Tutorial.h"
#include "shell/BGM.h"

USING_NS_CC;
namespace fs = std::filesystem;

namespace {

constexpr float kFrame = 1.0f / 60.0f;
const std::string kFixtureRoot = std::string(SOLVANE_FIXTURES_DIR) + "/scenes";

class FixtureScenesTest : public GameSceneFixture {
protected:
    std::string contentRoot() const override { return kFixtureRoot; }

    static std::vector<Label*> labelsIn(Node* node) {
        std::vector<Label*> labels;
        for (auto child : node->getChildren()) {
            if (auto label = dynamic_cast<Label*>(child)) {
                labels.push_back(label);
            }
            for (auto inner : labelsIn(child)) {
                labels.push_back(inner);
            }
        }
        return labels;
    }
    static Menu* nameMenu(Scene* scene) {
        for (auto child : scene->getChildren()) {
            auto menu = dynamic_cast<Menu*>(child);
            if (menu && menu->getChildrenCount() > 2) {
                return menu;
            }
        }
        return nullptr;
    }
    static std::string itemText(Node* item) {
        auto label = dynamic_cast<Label*>(static_cast<MenuItemLabel*>(item)->getLabel());
        return label ? label->getString() : "";
    }
};

TEST_F(FixtureScenesTest, GalleryListsNamesInIdOrderAndOpensOnIdZero) {
    auto gals = run(Gals::create());
    auto menu = nameMenu(gals);
    ASSERT_NE(menu, nullptr);
    std::vector<std::string> names;
    for (auto item : menu->getChildren()) {
        names.push_back(itemText(item));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Ann", "Bea", "Cho", "Dee", "Exit"}));

    ASSERT_EQ(gals->highlights().size(), 4u);
    for (const auto& [id, highlight] : gals->highlights()) {
        EXPECT_EQ(highlight->getOpacity(), id == 0 ? 123 : 62) << "id " << id;
    }
    ASSERT_NE(gals->getDescriptionLabel(), nullptr);
    EXPECT_EQ(gals->getDescriptionLabel()->getString(), "Ann runs before breakfast and reads after dinner.");
    ASSERT_NE(gals->getAttributeMenu(), nullptr);
    std::vector<std::string> attributes;
    for (auto item : gals->getAttributeMenu()->getChildren()) {
        attributes.push_back(itemText(item));
    }
    EXPECT_EQ(attributes, (std::vector<std::string>{"・Bookish", "・Sporty"})) << "sorted, not file order";
}

TEST_F(FixtureScenesTest, ChoosingAnotherHeroineReplacesEverythingInPlace) {
    auto gals = run(Gals::create());
    Label* description = gals->getDescriptionLabel();
    Sprite* picture = gals->getCharacterImage();
    ASSERT_NE(picture, nullptr);
    const Rect firstRect = picture->getTextureRect();
    const float scale = picture->getScaleX();

    const auto& bea = GameData::viewCharacters().at(1);
    gals->selectCharacter(nullptr, bea.id, bea.file, GameData::getCharacterInfo(bea.id), bea.attribute);
    EXPECT_EQ(gals->highlights().at(1)->getOpacity(), 123);
    EXPECT_EQ(gals->highlights().at(0)->getOpacity(), 62);
    EXPECT_EQ(gals->getDescriptionLabel(), description) << "the profile label is reused";
    EXPECT_EQ(description->getString(), "Bea keeps to herself.");
    EXPECT_EQ(gals->getCharacterImage(), picture);
    EXPECT_EQ(gals->getAttributeMenu()->getChildrenCount(), 0) << "no attributes, an empty list";
    auto frame = SpriteFrameCache::getInstance()->getSpriteFrameByName("res/gal/shared.png");
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(picture->getTexture(), frame->getTexture());

    // Cho shares Bea's picture: the cached frame is reused, not made again.
    const auto& cho = GameData::viewCharacters().at(2);
    gals->selectCharacter(nullptr, cho.id, cho.file, GameData::getCharacterInfo(cho.id), cho.attribute);
    EXPECT_EQ(SpriteFrameCache::getInstance()->getSpriteFrameByName("res/gal/shared.png"), frame);
    EXPECT_EQ(description->getString(), "") << "no profile text for Cho";

    // A wider picture is cut with the first picture's rectangle and keeps its scale.
    const auto& dee = GameData::viewCharacters().at(3);
    gals->selectCharacter(nullptr, dee.id, dee.file, GameData::getCharacterInfo(dee.id), dee.attribute);
    EXPECT_TRUE(picture->getTextureRect().equals(firstRect));
    EXPECT_FLOAT_EQ(picture->getScaleX(), scale);

    // A picture that cannot be loaded leaves no one's picture beside her profile.
    gals->selectCharacter(nullptr, bea.id, "res/gal/lost.png", "Lost profile", {});
    EXPECT_FALSE(picture->isVisible());
    EXPECT_EQ(description->getString(), "Lost profile");
    gals->selectCharacter(nullptr, bea.id, bea.file, GameData::getCharacterInfo(bea.id), bea.attribute);
    EXPECT_TRUE(picture->isVisible());
    EXPECT_EQ(picture->getTexture(), frame->getTexture());
}

TEST_F(FixtureScenesTest, TutorialShowsFivePagesFromTheStringsFile) {
    auto tutorial = run(Tutorial::create());
    auto strip = tutorial->getPageStrip();
    ASSERT_NE(strip, nullptr);
    ASSERT_EQ(strip->getChildrenCount(), 5);
    const float width = director()->getVisibleSize().width;
    for (int k = 1; k <= 5; ++k) {
        EXPECT_FLOAT_EQ(strip->getChildren().at(k - 1)->getPositionX(), 640 + (k - 1) * width);
    }
    const char* bodies[] = {"Page one body.", "Page two body", "Page three body", "Page four body",
                            "Page five body"};
    const bool wraps[] = {false, true, false, true, true};
    for (int k = 0; k < 5; ++k) {
        bool found = false;
        for (auto label : labelsIn(strip->getChildren().at(k))) {
            if (label->getString().rfind(bodies[k], 0) == 0) {
                found = true;
                if (wraps[k]) {
                    EXPECT_FLOAT_EQ(label->getContentSize().width, width * 0.4f) << "page " << k + 1;
                    EXPECT_GT(label->getStringNumLines(), 1);
                } else {
                    EXPECT_EQ(label->getStringNumLines(), 1) << "page " << k + 1;
                }
            }
        }
        EXPECT_TRUE(found) << "page " << k + 1;
    }
    EXPECT_EQ(currentBGMPath, "res/bgm/honobono_m.mp3");
}

TEST_F(FixtureScenesTest, NextSlidesOnePageInHalfASecondAndIgnoresPressesWhileMoving) {
    auto tutorial = run(Tutorial::create());
    auto strip = tutorial->getPageStrip();
    tutorial->onNext(nullptr);
    step(kFrame);
    step(0.25f);
    EXPECT_NEAR(strip->getPositionX(), -640.0f, 1.0f);
    tutorial->onNext(nullptr); // mid-slide: ignored, no page is skipped
    step(0.25f);
    EXPECT_FLOAT_EQ(strip->getPositionX(), -1280.0f);
    step(0.5f);
    EXPECT_FLOAT_EQ(strip->getPositionX(), -1280.0f);

    // Pressing on every frame walks the pages one by one and stops on the last.
    std::vector<float> restingPlaces;
    for (int frame = 0; frame < 300; ++frame) {
        if (strip->getNumberOfRunningActions() == 0) {
            restingPlaces.push_back(strip->getPositionX());
        }
        tutorial->onNext(nullptr);
        step(kFrame);
    }
    EXPECT_FLOAT_EQ(strip->getPositionX(), -5120.0f);
    for (float x : restingPlaces) {
        EXPECT_FLOAT_EQ(std::fmod(x, 1280.0f), 0.0f) << "the strip rests only on pages: " << x;
        EXPECT_GE(x, -5120.0f);
    }
}

TEST_F(FixtureScenesTest, MissingStringIsReportedAndTheRestStillShows) {
    const fs::path root = fs::path(tempDir()) / "root";
    fs::create_directories(root / "res/tutorial");
    fs::create_directories(root / "fonts");
    fs::create_symlink(fs::path(kFixtureRoot) / "fonts/NotoSans", root / "fonts/NotoSans");
    std::ofstream(root / "res/tutorial/strings.json")
        << R"({"description1": "One", "description2": "Two", "howToPlay": "H", "descHowToPlay": "Three",
               "descFav": "Four", "confession": "C", "descConfession": "Five", "next": "Next", "toGame": "Go"})";
    ext::setResourceRoot(root.string());
    auto tutorial = run(Tutorial::create());
    EXPECT_EQ(tutorial->getPageStrip()->getChildrenCount(), 5);
    EXPECT_TRUE(logContains("\"fav\""));

    std::ofstream(root / "res/tutorial/strings.json", std::ios::trunc) << "{ not json";
    director()->replaceScene(Tutorial::create());
    step(kFrame);
    EXPECT_TRUE(logContains("parse_error"));
    auto broken = dynamic_cast<Tutorial*>(director()->getRunningScene());
    ASSERT_NE(broken, nullptr);
    // The way on and the way out still read and can be clicked.
    std::vector<std::string> entries;
    for (auto page : broken->getPageStrip()->getChildren()) {
        for (auto child : page->getChildren()) {
            if (auto menu = dynamic_cast<Menu*>(child)) {
                ASSERT_EQ(menu->getChildrenCount(), 1);
                entries.push_back(itemText(menu->getChildren().at(0)));
                EXPECT_GT(menu->getChildren().at(0)->getContentSize().width, 20.0f);
            }
        }
    }
    EXPECT_EQ(entries, (std::vector<std::string>{"Next", "Next", "Next", "Next", "Back to title"}));
    EXPECT_TRUE(logContains("\"toGame\" shows \"Back to title\" instead"));
}

// The pictures beside the text are stretched to 0.4 W x 0.4 H whatever their file's size, and
// stay clear of the screen's edge.
TEST_F(FixtureScenesTest, PagePictureFillsItsBoxRightOfTheText) {
    const fs::path root = fs::path(tempDir()) / "root";
    fs::create_directories(root / "res/tutorial");
    fs::create_directories(root / "res/background");
    fs::create_directories(root / "fonts");
    fs::create_symlink(fs::path(kFixtureRoot) / "fonts/NotoSans", root / "fonts/NotoSans");
    fs::copy_file(fs::path(kFixtureRoot) / "res/tutorial/strings.json", root / "res/tutorial/strings.json");
    makePng("root/res/background/park.png", 64, 36, {0, 0, 255, 255});
    makePng("root/res/tutorial/tutorial_game.png", 640, 360, {255, 0, 255, 255});
    ext::setResourceRoot(root.string());
    auto tutorial = run(Tutorial::create());
    tutorial->onNext(nullptr);
    step(kFrame);
    step(0.5f);
    step(kFrame);

    // 512 x 288 around (960, 360): x 704..1216, y 216..504 (design points, y up).
    const unsigned int magenta = 0xFF00FFu;
    const unsigned int blue = 0x0000FFu;
    for (auto inside : {Vec2(706, 218), Vec2(1214, 218), Vec2(706, 502), Vec2(1214, 502), Vec2(960, 360)}) {
        EXPECT_EQ(rgbOf(pixelAtDesign(inside.x, inside.y)), magenta) << inside.x << "," << inside.y;
    }
    for (auto outside : {Vec2(701, 360), Vec2(1219, 360), Vec2(960, 213), Vec2(960, 507), Vec2(1279, 360)}) {
        EXPECT_EQ(rgbOf(pixelAtDesign(outside.x, outside.y)), blue) << outside.x << "," << outside.y;
    }
}

} // namespace
