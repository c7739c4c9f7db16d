#pragma once
// The rules of one play as plain C++: the heroine table (three in play, the rest waiting),
// favour, the clock, the score with its chain bonus, the confession and the rotation that
// follows it, and the state the play is in. Nothing here draws, sounds or reads a file: the
// play scene feeds it answers and time and shows what it reports, and the balance tool and the
// soak bot play by the same object.

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "data/Character.h"
#include "model/PlayRules.h"

// A random index in 0 .. count-1. The game passes its seeded getRand; tests and tools may pass
// a generator of their own.
using RandomSource = std::function<std::uint32_t(std::uint32_t count)>;

struct ActiveGal {
    Character gal;
    int favour = kStartFavour; // kMinFavour..kMaxFavour
};

enum class PlayState {
    Asking,     // a question is up: the only state that takes an answer or a confession
    Reacting,   // her reply after an answer, until the next question
    Confessing, // from the confession until the next question
    Ending,     // the clock reached zero; nothing is taken any more
};

// What an answer did, for the scene to show.
struct AnswerOutcome {
    int favour = kStartFavour; // her favour after the answer
    int seconds = 0;           // added to the clock
    int points = 0;            // added to the score
};

class Play {
public:
    explicit Play(RandomSource random);

    // Deals three of `heroines` at random into the table, favour kStartFavour each, and queues
    // the others in the order given. With fewer than three, deals them all.
    void dealGals(const std::vector<Character>& heroines);
    // The heroine asked first: one of the table at random.
    void pickCurrent();
    // The two others in random order: who is asked after a right answer, who after a wrong one.
    void pickNextGals();

    // An answer to the current heroine: her favour moves by one (kept within its bounds), a
    // right one adds kCorrectBonusSeconds and, when her reply ends its chain, kChainEndPoints.
    // The heroine picked for that outcome becomes current and the next two are drawn.
    AnswerOutcome answer(bool correct, bool endsChain);
    // A confession to the current heroine: accepted when her favour has reached her border.
    // The award comes with her reply (rewardConfession), the rotation after it (rotateGal).
    bool confess();
    void rewardConfession();
    // The confessed heroine leaves the table for the back of the queue; the first waiting one
    // takes her place with kStartFavour. With nobody waiting she stays and starts over.
    void rotateGal();
    // The reply or the confession is over: the next question takes input (unless the play ended).
    void reopen();

    // The clock: runs down by `seconds`, never below zero; at zero the play ends for good.
    void tick(float seconds);
    void addTime(int seconds);
    void addScore(int points);

    PlayState state() const { return _state; }
    bool acceptsInput() const { return _state == PlayState::Asking; }
    float timeLeft() const { return _timeLeft; }
    int score() const { return _score; }
    const Character& current() const { return _current; }
    const Character& nextIfRight() const { return _nextIfRight; }
    const Character& nextIfWrong() const { return _nextIfWrong; }
    int favourOf(std::int32_t id) const;
    bool canConfessSuccessfully() const { return favourOf(_current.id) >= _current.border; }

    // The table entry holding the heroine with this id, or nullptr when she is not in play.
    ActiveGal* findActiveGal(std::int32_t id);
    const ActiveGal* findActiveGal(std::int32_t id) const;
    int activeGalCount() const { return _activeGalCount; }
    const ActiveGal& activeGal(int slot) const { return _activeGals.at(static_cast<std::size_t>(slot)); }
    const std::deque<Character>& waitingGals() const { return _waitingGals; }

private:
    RandomSource _random;
    std::array<ActiveGal, kMaxActiveGals> _activeGals{};
    int _activeGalCount = 0;
    std::deque<Character> _waitingGals;
    Character _current;
    Character _nextIfRight;
    Character _nextIfWrong;
    PlayState _state = PlayState::Asking;
    float _timeLeft = kPlaySeconds;
    int _score = 0;
};
