// Reading pictures ahead: each picture the play may show next is asked of the texture cache's
// loader thread before it is needed, so no frame of the play stops to decode a PNG. What is
// shown, and when, is unchanged; a picture that is not ready in time is read on the spot.
//
// The cache keeps pictures asked for ahead before the others within its budget of packed
// pixels, the latest asked first, so the pictures most surely needed are asked last.
#include "gameplay/Game.h"

#include <cassert>

#include "data/Random.h"
#include "gameplay/GameLayout.h"
#include "shell/Constants.h"

USING_NS_CC;

namespace {

void readAhead(const std::string& file) {
    if (!file.empty()) {
        Director::getInstance()->getTextureCache()->addImageAsync(file, nullptr);
    }
}

} // namespace

// A heroine coming to the table: every face she may show.
void Game::readAheadGal(const Character& gal) {
    readAhead(gal.file);
    for (const auto& expression : gal.expressions) {
        readAhead(expression.second);
    }
}

// What this question may lead to: her reply to either answer with the mark and favour icon it
// shows, a confession (the focus lines and her three faces), the portraits of the table, and the
// end of the play.
void Game::readAheadQuestion(const Character& gal) {
    readAhead(kGameOverImagePath);
    for (const std::string& icon : kFavourIconPaths) {
        readAhead(icon);
    }
    readAhead(kCorrectMarkPath);
    readAhead(kWrongMarkPath);
    for (int slot = 0; slot < _play.activeGalCount(); ++slot) {
        readAhead(_play.activeGal(slot).gal.file);
    }
    readAhead(kFocusLinesPath);
    for (Emotion emotion : {Emotion::Surprised, Emotion::Happy, Emotion::Sad}) {
        readAhead(pictureFor(gal, emotion));
    }
    for (const auto& selection : _selections) {
        readAhead(pictureFor(gal, selection.success.emotion));
        readAhead(pictureFor(gal, selection.failure.emotion));
    }
}

// The next question is drawn the moment she is answered (the same draw, in the same order, that
// came after her reply before), so its background and face are read while she replies.
void Game::drawNextScenario() {
    _nextScenario = pickScenario(_play.current());
    readAhead(_nextScenario->background);
    readAhead(pictureFor(_play.current(), _nextScenario->emotion));
}

// The draws that follow a confession (who is asked, who comes next, the question) depend on
// nothing that happens during it, so they are made at its start, in the same order, on a copy of
// the play rotated as it will be: its background and her face are read while she answers. Only
// when the play could end before the confession does are they left to its end, as draws that
// would never have been made must not be.
void Game::drawAfterConfession() {
    if (!_play.waitingGals().empty()) {
        readAheadGal(_play.waitingGals().front()); // she comes to the table
    }
    if (_play.timeLeft() <= kConfessionSafeSeconds) {
        return;
    }
    Play rotated = _play;
    _recordingDraws = true;
    rotated.rotateGal();
    rotated.pickCurrent();
    rotated.pickNextGals();
    _recordingDraws = false;
    _nextScenario = pickScenario(rotated.current());
    readAhead(_nextScenario->background);
    readAhead(pictureFor(rotated.current(), _nextScenario->emotion));
}

std::uint32_t Game::drawForPlay(std::uint32_t count) {
    if (!_recordingDraws && !_drawnAhead.empty()) {
        const std::uint32_t draw = _drawnAhead.front();
        _drawnAhead.pop_front();
        assert(draw < count); // the same draws as made ahead, on a table of the same size
        return draw;
    }
    const std::uint32_t draw = getRand(count);
    if (_recordingDraws) {
        _drawnAhead.push_back(draw);
    }
    return draw;
}
