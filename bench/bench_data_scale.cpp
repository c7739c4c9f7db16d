// Start-up data loading with the shipped content and with its questions replicated 10 and
// 100 times under new ids: every data file read, then the playability checks start-up makes.

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>

#include <nlohmann/json.hpp>

#include "data/ContentValidation.h"
#include "data/GameData.h"
#include "ext/Log.h"
#include "ext/Paths.h"
#include "shell/Constants.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

const fs::path kShipped = fs::path(SOLVANE_SOURCE_DIR) / "Resources";

// Copies of the shipped scenarios, each copy's ids (and the chain ids pointing into it)
// shifted past the previous copy's.
json replicateScenarios(const json& shipped, int copies) {
    std::int64_t span = 1;
    for (const json& scenario : shipped) {
        span = std::max<std::int64_t>(span, scenario.at("id").get<std::int64_t>() + 1);
    }
    json all = json::array();
    for (int copy = 0; copy < copies; ++copy) {
        for (json scenario : shipped) {
            const std::int64_t shift = span * copy;
            scenario["id"] = scenario["id"].get<std::int64_t>() + shift;
            for (json& selection : scenario["selections"]) {
                for (const char* reply : {"success", "failure"}) {
                    if (selection.contains(reply) && selection[reply].is_object() &&
                        selection[reply].contains("nextScenarioID") &&
                        selection[reply]["nextScenarioID"].get<int>() > 0) {
                        selection[reply]["nextScenarioID"] =
                            selection[reply]["nextScenarioID"].get<std::int64_t>() + shift;
                    }
                }
            }
            all.push_back(std::move(scenario));
        }
    }
    return all;
}

// A resource root per scale: the shipped data files with the scenario file replicated.
struct ScaledRoot {
    fs::path dir;
    std::uintmax_t scenarioBytes = 0;
};

const ScaledRoot& scaledRoot(int copies) {
    static std::map<int, ScaledRoot> roots;
    auto found = roots.find(copies);
    if (found != roots.end()) {
        return found->second;
    }
    ScaledRoot root;
    root.dir = fs::temp_directory_path() /
               ("solvane-bench-scale-" + std::to_string(::getpid()) + "-" + std::to_string(copies));
    for (const std::string& file : {kCharacterDataPath, kCharacterInfoPath, kConfessionDataPath}) {
        fs::create_directories((root.dir / file).parent_path());
        fs::copy_file(kShipped / file, root.dir / file, fs::copy_options::overwrite_existing);
    }
    std::ifstream in(kShipped / kScenarioDataPath);
    const json scaled = replicateScenarios(json::parse(in), copies);
    fs::create_directories((root.dir / kScenarioDataPath).parent_path());
    std::ofstream(root.dir / kScenarioDataPath) << scaled.dump(2);
    root.scenarioBytes = fs::file_size(root.dir / kScenarioDataPath);
    return roots.emplace(copies, root).first->second;
}

void BM_LoadContent(benchmark::State& state) {
    const ScaledRoot& root = scaledRoot(static_cast<int>(state.range(0)));
    cocos2d::ext::setLogSink([](const std::string&) {});
    cocos2d::ext::setResourceRoot(root.dir.string() + "/");
    for (auto _ : state) {
        GameData::loadAll();
        benchmark::DoNotOptimize(validateContent());
    }
    state.counters["scenarios"] = static_cast<double>(GameData::viewScenarios().size());
    state.counters["MB"] = static_cast<double>(root.scenarioBytes) / 1e6;
    cocos2d::ext::setResourceRoot("");
}
BENCHMARK(BM_LoadContent)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void cleanUp() {
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(fs::temp_directory_path(), ignored)) {
        if (entry.path().filename().string().rfind("solvane-bench-scale-" + std::to_string(::getpid()) + "-",
                                                   0) == 0) {
            fs::remove_all(entry.path(), ignored);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    cleanUp();
    return 0;
}
