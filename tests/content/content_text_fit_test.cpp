// Every text of the shipped content, laid out by the engine's Label with the game's font at the
// size and width of the box that shows it, must fit that box.

#include <cstdlib>
#include <string>
#include <vector>

#include "ContentSupport.h"
#include "cocos2d.h"
#include "data/Placeholders.h"
#include "engine/EngineFixture.h"
#include "ext/Input.h"
#include "gameplay/Game.h"
#include "scenes/Gals.h"

namespace {

using cocos2d::Color4B;
using cocos2d::Label;
using cocos2d::Size;
using cocos2d::TextHAlignment;
using cocos2d::TextVAlignment;

constexpr float kW = 1280.0f; // the design resolution is the visible area in these tests
constexpr float kH = 720.0f;

class ContentTextFitTest : public EngineFixture {
protected:
    void SetUp() override {
        // Loaded first: loading silences the log for a moment, and the fixture then captures it.
        content::loadShippedContent();
        EngineFixture::SetUp();
    }

    // A label as the play scene's text box makes it: 28 pt, wrapped at the visible width.
    Label* textBoxLabel(const std::string& text) {
        Label* label = Label::createWithTTF(text, kFontPath, 28);
        EXPECT_NE(label, nullptr) << "font " << kFontPath;
        if (label) {
            label->setMaxLineWidth(kW);
            label->enableOutline(Color4B::BLACK, 2);
        }
        return label;
    }

    // The line of text is centred 28 points right of the centre, so it stays on screen only
    // while it is no wider than the screen minus twice that offset; three lines fill the box.
    void expectFitsTextBox(const std::string& where, const std::string& text) {
        Label* label = textBoxLabel(text);
        if (!label) {
            return;
        }
        EXPECT_LE(label->getStringNumLines(), 3) << where << ": " << text;
        EXPECT_LE(label->getContentSize().width, kW - 2 * 28.0f) << where << ": " << text;
        EXPECT_LE(label->getContentSize().height, kH * 0.25f) << where << ": " << text;
    }

    // A selection row: 28 pt in a box of half the width and a sixth of the height.
    void expectFitsSelectionRow(const std::string& where, const std::string& text) {
        const Size box(kW / 2, kH / 6);
        Label* label =
            Label::createWithTTF(text, kFontPath, 28, box, TextHAlignment::LEFT, TextVAlignment::CENTER);
        ASSERT_NE(label, nullptr);
        label->enableOutline(Color4B::BLACK, 2);
        EXPECT_LE(label->getStringNumLines() * label->getLineHeight(), box.height) << where << ": " << text;
    }

    // A node's bounding box in scene coordinates.
    static cocos2d::Rect worldBox(const cocos2d::Node* node) {
        const cocos2d::Rect box = node->getBoundingBox();
        const cocos2d::Node* parent = node->getParent();
        if (!parent) {
            return box;
        }
        const cocos2d::Vec2 a = parent->convertToWorldSpace(box.origin);
        const cocos2d::Vec2 b =
            parent->convertToWorldSpace(box.origin + cocos2d::Vec2(box.size.width, box.size.height));
        return cocos2d::Rect(std::min(a.x, b.x), std::min(a.y, b.y), std::abs(b.x - a.x),
                             std::abs(b.y - a.y));
    }

