#include "shell/HighScore.h"

#include "cocos2d.h"

namespace {
const char* const kHighScoreKey = "high_score";
}

int recordHighScore(int score) {
    auto* store = cocos2d::UserDefault::getInstance();
    const int stored = store->getIntegerForKey(kHighScoreKey);
    const int best = score > stored ? score : stored;
    store->setIntegerForKey(kHighScoreKey, best);
    return best;
}
