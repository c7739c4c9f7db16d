// The end of a play: input closes, the game-over picture fades in, and 1.5 s after the clock
// reached zero the score goes to the score screen.
#include "gameplay/Game.h"

#include "gameplay/GameLayout.h"
#include "shell/Constants.h"
#include "shell/HighScore.h"
#include "shell/SceneFlow.h"

USING_NS_CC;

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
    // Stored before the score screen shows, so the best survives a quit there.
    const int score = _play.score();
    const int best = recordHighScore(score);
    if (!changeScene(SceneChange::PlayToScore, this, ScoreHandOff{score, best})) {
        // Input is closed for good here: without a score screen the play would never end.
        log("Score scene could not be created");
        changeScene(SceneChange::PlayToTitle, this);
    }
}
