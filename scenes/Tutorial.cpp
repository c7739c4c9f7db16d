#include "scenes/Tutorial.h"

#include <iostream>
#include <map>

#include "data/JsonFile.h"
#include "scenes/MenuFocus.h"
#include "shell/BGM.h"
#include "shell/Constants.h"
#include "shell/RetainedProperty.h"
#include "shell/SceneFlow.h"

USING_NS_CC;

namespace {
const std::string kTutorialBGMPath = "res/bgm/honobono_m.mp3";
const std::string kPageBackgroundPath = "res/background/park.png";
const std::string kGameName = "Solvane";
constexpr int kPageCount = 5;
constexpr float kHeadingSize = 64.0f;
constexpr float kBodySize = 32.0f;
constexpr float kMenuSize = 48.0f;
constexpr float kMargin = 30.0f;
constexpr int kOutline = 2;
constexpr float kSlideSeconds = 0.5f;
constexpr float kWrapFraction = 0.4f;

struct PageText {
    const char* headingKey; // nullptr: the game's name
    const char* bodyKey;
    bool limited;        // wraps beside a picture
    const char* picture; // nullptr: none
    const char* menuKey;
};

// The menu entries are the only way on and out of the tutorial, so a strings file without
// them still gets readable entries.
const std::map<std::string, std::string> kMenuFallbacks = {{"next", "Next"}, {"toGame", kBackToTitleLabel}};

const PageText kPages[kPageCount] = {
    {nullptr, "description1", false, nullptr, "next"},
    {nullptr, "description2", true, "res/tutorial/tutorial_game.png", "next"},
    {"howToPlay", "descHowToPlay", false, nullptr, "next"},
    {"fav", "descFav", true, "res/tutorial/tutorial_fav.png", "next"},
    {"confession", "descConfession", true, "res/tutorial/tutorial_confession.png", "toGame"},
};

void reportStringsProblem(const std::string& problem) {
    const std::string line = kTutorialStringsPath + ": " + problem;
    std::cerr << "Tutorial: " << line << std::endl;
    log("Tutorial: %s", line.c_str());
}
} // namespace

Tutorial::~Tutorial() {
    CC_SAFE_RELEASE_NULL(_pageStrip);
}

void Tutorial::setPageStrip(Node* strip) {
    retainInto(_pageStrip, strip);
}

bool Tutorial::init() {
    if (!Scene::init()) {
        return false;
    }
    readStrings();
    nextBGM(kTutorialBGMPath);
    scheduleBGMUpdate(this);

    auto strip = Node::create();
    strip->setPosition(Vec2::ZERO);
    for (int page = 1; page <= kPageCount; ++page) {
        strip->addChild(createPage(page));
    }
    addChild(strip);
    setPageStrip(strip);
    addFocus(strip);
    return true;
}

// Each page's one entry; only the page on screen counts, so the focus follows the slides.
void Tutorial::addFocus(Node* strip) {
    auto focus = MenuFocus::create();
    for (auto page : strip->getChildren()) {
        for (auto child : page->getChildren()) {
            auto menu = dynamic_cast<Menu*>(child);
            if (menu && !menu->getChildren().empty()) {
                auto item = static_cast<MenuItem*>(menu->getChildren().at(0));
                focus->addEntry(item, [item] { item->activate(); });
            }
        }
    }
    addChild(focus, MenuFocus::kLocalZOrder);
}

void Tutorial::readStrings() {
    // A broken strings file is reported and shows empty texts rather than ending the program.
    try {
        _strings = readJsonFile(kTutorialStringsPath);
    } catch (const std::exception& e) {
        reportStringsProblem(e.what());
        _strings = nlohmann::json::object();
    }
    if (!_strings.is_object()) {
        reportStringsProblem("the top-level value is not an object");
        _strings = nlohmann::json::object();
    }
}

std::string Tutorial::text(const std::string& key) {
    auto found = _strings.find(key);
    if (found == _strings.end() || !found->is_string()) {
        reportStringsProblem("\"" + key + "\" is missing or not a string");
        return "";
    }
    return found->get<std::string>();
}

