#include "soak/SoakBot.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "ext/Input.h"
#include "gameplay/Game.h"
#include "model/PlayRules.h"
#include "scenes/Score.h"
#include "scenes/Title.h"
#include "ui/CocosGUI.h"

USING_NS_CC;

namespace {

// A play's first frames run the scene's first update, which hooks up the space bar.
constexpr long kSettleFrames = 3;
// A perfect player keeps a play going for ever with confession bonuses; after this much game
// time the bot stops playing and lets the clock run out, so plays stay a few minutes long.
constexpr double kActiveSeconds = 50.0;
// Buttons ignored during a scene change are clicked again after this many frames.
constexpr long kReclickFrames = 15;

void collectLabels(Node* node, std::vector<Label*>& labels) {
    for (Node* child : node->getChildren()) {
        if (auto* label = dynamic_cast<Label*>(child)) {
            labels.push_back(label);
        }
        collectLabels(child, labels);
    }
}

bool parseInt(const std::string& text, int& value) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    const long parsed = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0') {
        return false;
    }
    value = static_cast<int>(parsed);
    return true;
}

int favourShown(const Game* game) {
    return game->getPlay().favourOf(game->getCurrentGal().id);
}

} // namespace

long residentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            std::istringstream fields(line.substr(6));
            long kib = 0;
            fields >> kib;
            return kib;
        }
    }
    return 0;
}

bool SoakBot::check(bool condition, const std::string& what) {
    if (!condition && _failure.empty()) {
        _failure = "play " + std::to_string(_plays.size() + 1) + ": " + what;
    }
    return condition;
}

bool SoakBot::act() {
    Node* scene = Director::getInstance()->getRunningScene();
    if (scene != _lastScene) {
        _lastScene = scene;
        _framesInScene = 0;
    }
    ++_framesInScene;
    if (auto* game = dynamic_cast<Game*>(scene)) {
        actInGame(game);
    } else if (auto* score = dynamic_cast<Score*>(scene)) {
        if (_inPlay) {
            finishPlay(score);
        }
        clickFirstButton(score); // retry
    } else if (auto* title = dynamic_cast<Title*>(scene)) {
        clickFirstButton(title); // start
    }
    return _failure.empty();
}

void SoakBot::actInGame(Game* game) {
    if (!_inPlay) {
        _inPlay = true;
        _current = PlayRecord{};
        _pending = PendingMove{};
        _confirmedScore = 0;
        _rightPercent = 40 + static_cast<int>(_random() % 50);
    }
    ++_current.frames;
    check(game->getScore() >= 0 && game->getScore() % kChainEndPoints == 0,
          "score " + std::to_string(game->getScore()) + " is not a sum of awards");
    if (_pending.active) {
        settlePending(game);
        return;
    }
    const bool playing = static_cast<double>(_current.frames) * _frameSeconds < kActiveSeconds;
    if (!playing || game->isGameOver() || _framesInScene < kSettleFrames || !game->canAnswer()) {
        return;
    }
    answer(game);
}

void SoakBot::answer(Game* game) {
    const Character& gal = game->getCurrentGal();
    const bool canWin = favourShown(game) >= gal.border;
    const int roll = static_cast<int>(_random() % 100);
    _pending = PendingMove{true, false, game->getScore(), 0, _current.frames};

    if ((canWin && roll < 80) || roll >= 92) {
        ++_current.confessions;
        if (canWin) {
            ++_current.successfulConfessions;
            _pending.points = kConfessionPoints;
        }
        ext::keyPress(EventKeyboard::KeyCode::KEY_SPACE);
        return;
    }
    const bool wantRight = roll < _rightPercent;
    const int rightRow = game->isFirstSelectionCorrect() ? 0 : 1;
    const int row = wantRight ? rightRow : 1 - rightRow;
    const Selection& chosen = game->getSelections().at(static_cast<size_t>(row));
    const bool right = chosen.judge(gal);
    check(right == wantRight, "the row shown as right is not judged right");
    if (right) {
        ++_current.rightAnswers;
        _pending.points = chosen.success.next == -1 ? kChainEndPoints : 0;
    } else {
        ++_current.wrongAnswers;
    }
    ext::keyPress(row == 0 ? EventKeyboard::KeyCode::KEY_UP_ARROW : EventKeyboard::KeyCode::KEY_DOWN_ARROW);
}

void SoakBot::settlePending(Game* game) {
    if (!_pending.closed) {
        // The key was dispatched in the frame just run: the question must have closed.
        _pending.closed = check(!game->isAcceptingInput(), "a key on an open question was ignored");
        return;
    }
    if (!game->isAcceptingInput()) {
        return;
    }
    const int earned = game->getScore() - _pending.scoreBefore;
    check(earned == _pending.points,
          "a move earned " + std::to_string(earned) + " instead of " + std::to_string(_pending.points));
    _confirmedScore = game->getScore();
    _pending.active = false;
}

void SoakBot::finishPlay(Score* score) {
    _inPlay = false;
    std::vector<Label*> labels;
    collectLabels(score, labels);
    std::vector<std::pair<float, int>> numbers; // (height on screen, value)
    for (Label* label : labels) {
        int value = 0;
        if (parseInt(label->getString(), value)) {
            numbers.emplace_back(label->getParent()->convertToWorldSpace(label->getPosition()).y, value);
        }
    }
    if (!check(numbers.size() == 2,
               "the score screen shows " + std::to_string(numbers.size()) + " numbers")) {
        return;
    }
    std::sort(numbers.begin(), numbers.end());
    _current.shownScore = numbers[1].second; // the play's score sits above the best
    _current.shownBest = numbers[0].second;
    _current.rssKiB = residentKiB();

    // A move still running when the clock ran out may or may not have paid before the hand-off.
    const int pendingPoints = _pending.active ? _pending.points : 0;
    check(_current.shownScore == _confirmedScore || _current.shownScore == _confirmedScore + pendingPoints,
          "shown score " + std::to_string(_current.shownScore) + " but the moves earned " +
              std::to_string(_confirmedScore) +
              (pendingPoints ? " (+" + std::to_string(pendingPoints) + ")" : ""));
    const int ceiling =
        kChainEndPoints * _current.rightAnswers + kConfessionPoints * _current.successfulConfessions;
    check(_current.shownScore <= ceiling, "score above what the answers allow");
    _bestSeen = std::max(_bestSeen, _current.shownScore);
    check(_current.shownBest == _bestSeen, "shown best " + std::to_string(_current.shownBest) +
                                               " but the best play was " + std::to_string(_bestSeen));
    _plays.push_back(_current);
}

void SoakBot::clickFirstButton(Node* scene) {
    if (_framesInScene % kReclickFrames != 2) {
        return;
    }
    for (Node* child : scene->getChildren()) {
        if (auto* button = dynamic_cast<ui::Button*>(child)) {
            ext::click(button->getParent()->convertToWorldSpace(button->getPosition()));
            return;
        }
    }
    check(false, "no button to click");
}
