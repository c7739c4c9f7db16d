#pragma once
// The heroines a play works with: three in play, the rest waiting in the order in which they
// enter. Program-wide so that the confession rotation and the answer feedback share one table;
// every new play deals it afresh, so nothing carries over from one play to the next.

#include <deque>

#include "data/Character.h"

struct ActiveGal {
    Character gal;
    int favour; // 0..10, a newcomer starts at kStartFavour
};

constexpr int kMaxActiveGals = 3;
constexpr int kStartFavour = 5;
constexpr int kMinFavour = 0;
constexpr int kMaxFavour = 10;

extern ActiveGal activeGals[kMaxActiveGals];
extern int activeGalCount;
extern std::deque<Character> waitingGals;

// Draws three heroines of the store at random into the table (favour kStartFavour each) and
// queues the others in ascending id order. Start-up validation guarantees at least three.
void dealGals();

// The table entry holding the heroine with this id, or nullptr when she is not in play.
ActiveGal* findActiveGal(int id);
