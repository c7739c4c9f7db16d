// Questions: who is asked next, what is shown, the two selections, input and the turn sequence.
#include "gameplay/Game.h"

#include "data/Placeholders.h"
#include "data/Random.h"
#include "gameplay/GameLayout.h"
#include "shell/BGM.h"
#include "shell/Constants.h"
#include "shell/PictureSwap.h"

USING_NS_CC;

void Game::pickNextGals() {
    _play.pickNextGals();
}

void Game::setupQuestion(const Scenario& scenario, const Character& gal) {
    log("Background: %s", scenario.background.c_str());
    if (auto* background = getBackground()) {
        swapPicture(background, scenario.background);
    } else {
        log("background is null");
    }

    log("Gal: %s", gal.file.c_str());
    if (auto* character = getCharacter()) {
        character->removeAllChildrenWithCleanup(true); // ends effects of the previous answer
        showExpression(gal, scenario.emotion);
    } else {
        log("character is null");
    }

    updateFavourIcon(favourOf(gal));
    setMenuTextString(replacePlaceholders(scenario.sentence, gal));
    buildSelections(gal, scenario.selections);
    updateNextGalPortraits();
    readAheadQuestion(gal);

    initBGM(scenario.bgm);
    log("BGM: %s", scenario.bgm.c_str());
}

void Game::showExpression(const Character& gal, Emotion emotion) {
    if (auto* character = getCharacter()) {
        swapPicture(character, pictureFor(gal, emotion));
    }
}

void Game::clearSelections() {
    if (auto* menu = getSelectionMenu()) {
        menu->removeAllChildren();
    }
    for (auto* frame : _selectionFrames) {
        frame->removeAllChildren();
        frame->removeFromParentAndCleanup(true);
        frame->release();
    }
    _selectionFrames.clear();
}

void Game::buildSelections(const Character& gal, const std::vector<Selection>& selections) {
    clearSelections();

    const auto pair = pickSelectionPair(selections, gal);
    const auto acceptedRow = getRand(2);
    Selection rows[2];
    rows[acceptedRow] = pair.first;
    rows[1 - acceptedRow] = pair.second;

    _selections.clear();
    for (int row = 0; row < 2; ++row) {
        Selection shown = rows[row];
        shown.sentence = replacePlaceholders(shown.sentence, gal);
        shown.success.sentence = replacePlaceholders(shown.success.sentence, gal);
        shown.failure.sentence = replacePlaceholders(shown.failure.sentence, gal);
        _selections.push_back(shown);
        _selectionCallbacks[row] = makeSelectionCallback(shown, gal);
    }

    std::vector<MenuItem*> items;
    for (int row = 0; row < 2; ++row) {
        addSelectionRow(row, items);
    }
    Vector<MenuItem*> menuItems;
    for (auto* item : items) {
        menuItems.pushBack(item);
    }
    if (auto* old = getSelectionMenu()) {
        old->removeFromParentAndCleanup(true);
    }
    auto* menu = Menu::createWithArray(menuItems);
    setSelectionMenu(menu);
    if (menu) {
        menu->setPosition(Vec2::ZERO);
        addChild(menu, kZSelectionMenu);
    }
}

void Game::addSelectionRow(int row, std::vector<MenuItem*>& items) {
    const std::string& text = _selections[row].sentence;
    auto* label = Label::createWithTTF(text, kFontPath, 28, Size(_selectionWidth, _selectionHeight),
                                       TextHAlignment::LEFT, TextVAlignment::CENTER);
    if (label) {
        label->enableOutline(Color4B::BLACK, 2);
    } else {
        reportLoadError(kFontPath);
    }
    log("label: %s", text.c_str());

    auto* item = label ? MenuItemLabel::create(label, _selectionCallbacks[row]) : nullptr;
    if (!item) {
        log("Error creating labelItem @ TitleScene");
        return;
    }
    item->setPosition(answerRowPosition(row));
    items.push_back(item);

    auto* frame = Sprite::create(kSelectionFramePath);
    if (!frame) {
        reportLoadError(kSelectionFramePath);
        return;
    }
    frame->setContentSize(item->getContentSize());
    frame->setPosition(item->getPosition());
    frame->setOpacity(127);
    frame->retain();
    _selectionFrames.push_back(frame);
    addChild(frame, kZSelectionFrame);
}

