#include "BalanceSim.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <deque>
#include <sstream>
#include <stdexcept>

#include "data/GameData.h"
#include "data/Random.h"

namespace {

constexpr int kStartFavour = 5;
constexpr int kMaxFavour = 10;
constexpr int kChainBonus = 200;
constexpr int kConfessionBonus = 1000;

struct Seat {
    Character gal;
    int favour = kStartFavour;
    std::size_t stay = 0; // index into PlayResult::stays
};

class Play {
public:
    Play(const PlayerPolicy& policy, const TimeModel& time) : _policy(policy), _time(time) {}

    PlayResult run() {
        deal();
        _current = static_cast<int>(getRand(3));
        float left = _time.playSeconds;
        for (int turn = 0; left > 0.0f; ++turn) {
            if (turn == _time.maxTurns) {
                _result.capped = true;
                break;
            }
            Seat& seat = _seats[_current];
            if (_policy.confessWhenReady && seat.favour >= seat.gal.border) {
                left += confess();
                continue;
            }
            left += ask();
        }
        return _result;
    }

private:
    void deal() {
        std::vector<Character> list;
        for (const auto& entry : GameData::viewCharacters()) {
            list.push_back(entry.second);
        }
        if (list.size() < 4) {
            throw std::runtime_error("the simulation needs at least four heroines");
        }
        for (auto& seat : _seats) {
            const std::size_t r = getRand(static_cast<std::uint32_t>(list.size()));
            seatHeroine(seat, list[r]);
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(r));
        }
        _waiting.assign(list.begin(), list.end());
    }

    void seatHeroine(Seat& seat, const Character& gal) {
        seat.gal = gal;
        seat.favour = kStartFavour;
        seat.stay = _result.stays.size();
        Stay stay;
        stay.heroineId = gal.id;
        stay.reachedBorder = seat.favour >= gal.border;
        _result.stays.push_back(stay);
    }

    // The other two seats in random order, drawn the way the play scene draws them.
    std::pair<int, int> nextSeats() {
        for (;;) {
            const int i = static_cast<int>(getRand(3));
            const int j = static_cast<int>(getRand(3));
            if (i != j && i != _current && j != _current) {
                return {i, j};
            }
        }
    }

    // One question; returns the change of the clock.
    float ask() {
        Seat& seat = _seats[_current];
        const auto next = nextSeats();
        const Scenario scenario = pickScenario(seat.gal);
        const auto pair = pickSelectionPair(scenario.selections, seat.gal);
        const bool right = _policy.alwaysRight || getRand(2) == 0;
        ++_result.questions;
        countQuestion();
        float delta = -(_time.thinkSeconds + _time.reactionSeconds);
        if (right) {
            ++_result.rightAnswers;
            seat.favour = std::min(kMaxFavour, seat.favour + 1);
            delta += _time.rightBonusSeconds;
            if (pair.first.success.next == -1) {
                ++_result.chainBonuses;
                _result.score += kChainBonus;
            }
        } else {
            seat.favour = std::max(0, seat.favour - 1);
        }
        Stay& stay = _result.stays[seat.stay];
        if (!stay.reachedBorder && seat.favour >= seat.gal.border) {
            stay.reachedBorder = true;
        }
        _current = right ? next.first : next.second;
        return delta;
    }

    // Every stay still short of its border counts this question; the asked heroine's own too.
    void countQuestion() {
        for (int k = 0; k < 3; ++k) {
            Stay& stay = _result.stays[_seats[k].stay];
            if (stay.reachedBorder) {
                continue;
            }
            ++stay.playQuestionsBeforeBorder;
            if (k == _current) {
                ++stay.askedBeforeBorder;
            }
        }
    }

    float confess() {
        Seat& seat = _seats[_current];
        ++_result.confessions;
        float delta = -_time.confessionSeconds;
        if (seat.favour >= seat.gal.border) {
            ++_result.successfulConfessions;
            _result.score += kConfessionBonus;
            delta += _time.confessionBonusSeconds;
        }
        const Character leaving = seat.gal;
        seatHeroine(seat, _waiting.front());
        _waiting.pop_front();
        _waiting.push_back(leaving);
        _current = static_cast<int>(getRand(3));
        return delta;
    }

