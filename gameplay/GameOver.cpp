// The end of a play: input closes, the game-over picture fades in, and 1.5 s after the clock
// reached zero the score goes to the score screen.
#include "gameplay/Game.h"

#include "gameplay/GameLayout.h"
#if __has_include("scenes/Score.h")
#include "scenes/Score.h"
#define SOLVANE_HAS_SCORE_SCENE 1
#endif
#include "shell/Constants.h"

USING_NS_CC;

namespace {

const char* const kHighScoreKey = "high_score";

} // namespace

void Game::startGameOver() {
    // Repeated every frame at zero: a reaction or confession already running would otherwise
    // reopen input with its last step.
    closeInput();
    if (_gameOverStarted) {
        return;
    }
    _gameOverStarted = true;
    const Vec2 centre = getVisibleCenter();
    runAction(Sequence::create(CallFunc::create([this, centre]() { showGameOverImage(centre); }),
                               DelayTime::create(kGameOverHoldSeconds),
                               CallFunc::create([this]() { goToScore(); }), nullptr));
}

void Game::showGameOverImage(const Vec2& centre) {
    auto* image = Sprite::create(kGameOverImagePath);
    if (!image) {
        reportLoadError(kGameOverImagePath);
        return;
    }
    const auto view = VisibleArea::current();
    const Size size = image->getContentSize();
    image->setScaleX(view.w / size.width);
    image->setScaleY(view.h / size.height);
    image->setPosition(centre);
    image->setOpacity(0);
    image->runAction(FadeIn::create(kGameOverFadeSeconds));
    addChild(image, kZOverlay);
}

void Game::goToScore() {
    const int score = _score;
#ifdef SOLVANE_HAS_SCORE_SCENE
    auto* scoreScene = Score::create();
#else
    Scene* scoreScene = nullptr; // the score screen is not in this build yet
#endif

    auto* store = UserDefault::getInstance();
    int best = store->getIntegerForKey(kHighScoreKey);
    if (score > best) {
        best = score;
    }
    // Written every time, before the score screen shows, so the best survives a quit there.
    store->setIntegerForKey(kHighScoreKey, best);

    if (!scoreScene) {
        log("Score scene could not be created");
        return;
    }
#ifdef SOLVANE_HAS_SCORE_SCENE
    scoreScene->setScores(score, best);
#endif
    Director::getInstance()->replaceScene(scoreScene);
}
