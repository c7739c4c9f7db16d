#pragma once
// Every random choice of the game: one index rule and the two content picks built on it.

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "data/Character.h"
#include "data/Scenario.h"

// An index in 0 .. count-1: rand() % count, the generator seeded from the calendar clock on
// the first call of the run. Logs "getRand: %d". A count of 0 has no answer and throws
// std::invalid_argument.
std::uint32_t getRand(std::uint32_t count);

// A random scenario, among those whose filter admits the heroine (filters asked once each, in
// ascending id order). Throws std::runtime_error naming her when none admits her.
Scenario pickScenario(Character character);

// (one selection she accepts, one she rejects), each drawn at random, accepted first; every
// judge is asked once, in list order. Throws std::runtime_error naming her when either side is
// empty, before drawing.
std::pair<Selection, Selection> pickSelectionPair(const std::vector<Selection>& selections,
                                                  const Character& character);

// Test hooks: forget that the generator was seeded, and replace the clock the seed is read
// from (seconds since 1970; an empty function restores the real clock).
void resetRandSeeding();
void setRandSeedClock(std::function<std::uint32_t()> clock);
// Tools that must draw the same picks on every platform replace rand() with a generator of their
// own (an empty function restores rand()).
void setRandSource(std::function<std::uint32_t()> source);
