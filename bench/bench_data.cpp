// Game data throughput: loading a large scenario file, drawing a scenario for a heroine and
// drawing a selection pair.

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <benchmark/benchmark.h>
#include <nlohmann/json.hpp>

#include "data/CharacterLoader.h"
#include "data/ContentValidation.h"
#include "data/GameData.h"
#include "data/Random.h"
#include "data/Scenario.h"
#include "ext/Log.h"
#include "ext/Paths.h"

namespace {

using nlohmann::json;

constexpr int kScenarioCount = 10000;
constexpr int kSelectionsPerScenario = 4;

json bounds(int value) {
    json b = json::object();
    for (const char* key : kParameterKeys) {
        b[key] = value;
    }
    return b;
}

json rangedSelection(int i, int lo, int hi) {
    json r = {{"min", bounds(0)}, {"max", bounds(10)}};
    r["min"]["twisted"] = lo;
    r["max"]["twisted"] = hi;
    return {{"sentence", "答え" + std::to_string(i) + "、<主人公>はどう思う?"},
            {"range", r},
            {"success", {{"sentence", "うれしい!"}, {"emotion", "Happy"}, {"nextScenarioID", -1}}},
            {"failure", {{"sentence", "そうかな。"}, {"emotion", "Sad"}}}};
}

json filterFor(int id) {
    switch (id % 4) {
    case 0:
    case 1:
        return {{"type", "Any"}};
    case 2:
        return {{"type", "Personal"}, {"personal", "Heroine" + std::to_string(id % 7)}};
    default:
        return {{"type", "Attribute"}, {"attributes", {"quiet", "sporty"}}};
    }
}

json heroine(int id) {
    json h = {{"id", id},
              {"border", 30},
              {"file", "res/gal/h.png"},
              {"attribute", {{{"name", "quiet"}}}},
              {"name", "Heroine" + std::to_string(id)},
              {"me", "私"},
              {"you", "先輩"}};
    h["parameter"] = bounds(id);
    return h;
}

// A resource root with every start-up file, the scenario file holding kScenarioCount entries.
class GeneratedRoot {
public:
    GeneratedRoot() {
        namespace fs = std::filesystem;
        _dir = fs::temp_directory_path() / ("solvane-bench-data-" + std::to_string(::getpid()));
        for (const char* sub : {"res/gal", "res/scenario", "res/confession"}) {
            fs::create_directories(_dir / sub);
        }
        json scenarios = json::array();
        for (int id = 1; id <= kScenarioCount; ++id) {
            json selections = json::array();
            for (int i = 0; i < kSelectionsPerScenario; ++i) {
                selections.push_back(rangedSelection(i, i % 2 == 0 ? 0 : 6, i % 2 == 0 ? 5 : 10));
            }
            scenarios.push_back({{"id", id},
                                 {"sentence", "<ヒロイン>、今日は何をする?"},
                                 {"range", filterFor(id)},
                                 {"background", "res/background/park.png"},
                                 {"bgm", "res/bgm/op.mp3"},
                                 {"emotion", "Normal"},
                                 {"selections", selections}});
        }
        json heroines = json::array();
        for (int id = 0; id < 7; ++id) {
            heroines.push_back(heroine(id));
        }
        write("res/scenario/scenario.json", scenarios.dump(1));
        write("res/gal/gal_data.json", heroines.dump());
        write("res/gal/gal_info.json", "[]");
        write("res/confession/confession.json", "[]");
        scenarioBytes = fs::file_size(_dir / "res/scenario/scenario.json");
        cocos2d::ext::setResourceRoot(_dir.string() + "/");
        cocos2d::ext::setLogSink([](const std::string&) {});
    }
    ~GeneratedRoot() {
        std::error_code ignored;
        std::filesystem::remove_all(_dir, ignored);
    }
    std::uintmax_t scenarioBytes = 0;

private:
    void write(const std::string& relative, const std::string& text) {
        std::ofstream(_dir / relative) << text;
    }
    std::filesystem::path _dir;
};

GeneratedRoot& root() {
    static GeneratedRoot generated;
    return generated;
}

void BM_LoadScenarios(benchmark::State& state) {
    const auto bytes = root().scenarioBytes;
    for (auto _ : state) {
        benchmark::DoNotOptimize(loadScenarios());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_LoadScenarios)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_PickScenario(benchmark::State& state) {
    root();
    GameData::loadAll();
    const Character heroine = GameData::getCharacters().at(3);
    for (auto _ : state) {
        benchmark::DoNotOptimize(pickScenario(heroine));
    }
}
BENCHMARK(BM_PickScenario)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_PickSelectionPair(benchmark::State& state) {
    root();
    GameData::loadAll();
    const Character heroine = GameData::getCharacters().at(3);
    std::vector<Selection> selections = GameData::getScenarios().at(1).selections;
    const std::vector<Selection> more = GameData::getScenarios().at(2).selections;
    selections.insert(selections.end(), more.begin(), more.end()); // 8 selections
    for (auto _ : state) {
        benchmark::DoNotOptimize(pickSelectionPair(selections, heroine));
    }
}
BENCHMARK(BM_PickSelectionPair)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Start-up runs the content validation once after loading: every heroine against every scenario.
void BM_ValidateContent(benchmark::State& state) {
    root();
    GameData::loadAll();
    for (auto _ : state) {
        benchmark::DoNotOptimize(validateContent());
    }
}
BENCHMARK(BM_ValidateContent)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
