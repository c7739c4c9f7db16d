#pragma once
// A bot that plays the real scenes the way a player would: it clicks the buttons it can see,
// answers with the arrow keys and confesses with the space bar, and keeps its own account of
// what every move must earn so it can check each play's score against the rules.

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "cocos2d.h"

class Game;
class Score;

struct PlayRecord {
    int shownScore = 0;
    int shownBest = 0;
    int rightAnswers = 0;
    int wrongAnswers = 0;
    int confessions = 0;
    int successfulConfessions = 0;
    long frames = 0;
    long rssKiB = 0; // resident memory when the score screen appeared
};

class SoakBot {
public:
    // frameSeconds: the game time one frame advances.
    SoakBot(std::uint32_t seed, double frameSeconds) : _random(seed), _frameSeconds(frameSeconds) {}

    // Looks at the running scene and queues this frame's input. Returns false once a check failed.
    bool act();

    // Finished plays, oldest first.
    const std::vector<PlayRecord>& plays() const { return _plays; }
    const std::string& failure() const { return _failure; }
    int bestSeen() const { return _bestSeen; }

private:
    // What the bot expects a move to earn, checked when the question reopens.
    struct PendingMove {
        bool active = false;
        bool closed = false; // input closed after the key, as it must
        int scoreBefore = 0;
        int points = 0;
        long frameOfKey = 0;
    };

    void actInGame(Game* game);
    void answer(Game* game);
    void settlePending(Game* game);
    void finishPlay(Score* score);
    void clickFirstButton(cocos2d::Node* scene);
    bool check(bool condition, const std::string& what);

    std::mt19937 _random;
    double _frameSeconds;
    int _rightPercent = 70; // this play's skill: how often a plain answer is the right one
    std::vector<PlayRecord> _plays;
    PlayRecord _current;
    PendingMove _pending;
    bool _inPlay = false;
    int _confirmedScore = 0;
    int _bestSeen = 0;
    long _framesInScene = 0;
    cocos2d::Node* _lastScene = nullptr;
    std::string _failure;
};

// Resident set size of this process in KiB (VmRSS), 0 when unknown.
long residentKiB();
