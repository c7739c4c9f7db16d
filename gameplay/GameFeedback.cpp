// What an answer does: favour, who comes next, marks, particles, sounds, and the time and
// score pop-ups that fly to their labels.
#include "gameplay/Game.h"

#include <algorithm>
#include <string>

#include "audio/include/AudioEngine.h"
#include "gameplay/GameLayout.h"
#include "shell/Constants.h"
#include "shell/PictureSwap.h"

USING_NS_CC;
using cocos2d::experimental::AudioEngine;

namespace {

const std::string kHeartParticlePath = "res/effect/heart.plist";
const std::string kSadParticlePath = "res/effect/sad.plist";

void playEffect(const std::string& path) {
    // Fire and forget: effects ignore the music volume and their ids are not kept.
    AudioEngine::play2d(path, false, 1.0f);
}

} // namespace

// `gal` is the heroine who was asked, the current one of the play until the answer moves on.
void Game::showResult(bool correct, const Reaction& reaction, const Character& gal) {
    const AnswerOutcome outcome = _play.answer(correct, reaction.next == -1);
    drawNextScenario();
    showExpression(gal, reaction.emotion); // she says her reply with its face

    if (correct) {
        showMark(kCorrectMarkPath, kMarkSeconds);
        attachToCharacter(createEffect(kHeartParticlePath));
        showTimePopUp(outcome.seconds, kPopUpSeconds);
        if (outcome.points > 0) {
            showScorePopUp(outcome.points, kPopUpSeconds);
        }
        playEffect(kCorrectSoundPath);
    } else {
        showMark(kWrongMarkPath, kMarkSeconds);
        attachToCharacter(createSadParticle());
        shakeCharacter();
        playEffect(kMissSoundPath);
    }

    updateFavourIcon(favourOf(gal));
    log("score is %d", _play.score());
    runTurnSequence(reaction.sentence);
}

int Game::favourOf(const Character& gal) const {
    return _play.favourOf(gal.id);
}

std::string Game::favourIconPath(int favour) {
    // LV1 is the warmest icon, LV5 the coldest.
    if (favour <= 2) {
        return kFavourIconPaths[4];
    }
    if (favour <= 4) {
        return kFavourIconPaths[3];
    }
    if (favour <= 6) {
        return kFavourIconPaths[2];
    }
    if (favour <= 8) {
        return kFavourIconPaths[1];
    }
    return kFavourIconPaths[0];
}

void Game::updateFavourIcon(int favour) {
    if (auto* icon = getIcon()) {
        swapPicture(icon, favourIconPath(favour));
    } else {
        log("icon is null");
    }
}

void Game::showMark(const std::string& file, float duration) {
    auto* mark = Sprite::create(file);
    if (!mark) {
        reportLoadError(file);
        return;
    }
    const auto view = VisibleArea::current();
    const Size size = mark->getContentSize();
    mark->setScale(std::min(view.h / size.height * 0.33f, view.w / size.width * 0.33f));
    mark->setPosition(view.w / 2, view.h / 2);
    mark->runAction(Sequence::create(DelayTime::create(duration), RemoveSelf::create(true), nullptr));
    addChild(mark, kZMark);
}

ParticleSystemQuad* Game::createEffect(const std::string& plist) {
    auto* effect = ParticleSystemQuad::create(plist);
    if (!effect) {
        reportLoadError(plist);
        return nullptr;
    }
    effect->setAutoRemoveOnFinish(true);
    effect->resetSystem();
    return effect;
}

ParticleSystemQuad* Game::createSadParticle() {
    return createEffect(kSadParticlePath);
}

void Game::attachToCharacter(Node* effect) {
    if (!effect) {
        return;
    }
    if (auto* character = getCharacter()) {
        character->addChild(effect);
    } else {
        // Without the portrait there is nothing for the effect to sit on.
        log("character is null");
    }
}

void Game::shakeCharacter() {
    if (auto* character = getCharacter()) {
        character->runAction(Sequence::create(MoveBy::create(kShakeSeconds, Vec2(1, 1)),
                                              MoveBy::create(kShakeSeconds, Vec2(-1, -1)), nullptr));
    }
}

void Game::addTime(int seconds, float duration) {
    _play.addTime(seconds);
    showTimePopUp(seconds, duration);
}

void Game::showTimePopUp(int seconds, float duration) {
    auto* popUp = Label::createWithTTF(std::to_string(seconds), kFontPath, 70);
    if (!popUp) {
        reportLoadError(kFontPath);
        return;
    }
    const auto view = VisibleArea::current();
    popUp->setPosition(view.ox + 0.75f * view.w, 0.5f * view.h);
    popUp->enableOutline(timerColor(), kTimerOutlineSize);
    runPopUp(popUp, Vec2(-0.09375f * view.w, 0), view.timerPosition(), duration);
}

void Game::addScore(int points, float duration) {
    _play.addScore(points);
    showScorePopUp(points, duration);
}

void Game::showScorePopUp(int points, float duration) {
    auto* popUp = Label::createWithTTF(std::to_string(points), kFontPath, 40);
    if (!popUp) {
        reportLoadError(kFontPath);
        refreshScoreLabel(); // no pop-up to land: show the new score at once
        return;
    }
    const auto view = VisibleArea::current();
    popUp->setPosition(view.ox + 0.25f * view.w, 0.5f * view.h);
    popUp->enableOutline(Color4B::BLACK, 10);
    runPopUp(popUp, Vec2(view.w / 32, 0), view.scorePosition(), duration);
}

// Grow and drift for the first half, then shrink into the label; the score label shows the
// new total only when a pop-up lands.
void Game::runPopUp(Label* popUp, const Vec2& drift, const Vec2& target, float duration) {
    auto* grow = Spawn::createWithTwoActions(EaseBounceOut::create(ScaleTo::create(duration / 2, 3.0f)),
                                             EaseSineOut::create(MoveBy::create(duration / 2, drift)));
    auto* land = Spawn::createWithTwoActions(EaseBounceIn::create(ScaleTo::create(duration * 3 / 10, 0.5f)),
                                             EaseSineOut::create(MoveTo::create(duration / 2, target)));
    popUp->runAction(Sequence::create(grow, land, CallFunc::create([this]() { refreshScoreLabel(); }),
                                      RemoveSelf::create(true), nullptr));
    addChild(popUp, kZPopUp);
}

void Game::refreshScoreLabel() {
    if (auto* label = getScoreLabel()) {
        label->setString(std::to_string(_play.score()));
    } else {
        log("scoreLabel is null");
    }
}
