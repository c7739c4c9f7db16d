#include "model/Play.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

Play::Play(RandomSource random) : _random(std::move(random)) {
    if (!_random) {
        throw std::invalid_argument("a play needs a random source");
    }
}

void Play::dealGals(const std::vector<Character>& heroines) {
    _waitingGals.clear();
    std::vector<Character> pool = heroines;
    _activeGalCount = static_cast<int>(std::min<std::size_t>(pool.size(), kMaxActiveGals));
    for (int slot = 0; slot < _activeGalCount; ++slot) {
        const auto r = _random(static_cast<std::uint32_t>(pool.size()));
        _activeGals[static_cast<std::size_t>(slot)] = ActiveGal{pool[r], kStartFavour};
        pool.erase(pool.begin() + static_cast<std::ptrdiff_t>(r));
    }
    _waitingGals.assign(pool.begin(), pool.end());
    _state = PlayState::Asking;
    _timeLeft = kPlaySeconds;
    _score = 0;
}

void Play::pickCurrent() {
    if (_activeGalCount == 0) {
        throw std::logic_error("no heroine has been dealt");
    }
    _current = activeGal(static_cast<int>(_random(static_cast<std::uint32_t>(_activeGalCount)))).gal;
}

void Play::pickNextGals() {
    if (_activeGalCount < kMaxActiveGals) {
        // Two others are needed; with a short table the current heroine stands in for them.
        _nextIfRight = _nextIfWrong = _current;
        return;
    }
    // The modulus is the table size, so every draw names a slot; a draw that names the current
    // heroine or the same slot twice is drawn again.
    for (;;) {
        const auto i = static_cast<int>(_random(kMaxActiveGals));
        const auto j = static_cast<int>(_random(kMaxActiveGals));
        if (i == j || activeGal(i).gal.id == _current.id || activeGal(j).gal.id == _current.id) {
            continue;
        }
        _nextIfRight = activeGal(i).gal;
        _nextIfWrong = activeGal(j).gal;
        return;
    }
}

AnswerOutcome Play::answer(bool correct, bool endsChain) {
    AnswerOutcome outcome;
    if (auto* entry = findActiveGal(_current.id)) {
        entry->favour = std::clamp(entry->favour + (correct ? 1 : -1), kMinFavour, kMaxFavour);
        outcome.favour = entry->favour;
    }
    if (correct) {
        outcome.seconds = kCorrectBonusSeconds;
        outcome.points = endsChain ? kChainEndPoints : 0;
        addTime(outcome.seconds);
        addScore(outcome.points);
    }
    _current = correct ? _nextIfRight : _nextIfWrong;
    pickNextGals();
    if (_state != PlayState::Ending) {
        _state = PlayState::Reacting;
    }
    return outcome;
}

bool Play::confess() {
    const bool accepted = canConfessSuccessfully();
    if (_state != PlayState::Ending) {
        _state = PlayState::Confessing;
    }
    return accepted;
}

void Play::rewardConfession() {
    addScore(kConfessionPoints);
    addTime(kConfessionBonusSeconds);
}

void Play::rotateGal() {
    ActiveGal* entry = findActiveGal(_current.id);
    if (!entry) {
        return;
    }
    entry->favour = kStartFavour;
    if (_waitingGals.empty()) {
        return;
    }
    entry->gal = _waitingGals.front();
    _waitingGals.pop_front();
    _waitingGals.push_back(_current);
}

void Play::reopen() {
    if (_state != PlayState::Ending) {
        _state = PlayState::Asking;
    }
}

void Play::tick(float seconds) {
    _timeLeft = std::max(0.0f, _timeLeft - seconds);
    if (_timeLeft <= 0.0f) {
        _state = PlayState::Ending;
    }
}

void Play::addTime(int seconds) {
    _timeLeft += static_cast<float>(seconds);
}

void Play::addScore(int points) {
    _score += points;
}

int Play::favourOf(std::int32_t id) const {
    const ActiveGal* entry = findActiveGal(id);
    return entry ? entry->favour : kStartFavour;
}

ActiveGal* Play::findActiveGal(std::int32_t id) {
    return const_cast<ActiveGal*>(std::as_const(*this).findActiveGal(id));
}

const ActiveGal* Play::findActiveGal(std::int32_t id) const {
    for (int slot = 0; slot < _activeGalCount; ++slot) {
        if (_activeGals[static_cast<std::size_t>(slot)].gal.id == id) {
            return &_activeGals[static_cast<std::size_t>(slot)];
        }
    }
    return nullptr;
}