Node* Tutorial::createPage(int page) {
    const Size visible = Director::getInstance()->getVisibleSize();
    const Vec2 center = getVisibleCenter();
    const PageText& layout = kPages[page - 1];

    Node* pageNode = Sprite::create(kPageBackgroundPath);
    if (!pageNode) {
        reportLoadError(kPageBackgroundPath);
        pageNode = Node::create();
        pageNode->setAnchorPoint(Vec2(0.5f, 0.5f));
    }
    pageNode->setContentSize(visible);
    pageNode->setPosition(center.x + (page - 1) * visible.width, center.y);

    if (auto heading = createTitleLabel(layout.headingKey ? text(layout.headingKey) : kGameName)) {
        pageNode->addChild(heading);
    }
    if (auto body = createDescriptionLabel(text(layout.bodyKey), layout.limited)) {
        pageNode->addChild(body);
    }
    if (layout.picture) {
        if (auto picture = Sprite::create(layout.picture)) {
            picture->setContentSize(Size(visible.width * kWrapFraction, visible.height * kWrapFraction));
            picture->setPosition(center.x * 1.5f, center.y);
            pageNode->addChild(picture);
        } else {
            reportLoadError(layout.picture);
        }
    }
    const bool last = page == kPageCount;
    auto menu =
        last ? createMenu(layout.menuKey, CC_CALLBACK_1(Tutorial::onToTitle, this)) : createNextMenu();
    menu->setPosition(visible.width * 0.85f, visible.height * 0.1f);
    pageNode->addChild(menu);
    return pageNode;
}

Label* Tutorial::createTitleLabel(const std::string& heading) {
    auto label = Label::createWithTTF(heading, kFontPath, kHeadingSize, Size::ZERO, TextHAlignment::LEFT,
                                      TextVAlignment::TOP);
    if (!label) {
        reportLoadError(kFontPath);
        return nullptr;
    }
    const float height = Director::getInstance()->getVisibleSize().height;
    label->setAnchorPoint(Vec2(0, 0));
    label->enableOutline(Color4B::BLACK, kOutline);
    label->setPosition(kMargin, height - label->getContentSize().height - kMargin);
    return label;
}

Label* Tutorial::createDescriptionLabel(const std::string& body, bool limitWidth) {
    auto label = Label::createWithTTF(body, kFontPath, kBodySize, Size::ZERO, TextHAlignment::LEFT,
                                      TextVAlignment::TOP);
    if (!label) {
        reportLoadError(kFontPath);
        return nullptr;
    }
    const Size visible = Director::getInstance()->getVisibleSize();
    label->setAnchorPoint(Vec2(0, 1));
    label->enableOutline(Color4B::BLACK, kOutline);
    if (limitWidth) {
        label->setWidth(visible.width * kWrapFraction);
    }
    label->setPosition(kMargin, visible.height * 0.75f);
    return label;
}

Menu* Tutorial::createNextMenu() {
    return createMenu("next", CC_CALLBACK_1(Tutorial::onNext, this));
}

std::string Tutorial::menuText(const std::string& key) {
    std::string shown = text(key);
    if (shown.empty()) {
        shown = kMenuFallbacks.at(key);
        reportStringsProblem("\"" + key + "\" shows \"" + shown + "\" instead");
    }
    return shown;
}

Menu* Tutorial::createMenu(const std::string& key, const ccMenuCallback& callback) {
    auto label = Label::createWithTTF(menuText(key), kFontPath, kMenuSize, Size::ZERO, TextHAlignment::LEFT,
                                      TextVAlignment::TOP);
    if (!label) {
        reportLoadError(kFontPath);
        return Menu::create();
    }
    return Menu::create(MenuItemLabel::create(label, callback), nullptr);
}

void Tutorial::onNext(Ref*) {
    auto strip = getPageStrip();
    if (!strip) {
        log("pageStrip is null");
        return;
    }
    // One page per slide: a press while the strip moves is ignored, so the strip always comes
    // to rest on a page and never runs past the last one, whose entry is the way out.
    const float width = Director::getInstance()->getVisibleSize().width;
    const bool onLastPage = strip->getPositionX() <= -(kPageCount - 1) * width + 1.0f;
    if (strip->getNumberOfRunningActions() > 0 || onLastPage) {
        return;
    }
    strip->runAction(MoveBy::create(kSlideSeconds, Vec2(-width, 0)));
}

void Tutorial::onToTitle(Ref*) {
    changeScene(SceneChange::TutorialToTitle, this);
}