    // The widest words a heroine can put into a text, so a text fits for every heroine.
    static std::string withWidestWords(const std::string& text) {
        Character widest;
        for (const auto& [id, h] : GameData::viewCharacters()) {
            widest.you = h.you.size() > widest.you.size() ? h.you : widest.you;
            widest.name = h.name.size() > widest.name.size() ? h.name : widest.name;
        }
        return replacePlaceholders(text, widest);
    }
};

TEST_F(ContentTextFitTest, ScenarioTextsFitTheirBoxes) {
    for (const auto& t : content::scenarioTexts(GameData::viewScenarios())) {
        const std::string shown = withWidestWords(t.text);
        if (t.box == content::Box::Selection) {
            expectFitsSelectionRow(t.where, shown);
        } else {
            expectFitsTextBox(t.where, shown);
        }
    }
}

TEST_F(ContentTextFitTest, ConfessionLinesFitTheTextBox) {
    for (const auto& [id, h] : GameData::viewCharacters()) {
        const Confession c = GameData::getConfession(h.name);
        expectFitsTextBox(h.name + " message", replacePlaceholders(c.message, h));
        expectFitsTextBox(h.name + " success", replacePlaceholders(c.success, h));
        expectFitsTextBox(h.name + " failure", replacePlaceholders(c.failure, h));
    }
}

// The gallery shows the profile under the attribute list, in the same column: a profile too
// long for that room runs into the list. Measured on the real gallery, for every heroine.
TEST_F(ContentTextFitTest, ProfilesStayClearOfTheAttributeList) {
    Gals* gals = Gals::create();
    ASSERT_NE(gals, nullptr);
    director()->runWithScene(gals);
    for (const auto& [id, h] : GameData::viewCharacters()) {
        gals->selectCharacter(nullptr, id, h.file, GameData::getCharacterInfo(id), h.attribute);
        step(1.0f / 60);
        Label* profile = gals->getDescriptionLabel();
        cocos2d::Menu* attributes = gals->getAttributeMenu();
        ASSERT_TRUE(profile && attributes);
        const cocos2d::Rect text = worldBox(profile);
        EXPECT_LE(text.getMaxX(), kW) << h.name;
        EXPECT_GE(text.getMinY(), 0.0f) << h.name;
        for (cocos2d::Node* item : attributes->getChildren()) {
            EXPECT_FALSE(text.intersectsRect(worldBox(item))) << h.name << "'s profile covers an attribute";
        }
        if (const char* dir = std::getenv("SOLVANE_CONTENT_SHOTS")) {
            cocos2d::ext::saveFrame(std::string(dir) + "/gallery_" + std::to_string(id) + ".png");
        }
    }
}

// A shipped question and its reply on the real play screen: the line stays inside the text box
// and on screen, and each answer inside its row.
TEST_F(ContentTextFitTest, PlayScreenShowsShippedTextsInsideTheirBoxes) {
    Game* game = Game::create();
    ASSERT_NE(game, nullptr);
    director()->runWithScene(game);
    const char* dir = std::getenv("SOLVANE_CONTENT_SHOTS");
    for (int turn = 0; turn < 6; ++turn) {
        step(1.0f / 60);
        const cocos2d::Rect screen(0, 0, kW, kH);
        Label* line = game->getMenuText();
        ASSERT_TRUE(line && game->getTextBox() && game->getSelectionMenu());
        const cocos2d::Rect text = worldBox(line);
        const cocos2d::Rect box = worldBox(game->getTextBox());
        EXPECT_TRUE(text.getMinX() >= 0 && text.getMaxX() <= kW) << line->getString();
        EXPECT_TRUE(text.getMinY() >= box.getMinY() && text.getMaxY() <= box.getMaxY()) << line->getString();
        for (cocos2d::Node* item : game->getSelectionMenu()->getChildren()) {
            EXPECT_TRUE(screen.containsPoint(worldBox(item).origin)) << "an answer row off screen";
        }
        if (dir) {
            cocos2d::ext::saveFrame(std::string(dir) + "/play_" + std::to_string(turn) + ".png");
        }
        // Answer, then look at the reply before the next question replaces it.
        cocos2d::ext::keyPress(turn % 2 ? cocos2d::EventKeyboard::KeyCode::KEY_DOWN_ARROW
                                        : cocos2d::EventKeyboard::KeyCode::KEY_UP_ARROW);
        step(1.0f / 60, 6);
        const cocos2d::Rect reply = worldBox(game->getMenuText());
        EXPECT_TRUE(reply.getMinX() >= 0 && reply.getMaxX() <= kW) << game->getMenuText()->getString();
        if (dir) {
            cocos2d::ext::saveFrame(std::string(dir) + "/reply_" + std::to_string(turn) + ".png");
        }
        step(1.0f / 60, 90);
    }
}

// Tutorial bodies start at three quarters of the height; pages 2, 4 and 5 wrap at 40 % of the
// width beside their picture, pages 1 and 3 break only where the text does.
TEST_F(ContentTextFitTest, TutorialPagesFit) {
    const nlohmann::json strings = readJsonFile(kTutorialStringsPath);
    const float margin = 30.0f;
    for (const std::string key :
         {"description1", "description2", "descHowToPlay", "descFav", "descConfession"}) {
        Label* body = Label::createWithTTF(strings.at(key).get<std::string>(), kFontPath, 32);
        ASSERT_NE(body, nullptr);
        body->enableOutline(Color4B::BLACK, 2);
        const bool besidePicture = key != "description1" && key != "descHowToPlay";
        if (besidePicture) {
            body->setWidth(kW * 0.4f);
        }
        const float room = besidePicture ? kW * 0.4f + 4 : kW - 2 * margin;
        EXPECT_LE(body->getContentSize().width, room) << key;
        EXPECT_LE(body->getContentSize().height, kH * 0.75f - kH * 0.1f) << key;
    }
    for (const std::string key : {"howToPlay", "fav", "confession"}) {
        Label* heading = Label::createWithTTF(strings.at(key).get<std::string>(), kFontPath, 64);
        ASSERT_NE(heading, nullptr);
        EXPECT_EQ(heading->getStringNumLines(), 1) << key;
        EXPECT_LE(heading->getContentSize().width, kW - 2 * margin) << key;
    }
}

} // namespace
