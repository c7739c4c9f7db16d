#pragma once
// The numbers a play is played by: the table size, favour, the clock and the awards. The play
// scene, the balance tool and the soak bot all read them from here.

constexpr int kMaxActiveGals = 3; // heroines in play at once
constexpr int kStartFavour = 5;   // a heroine's favour when she enters play
constexpr int kMinFavour = 0;
constexpr int kMaxFavour = 10;

constexpr float kPlaySeconds = 60.0f;
constexpr int kCorrectBonusSeconds = 1;    // a right answer
constexpr int kChainEndPoints = 200;       // a right answer whose reply ends its chain
constexpr int kConfessionPoints = 1000;    // a confession she accepts
constexpr int kConfessionBonusSeconds = 6; // the same

// How long the play is busy between input: her reply after an answer, and each of the two
// steps of a confession (the player's line, then hers). The clock runs through both.
constexpr float kReactionSeconds = 1.2f;
constexpr float kConfessionStepSeconds = 1.5f;
