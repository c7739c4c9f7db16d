#pragma once
// A play without a screen: the play's own rules (model/Play.h), driven by a scripted player, over
// the content loaded into GameData. Every random choice goes through getRand and the real
// pickScenario / pickSelectionPair.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct PlayerPolicy {
    std::string name;
    bool alwaysRight = true;       // false: picks one of the two answers uniformly at random
    bool confessWhenReady = false; // confesses as soon as the heroine on screen is at her border
};

// How a scripted player spends the clock. The play's own durations and bonuses come from the
// play's rules (model/PlayRules.h); only the player's thinking time is the tool's.
struct TimeModel {
    float thinkSeconds = 2.0f; // reading the question and choosing
    // A confession adds more time than it takes, so a fast, perfect player can keep a play going
    // for ever; a play stops after this many turns and counts as capped.
    int maxTurns = 2000;
};

// One heroine's stay in the table: from dealing (or joining after a confession) until she
// leaves it or the play ends.
struct Stay {
    std::int32_t heroineId = 0;
    int askedBeforeBorder = 0;         // questions asked of her until her favour first reached her border
    int playQuestionsBeforeBorder = 0; // questions of the whole play in the same span
    bool reachedBorder = false;
};

struct PlayResult {
    int questions = 0;
    int rightAnswers = 0;
    int confessions = 0;
    int successfulConfessions = 0;
    int chainBonuses = 0;
    int score = 0;
    bool capped = false;
    std::vector<Stay> stays;
};

// Plays one round. Needs GameData loaded with at least four heroines (three in play, one
// waiting to replace a heroine confessed to).
PlayResult simulatePlay(const PlayerPolicy& policy, const TimeModel& time);

struct HeroineSummary {
    std::string name;
    int border = 0;
    int stays = 0;
    int reached = 0;
    double askedSum = 0; // over stays that reached the border
    double playQuestionsSum = 0;
};

struct PolicySummary {
    PlayerPolicy policy;
    int plays = 0;
    int capped = 0;
    int maxTurns = 0;
    double questions = 0, rightAnswers = 0, confessions = 0, successes = 0, chainBonuses = 0, score = 0;
    std::map<std::int32_t, HeroineSummary> heroines;
};

PolicySummary summarise(const PlayerPolicy& policy, const TimeModel& time, int plays);

// The report as plain text, one block per policy.
std::string formatSummary(const PolicySummary& summary);