std::function<void(Ref*)> Game::makeSelectionCallback(const Selection& selection, const Character& gal) {
    return [this, selection, gal](Ref*) {
        if (!canAnswer()) {
            return;
        }
        closeInput();
        answer(selection, gal);
    };
}

void Game::answer(const Selection& selection, const Character& gal) {
    if (!selection.judge) {
        // Loaded content always has a verdict; without one the turn cannot go on.
        log("Unable to judge");
        return;
    }
    const bool correct = selection.judge(gal);
    showResult(correct, correct ? selection.success : selection.failure, gal);
}

bool Game::isFirstSelectionCorrect() const {
    if (_selections.empty() || !_selections.front().judge) {
        return false;
    }
    return _selections.front().judge(_play.current());
}

void Game::placePortrait(Sprite* portrait, const Character& gal, bool onFirstRow) {
    if (!portrait) {
        log("Success character is null");
        return;
    }
    portrait->removeAllChildrenWithCleanup(true);
    swapPicture(portrait, gal.file);
    portrait->setPositionY(answerRowPosition(onFirstRow ? 0 : 1).y);
}

void Game::updateNextGalPortraits() {
    const bool successFirst = isFirstSelectionCorrect();
    placePortrait(getSuccessCharacter(), _play.nextIfRight(), successFirst);
    placePortrait(getFailureCharacter(), _play.nextIfWrong(), !successFirst);
}

bool Game::canAnswer() const {
    auto* menu = getSelectionMenu();
    if (!_play.acceptsInput() || !menu || !menu->isEnabled()) {
        return false;
    }
    for (auto* child : menu->getChildren()) {
        auto* item = dynamic_cast<MenuItem*>(child);
        if (item && item->isSelected()) {
            return false; // a click is in progress on a row
        }
    }
    return true;
}

void Game::closeInput() {
    if (auto* menu = getSelectionMenu()) {
        menu->setEnabled(false);
    } else {
        log("selectionMenu is null");
    }
}

void Game::setMenuTextString(const std::string& text) {
    if (auto* label = getMenuText()) {
        label->setString(text);
    } else {
        log("menuText is null");
    }
}

void Game::registerArrowKeys() {
    auto* listener = EventListenerKeyboard::create();
    listener->onKeyPressed = [this](EventKeyboard::KeyCode code, Event*) {
        int row = -1;
        if (code == EventKeyboard::KeyCode::KEY_UP_ARROW) {
            row = 0;
        } else if (code == EventKeyboard::KeyCode::KEY_DOWN_ARROW) {
            row = 1;
        }
        if (row < 0 || !canAnswer() || !_selectionCallbacks[0] || !_selectionCallbacks[1]) {
            return;
        }
        // Copy first: answering may rebuild the callbacks.
        auto callback = _selectionCallbacks[row];
        callback(this);
        closeInput();
    };
    _eventDispatcher->addEventListenerWithSceneGraphPriority(listener, this);
}

void Game::registerProposeKey() {
    auto* listener = EventListenerKeyboard::create();
    listener->onKeyPressed = [this](EventKeyboard::KeyCode code, Event*) {
        if (code == EventKeyboard::KeyCode::KEY_SPACE && _play.acceptsInput()) {
            propose();
        }
    };
    _eventDispatcher->addEventListenerWithSceneGraphPriority(listener, this);
}

void Game::runTurnSequence(const std::string& reactionText) {
    runAction(Sequence::create(CallFunc::create([this, reactionText]() {
                                   log("Start delay");
                                   setMenuTextString(reactionText);
                               }),
                               DelayTime::create(kReactionSeconds),
                               CallFunc::create([this]() { startNextTurn(); }), CallFunc::create([this]() {
                                   log("Finish delay");
                                   _play.reopen();
                               }),
                               nullptr));
}

void Game::startNextTurn() {
    // A fresh scenario for whoever is current now (drawn at the answer); a reply's chain id never
    // picks the next one.
    const Scenario scenario = _nextScenario ? std::move(*_nextScenario) : pickScenario(_play.current());
    _nextScenario.reset();
    setupQuestion(scenario, _play.current());
}
