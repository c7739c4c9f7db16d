#include "BalanceSim.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>

#include "data/GameData.h"
#include "data/Random.h"
#include "model/Play.h"

namespace {

// The clock as the scene spends it: the play's rules plus the player's thinking time.
class Round {
public:
    Round(const PlayerPolicy& policy, const TimeModel& time) : _policy(policy), _time(time), _play(getRand) {}

    PlayResult run() {
        std::vector<Character> heroines;
        for (const auto& entry : GameData::viewCharacters()) {
            heroines.push_back(entry.second);
        }
        if (heroines.size() < 4) {
            throw std::runtime_error("the simulation needs at least four heroines");
        }
        _play.dealGals(heroines);
        for (int slot = 0; slot < _play.activeGalCount(); ++slot) {
            openStay(_play.activeGal(slot).gal);
        }
        _play.pickCurrent();
        _play.pickNextGals();
        for (int turn = 0; _play.state() != PlayState::Ending; ++turn) {
            if (turn == _time.maxTurns) {
                _result.capped = true;
                break;
            }
            if (_policy.confessWhenReady && _play.canConfessSuccessfully()) {
                confess();
            } else {
                ask();
            }
        }
        _result.score = _play.score();
        return _result;
    }

private:
    void openStay(const Character& gal) {
        Stay stay;
        stay.heroineId = gal.id;
        stay.reachedBorder = kStartFavour >= gal.border;
        _stayOf[gal.id] = _result.stays.size();
        _result.stays.push_back(stay);
    }

    Stay& stayOf(std::int32_t id) { return _result.stays[_stayOf.at(id)]; }

    void ask() {
        const Character asked = _play.current(); // the next two are drawn already
        const Scenario scenario = pickScenario(asked);
        const auto pair = pickSelectionPair(scenario.selections, asked);
        const bool right = _policy.alwaysRight || getRand(2) == 0;
        ++_result.questions;
        countQuestion(asked.id);
        _play.tick(_time.thinkSeconds);
        const AnswerOutcome outcome = _play.answer(right, pair.first.success.next == -1);
        if (right) {
            ++_result.rightAnswers;
        }
        if (outcome.points > 0) {
            ++_result.chainBonuses;
        }
        Stay& stay = stayOf(asked.id);
        if (!stay.reachedBorder && outcome.favour >= asked.border) {
            stay.reachedBorder = true;
        }
        _play.tick(kReactionSeconds);
        _play.reopen();
    }

    // Every stay still short of its border counts this question; the asked heroine's own too.
    void countQuestion(std::int32_t askedId) {
        for (int slot = 0; slot < _play.activeGalCount(); ++slot) {
            const std::int32_t id = _play.activeGal(slot).gal.id;
            Stay& stay = stayOf(id);
            if (stay.reachedBorder) {
                continue;
            }
            ++stay.playQuestionsBeforeBorder;
            if (id == askedId) {
                ++stay.askedBeforeBorder;
            }
        }
    }

    void confess() {
        ++_result.confessions;
        const bool accepted = _play.confess();
        _play.tick(kConfessionStepSeconds);
        if (accepted) {
            ++_result.successfulConfessions;
            _play.rewardConfession();
        }
        _play.tick(kConfessionStepSeconds);
        std::set<std::int32_t> before;
        for (int slot = 0; slot < _play.activeGalCount(); ++slot) {
            before.insert(_play.activeGal(slot).gal.id);
        }
        _play.rotateGal();
        for (int slot = 0; slot < _play.activeGalCount(); ++slot) {
            if (!before.count(_play.activeGal(slot).gal.id)) {
                openStay(_play.activeGal(slot).gal); // the first in line sits down
            }
        }
        _play.pickCurrent();
        _play.pickNextGals();
        _play.reopen();
    }

    PlayerPolicy _policy;
    TimeModel _time;
    Play _play;
    PlayResult _result;
    std::map<std::int32_t, std::size_t> _stayOf; // her latest stay
};

} // namespace

PlayResult simulatePlay(const PlayerPolicy& policy, const TimeModel& time) {
    return Round(policy, time).run();
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