    PlayerPolicy _policy;
    TimeModel _time;
    std::array<Seat, 3> _seats;
    std::deque<Character> _waiting;
    int _current = 0;
    PlayResult _result;
};

} // namespace

PlayResult simulatePlay(const PlayerPolicy& policy, const TimeModel& time) {
    return Play(policy, time).run();
}

PolicySummary summarise(const PlayerPolicy& policy, const TimeModel& time, int plays) {
    PolicySummary sum;
    sum.policy = policy;
    sum.maxTurns = time.maxTurns;
    for (const auto& entry : GameData::viewCharacters()) {
        HeroineSummary& h = sum.heroines[entry.first];
        h.name = entry.second.name;
        h.border = entry.second.border;
    }
    for (int p = 0; p < plays; ++p) {
        const PlayResult r = simulatePlay(policy, time);
        ++sum.plays;
        sum.capped += r.capped ? 1 : 0;
        sum.questions += r.questions;
        sum.rightAnswers += r.rightAnswers;
        sum.confessions += r.confessions;
        sum.successes += r.successfulConfessions;
        sum.chainBonuses += r.chainBonuses;
        sum.score += r.score;
        for (const Stay& stay : r.stays) {
            HeroineSummary& h = sum.heroines[stay.heroineId];
            ++h.stays;
            if (stay.reachedBorder) {
                ++h.reached;
                h.askedSum += stay.askedBeforeBorder;
                h.playQuestionsSum += stay.playQuestionsBeforeBorder;
            }
        }
    }
    return sum;
}

namespace {

// Each heroine weighs the same, however often the deal brought her into play.
std::string castAverages(const PolicySummary& s) {
    double reachShare = 0, asked = 0, playQuestions = 0;
    for (const auto& entry : s.heroines) {
        const HeroineSummary& h = entry.second;
        const double reached = std::max(1, h.reached);
        reachShare += h.stays ? static_cast<double>(h.reached) / h.stays : 0.0;
        asked += h.askedSum / reached;
        playQuestions += h.playQuestionsSum / reached;
    }
    const double n = std::max<std::size_t>(1, s.heroines.size());
    char line[200];
    std::snprintf(line, sizeof line,
                  "cast average: reached in %.1f %% of stays, %.2f of her questions, %.2f play questions\n",
                  100.0 * reachShare / n, asked / n, playQuestions / n);
    return line;
}

} // namespace

std::string formatSummary(const PolicySummary& s) {
    const double n = std::max(1, s.plays);
    char line[200];
    std::ostringstream out;
    out << "## " << s.policy.name << " (" << s.plays << " plays";
    if (s.capped > 0) {
        out << ", " << s.capped << " stopped after " << s.maxTurns << " turns";
    }
    out << ")\n";
    std::snprintf(line, sizeof line,
                  "per play: %.1f questions, %.1f right, %.2f confessions (%.2f accepted), "
                  "%.1f chain bonuses, score %.0f\n",
                  s.questions / n, s.rightAnswers / n, s.confessions / n, s.successes / n, s.chainBonuses / n,
                  s.score / n);
    out << line;
    out << "| heroine | border | stays | reached border | her questions to border | play questions to border "
           "|\n";
    out << "|---|---|---|---|---|---|\n";
    for (const auto& entry : s.heroines) {
        const HeroineSummary& h = entry.second;
        const double reached = std::max(1, h.reached);
        std::snprintf(line, sizeof line, "| %s | %d | %d | %.1f %% | %.2f | %.2f |\n", h.name.c_str(),
                      h.border, h.stays, h.stays ? 100.0 * h.reached / h.stays : 0.0, h.askedSum / reached,
                      h.playQuestionsSum / reached);
        out << line;
    }
    out << castAverages(s);
    return out.str();
}
