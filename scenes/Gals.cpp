#include "scenes/Gals.h"

#include <algorithm>
#include <functional>

#include "data/GameData.h"
#include "scenes/MenuFocus.h"
#include "scenes/SceneLayout.h"
#include "shell/Constants.h"
#include "shell/PictureSwap.h"
#include "shell/RetainedProperty.h"
#include "shell/SceneFlow.h"

USING_NS_CC;

namespace {
const std::string kGalsBackgroundPath = "res/background/gals_background.png";
constexpr float kNameFontSize = 28.0f;
constexpr float kDescriptionFontSize = 22.0f;
constexpr int kDescriptionOutline = 2;
const std::string kBullet = "\u30FB"; // "・"
} // namespace

Gals::~Gals() {
    CC_SAFE_RELEASE_NULL(_characterImage);
    CC_SAFE_RELEASE_NULL(_descriptionLabel);
    CC_SAFE_RELEASE_NULL(_attributeMenu);
    for (auto& entry : _highlights) {
        CC_SAFE_RELEASE(entry.second);
    }
    _highlights.clear();
}

void Gals::setCharacterImage(Sprite* image) {
    retainInto(_characterImage, image);
}
void Gals::setDescriptionLabel(Label* label) {
    retainInto(_descriptionLabel, label);
}
void Gals::setAttributeMenu(Menu* menu) {
    retainInto(_attributeMenu, menu);
}

bool Gals::init() {
    if (!Scene::init()) {
        return false;
    }
    setCharacterImage(nullptr);
    const Size visible = Director::getInstance()->getVisibleSize();
    const Vec2 center = getVisibleCenter();
    const float columnWidth = static_cast<float>(static_cast<int>(visible.width / 5));

    Vector<MenuItem*> items;
    for (const auto& entry : GameData::viewCharacters()) {
        const Character& gal = entry.second;
        const std::string text = GameData::getCharacterInfo(gal.id);
        auto label = createNameLabel(gal.name, columnWidth);
        if (!label) {
            continue;
        }
        auto highlight = addHighlight(label);
        highlight->retain();
        auto existing = _highlights.find(gal.id);
        if (existing != _highlights.end()) {
            existing->second->release();
        }
        _highlights[gal.id] = highlight;
        auto item =
            MenuItemLabel::create(label, std::bind(&Gals::selectCharacter, this, std::placeholders::_1,
                                                   gal.id, gal.file, text, gal.attribute));
        item->setAnchorPoint(Vec2(0, 0));
        items.pushBack(item);
    }
    if (auto exitLabel = createNameLabel("Exit", columnWidth)) {
        addHighlight(exitLabel); // never changes: not one of _highlights
        auto item = MenuItemLabel::create(exitLabel, CC_CALLBACK_1(Gals::onGalleryExit, this));
        item->setAnchorPoint(Vec2(0, 0));
        items.pushBack(item);
    }

    auto names = Menu::createWithArray(items);
    names->alignItemsVertically();
    names->setPosition(center.x + center.x / -1.2f, center.y);
    addChild(names, 1);
    auto focus = MenuFocus::create();
    for (MenuItem* item : items) {
        focus->addEntry(item, [item] { item->activate(); });
    }
    focus->setBackAction([this] { onGalleryExit(nullptr); });
    addChild(focus, MenuFocus::kLocalZOrder);

    if (auto background = createStretchedBackground(kGalsBackgroundPath)) {
        addChild(background, 0);
    }
    selectFirstCharacter();
    return true;
}

Label* Gals::createNameLabel(const std::string& text, float columnWidth) {
    auto label = createTextLabel(text, kNameFontSize);
    if (label) {
        label->setWidth(columnWidth); // long names wrap inside the column
    }
    return label;
}

Sprite* Gals::addHighlight(Label* label) {
    auto highlight = Sprite::create();
    highlight->setTextureRect(label->getBoundingBox());
    highlight->setColor(Color3B(255, 255, 255));
    highlight->setOpacity(static_cast<GLubyte>(_unselectedOpacity));
    highlight->setAnchorPoint(Vec2(0, 0));
    label->addChild(highlight);
    return highlight;
}

