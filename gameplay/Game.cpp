#include "gameplay/Game.h"

#include <algorithm>
#include <string>

#include "data/GameData.h"
#include "data/Random.h"
#include "gameplay/GameLayout.h"
#include "shell/BGM.h"
#include "shell/Constants.h"
#include "shell/TickClock.h"

USING_NS_CC;

Game::~Game() {
    setSelectionMenu(nullptr);
    setTimeLabel(nullptr);
    setScoreLabel(nullptr);
    setMenuText(nullptr);
    setCharacter(nullptr);
    setSuccessCharacter(nullptr);
    setFailureCharacter(nullptr);
    setBackground(nullptr);
    setTextBox(nullptr);
    setIcon(nullptr);
    for (auto* frame : _selectionFrames) {
        frame->release();
    }
    _selectionFrames.clear();
}

bool Game::init() {
    if (!Scene::init()) {
        return false;
    }
    _lastTicks = currentTicks();
    setSelectionMenu(nullptr);
    _selectionCallbacks = {};
    _selections.clear();

    const auto view = VisibleArea::current();
    _selectionHeight = view.h / 6;
    _selectionWidth = view.w / 2;
    _selectionGap = view.h / 10;

    createTimeLabel();
    createScoreLabel();
    createTextBox();
    createMenuText();

    std::vector<Character> heroines; // in id order: the ones not dealt wait in that order
    for (const auto& entry : GameData::getCharacters()) {
        heroines.push_back(entry.second);
    }
    _play.dealGals(heroines);
    _play.pickCurrent();
    const Scenario scenario = pickScenario(_play.current());

    // No track is current when a play starts (the title and the score screen release theirs).
    nextBGM(scenario.bgm);
    scheduleBGMUpdate(this);

    createCharacter(_play.current().file);
    createBackground(scenario.background);
    setupQuestion(scenario, _play.current());
    pickNextGals();
    createNextGalPortraits();
    createIcon();
    for (int slot = 0; slot < _play.activeGalCount(); ++slot) {
        readAheadGal(_play.activeGal(slot).gal);
    }
    readAheadQuestion(_play.current());

    scheduleUpdate();
    registerArrowKeys();
    return true;
}

Vec2 Game::answerRowPosition(int row) const {
    const auto view = VisibleArea::current();
    // The origin is added before the division and the multiplication on purpose: that is
    // where the rows have always sat.
    const float x = (view.ox + view.w / 2) / 1.5f;
    const float y = (view.oy + view.h / 2) * 1.25f - row * (_selectionGap + _selectionHeight);
    return Vec2(x, y);
}

void Game::createTimeLabel() {
    const auto view = VisibleArea::current();
    auto* label = Label::createWithTTF(kTimeLabel, kFontPath, 70);
    setTimeLabel(label);
    if (!label) {
        reportLoadError(kFontPath);
        return;
    }
    label->setPosition(view.timerPosition());
    label->enableOutline(kTimerStartOutline, 10);
    addChild(label, kZLabels);
}

void Game::createScoreLabel() {
    const auto view = VisibleArea::current();
    auto* label = Label::createWithTTF(std::to_string(_play.score()), kFontPath, 40);
    setScoreLabel(label);
    if (!label) {
        reportLoadError(kFontPath);
        return;
    }
    label->setPosition(view.scorePosition());
    label->enableOutline(Color4B::BLACK, 3);
    addChild(label, kZLabels);
}

void Game::createTextBox() {
    const auto view = VisibleArea::current();
    auto* box = Sprite::create(kSpeechBubblePath);
    setTextBox(box);
    if (!box) {
        reportLoadError(kSpeechBubblePath);
        return;
    }
    const Size size = box->getContentSize();
    box->setScaleX(view.w / size.width);
    box->setScaleY(view.h / size.height * 0.25f);
    box->setPosition(view.ox + view.w / 2, view.oy + 0.125f * view.h);
    addChild(box, kZTextBox);
}

void Game::createMenuText() {
    const auto view = VisibleArea::current();
    auto* label = Label::createWithTTF("", kFontPath, 28);
    setMenuText(label);
    if (!label) {
        reportLoadError(kFontPath);
        return;
    }
    label->setHorizontalAlignment(TextHAlignment::LEFT);
    // The x offset is in points from the visible width alone: the text box line has always
    // been placed without the origin's x.
    label->setPosition(view.w / 2 + 28, view.oy + 0.125f * view.h);
    label->setMaxLineWidth(view.w);
    label->enableOutline(Color4B::BLACK, 2);
    addChild(label, kZMenuText);
}

void Game::createCharacter(const std::string& file) {
    const auto view = VisibleArea::current();
    auto* sprite = Sprite::create(file);
    setCharacter(sprite);
    if (!sprite) {
        reportLoadError(file);
        return;
    }
    const Size size = sprite->getContentSize();
    sprite->setScale(std::min(view.h / size.height * 0.8f, view.w / size.width * 0.5f));
    sprite->setPosition(view.ox + 0.75f * view.w, view.oy + view.h / 2);
    addChild(sprite, kZCharacter);
}

void Game::createBackground(const std::string& file) {
    const auto view = VisibleArea::current();
    auto* sprite = Sprite::create(file);
    setBackground(sprite);
    if (!sprite) {
        reportLoadError(file);
        return;
    }
    const Size size = sprite->getContentSize();
    sprite->setScaleX(view.w / size.width);
    sprite->setScaleY(view.h / size.height);
    sprite->setPosition(getVisibleCenter());
    log("BackGround: %p", static_cast<void*>(sprite));
    addChild(sprite, kZBackground);
}

void Game::createNextGalPortraits() {
    // The success portrait goes beside the row of the right answer, the failure one beside the other.
    const int successRow = isFirstSelectionCorrect() ? 0 : 1;
    setSuccessCharacter(createPortrait(_play.nextIfRight(), successRow));
    setFailureCharacter(createPortrait(_play.nextIfWrong(), 1 - successRow));
}

Sprite* Game::createPortrait(const Character& gal, int row) {
    const auto view = VisibleArea::current();
    auto* sprite = Sprite::create(gal.file);
    if (!sprite) {
        reportLoadError(gal.file);
        return nullptr;
    }
    const Size size = sprite->getContentSize();
    sprite->setScale(std::min(view.h / size.height * 0.16f, view.w / size.width * 0.1f));
    sprite->getTexture()->setAliasTexParameters();
    // Just right of the row: half a row and half the portrait from the row's centre.
    Vec2 position = answerRowPosition(row);
    position.x += _selectionWidth * 0.5f + size.width * sprite->getScaleX() * 0.5f;
    sprite->setPosition(position);
    addChild(sprite, kZCharacter);
    return sprite;
}

void Game::createIcon() {
    const auto view = VisibleArea::current();
    const std::string file = favourIconPath(favourOf(_play.current()));
    auto* sprite = Sprite::create(file);
    setIcon(sprite);
    if (!sprite) {
        reportLoadError(file);
        return;
    }
    sprite->setScale(0.5f);
    sprite->setPosition(view.w - 140, view.oy + view.h / 2 + 200);
    addChild(sprite);
}
