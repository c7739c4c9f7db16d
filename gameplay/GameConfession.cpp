// The confession: space bar, the heroine's verdict, and her place handed to the next in line.
#include "gameplay/Game.h"

#include <cmath>
#include <string>

#include "audio/include/AudioEngine.h"
#include "data/GameData.h"
#include "data/Placeholders.h"
#include "gameplay/GameLayout.h"
#include "shell/Constants.h"

USING_NS_CC;
using cocos2d::experimental::AudioEngine;

namespace {

const std::string kSuccessParticlePath = "res/effect/success.plist";
const std::string kFailParticlePath = "res/effect/fail.plist";

} // namespace

void Game::propose() {
    if (!canAnswer()) {
        return;
    }
    AudioEngine::play2d(kProposeEnterSoundPath, false, 1.0f);
    closeInput();

    const Character& gal = _play.current();
    const bool success = _play.confess();
    drawAfterConfession();
    const Confession confession = GameData::getConfession(gal.name);
    const std::string opening = replacePlaceholders(confession.message, gal);
    const std::string reply = replacePlaceholders(success ? confession.success : confession.failure, gal);

    // The clock keeps running through the whole confession.
    // Her face follows the lines: taken by surprise, then her answer.
    const Character asked = gal;
    runAction(Sequence::create(
        CallFunc::create([this, opening, asked]() {
            setMenuTextString(opening);
            showExpression(asked, Emotion::Surprised);
        }),
        CallFunc::create([this]() { showFocusLines(kFocusLineSeconds); }),
        DelayTime::create(kConfessionStepSeconds), CallFunc::create([this, reply, asked, success]() {
            setMenuTextString(reply);
            showExpression(asked, success ? Emotion::Happy : Emotion::Sad);
        }),
        CallFunc::create([this, success]() { showProposeResult(success); }),
        DelayTime::create(kConfessionStepSeconds), CallFunc::create([this]() { rotateGal(); }),
        CallFunc::create([this]() { askNewGalAfterConfession(); }),
        CallFunc::create([this]() { _play.reopen(); }), nullptr));
}

// Focus lines spin for a moment behind the confession: floor(d * 100) turns of 10 degrees,
// each lasting 0.01 / d seconds, then the picture removes itself.
void Game::showFocusLines(float duration) {
    auto* lines = Sprite::create(kFocusLinesPath);
    if (!lines) {
        reportLoadError(kFocusLinesPath);
        return;
    }
    lines->setPosition(getVisibleCenter());
    lines->setScale(1.2f);
    const auto turns = static_cast<unsigned int>(std::floor(duration * 100));
    lines->runAction(Sequence::create(Repeat::create(RotateBy::create(0.01f / duration, 10.0f), turns),
                                      RemoveSelf::create(true), nullptr));
    addChild(lines, kZOverlay);
}

void Game::showProposeResult(bool success) {
    if (success) {
        if (auto* effect = createEffect(kSuccessParticlePath)) {
            addChild(effect);
        }
        _play.rewardConfession();
        showScorePopUp(kConfessionPoints, kPopUpSeconds);
        showTimePopUp(kConfessionBonusSeconds, kPopUpSeconds);
        AudioEngine::play2d(kProposeSuccessSoundPath, false, 1.0f);
    } else {
        attachToCharacter(createSadParticle());
        if (auto* effect = createEffect(kFailParticlePath)) {
            addChild(effect);
        }
        AudioEngine::play2d(kProposeFailSoundPath, false, 1.0f);
    }
}

void Game::rotateGal() {
    _play.rotateGal();
    for (int slot = 0; slot < _play.activeGalCount(); ++slot) {
        log("%s", _play.activeGal(slot).gal.name.c_str());
    }
}

void Game::askNewGalAfterConfession() {
    _play.pickCurrent();
    _play.pickNextGals();
    const Scenario scenario = _nextScenario ? std::move(*_nextScenario) : pickScenario(_play.current());
    _nextScenario.reset();
    setupQuestion(scenario, _play.current());
}