void Gals::selectFirstCharacter() {
    // Opens on id 0; data without it opens on the lowest id instead of an empty page.
    const CharacterMap& gals = GameData::viewCharacters();
    if (gals.empty()) {
        return;
    }
    auto found = gals.find(0);
    const Character& gal = found != gals.end() ? found->second : gals.begin()->second;
    selectCharacter(nullptr, gal.id, gal.file, GameData::getCharacterInfo(gal.id), gal.attribute);
}

void Gals::selectCharacter(Ref*, std::int32_t id, const std::string& file, const std::string& text,
                           const std::set<std::string>& attributes) {
    for (auto& entry : _highlights) {
        const float opacity = entry.first == id ? _selectedOpacity : _unselectedOpacity;
        entry.second->setOpacity(static_cast<GLubyte>(opacity));
    }
    showCharacterImage(file);
    showDescription(text);
    showAttributes(attributes);
}

void Gals::showCharacterImage(const std::string& file) {
    if (!_characterImage) {
        setCharacterImage(Sprite::create(file));
        if (!_characterImage) {
            reportLoadError(file); // the name list, text and attributes still work
            return;
        }
        const Size visible = Director::getInstance()->getVisibleSize();
        const Vec2 origin = Director::getInstance()->getVisibleOrigin();
        const Size picture = _characterImage->getContentSize();
        const float scale =
            std::min(visible.height / picture.height * 0.8f, visible.width / picture.width * 0.5f);
        _characterImage->setScaleX(scale);
        _characterImage->setScaleY(scale);
        _characterImage->setPosition(origin.x + visible.width * 4 / 5, origin.y + visible.height * 0.5f);
        addChild(_characterImage, 2);
        return;
    }
    _characterImage->removeAllChildrenWithCleanup(true);
    swapPicture(_characterImage, file);
}

void Gals::showDescription(const std::string& text) {
    if (_descriptionLabel) {
        _descriptionLabel->setString(text);
        return;
    }
    auto label = createTextLabel(text, kDescriptionFontSize);
    if (!label) {
        return;
    }
    const Size visible = Director::getInstance()->getVisibleSize();
    const Vec2 center = getVisibleCenter();
    label->setAlignment(TextHAlignment::LEFT);
    label->setAnchorPoint(Vec2(0, 0));
    label->enableOutline(Color4B::BLACK, kDescriptionOutline);
    label->setMaxLineWidth(visible.width / 3);
    // A full-width text block of W/3 centred on the screen.
    const float halfWidth = visible.width / 6;
    label->setPosition(center - Vec2(halfWidth, center.y * 2 / 3));
    setDescriptionLabel(label);
    addChild(label, 4);
}

void Gals::showAttributes(const std::set<std::string>& attributes) {
    if (_attributeMenu) {
        _attributeMenu->removeAllChildrenWithCleanup(true);
        _attributeMenu->removeFromParentAndCleanup(true);
    }
    Vector<MenuItem*> items;
    for (const auto& name : attributes) {
        auto label = createTextLabel(kBullet + name, kNameFontSize);
        if (!label) {
            continue;
        }
        auto item = MenuItemLabel::create(label);
        item->setAnchorPoint(Vec2(0, 0));
        items.pushBack(item);
    }
    const Size visible = Director::getInstance()->getVisibleSize();
    const Vec2 center = getVisibleCenter();
    auto menu = Menu::createWithArray(items);
    menu->setAnchorPoint(Vec2(0, 0));
    menu->alignItemsVertically();
    menu->setPosition(center.x + visible.width / -6, center.y + visible.height / 10);
    addChild(menu, 1);
    setAttributeMenu(menu);
}

void Gals::onGalleryExit(Ref*) {
    changeScene(SceneChange::GalleryToSettings, this);
}
