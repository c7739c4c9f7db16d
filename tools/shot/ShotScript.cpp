#include "ShotScript.h"

#include <cstdlib>
#include <set>

const char* const kShotUsage =
    "usage: solvane-shot [--resources DIR] [--store DIR] [--frame-stats] --out DIR STEP...\n"
    "  --frame-stats: after the run, print the frames that followed a scene's first one\n"
    "                 (frames after a scene's first: N max Z ms over 16 ms K), then one line\n"
    "                 over every frame: frames: N mean X ms p99 Y ms max Z ms\n"
    "  --user-store: keep the store in the per-user folder; --seed N: the same picks everywhere\n"
    "  STEP: wait:SECONDS | key:up|down|space|enter|escape | click:X,Y | shot:NAME\n";

namespace {

bool parseNumber(const std::string& text, double& value) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end && *end == '\0';
}

bool parseStep(const std::string& arg, ShotStep& step, std::string& error) {
    const auto colon = arg.find(':');
    if (colon == std::string::npos) {
        error = "step without a kind: " + arg;
        return false;
    }
    const std::string kind = arg.substr(0, colon);
    const std::string value = arg.substr(colon + 1);
    if (kind == "wait") {
        step.kind = ShotStep::Kind::Wait;
        if (!parseNumber(value, step.seconds) || step.seconds < 0) {
            error = "wait needs a number of seconds: " + arg;
            return false;
        }
        return true;
    }
    if (kind == "key") {
        static const std::set<std::string> keys = {"up", "down", "space", "enter", "escape"};
        step.kind = ShotStep::Kind::Key;
        step.key = value;
        if (!keys.count(value)) {
            error = "unknown key: " + value;
            return false;
        }
        return true;
    }
    if (kind == "click") {
        step.kind = ShotStep::Kind::Click;
        const auto comma = value.find(',');
        double x = 0, y = 0;
        if (comma == std::string::npos || !parseNumber(value.substr(0, comma), x) ||
            !parseNumber(value.substr(comma + 1), y)) {
            error = "click needs X,Y: " + arg;
            return false;
        }
        step.x = static_cast<float>(x);
        step.y = static_cast<float>(y);
        return true;
    }
    if (kind == "shot") {
        step.kind = ShotStep::Kind::Shot;
        step.name = value;
        if (value.empty() || value.find('/') != std::string::npos) {
            error = "shot needs a plain file name: " + arg;
            return false;
        }
        return true;
    }
    error = "unknown step: " + arg;
    return false;
}

} // namespace

std::optional<ShotOptions> parseShotArgs(const std::vector<std::string>& args, std::string& error) {
    ShotOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--frame-stats") {
            options.frameStats = true;
            continue;
        }
        if (arg == "--user-store") {
            options.userStore = true;
            continue;
        }
        if (arg == "--seed") {
            double value = 0.0;
            if (i + 1 >= args.size() || !parseNumber(args[i + 1], value) || value < 0 ||
                value > 4294967295.0 || value != static_cast<double>(static_cast<std::uint32_t>(value))) {
                error = "--seed needs a whole number from 0 to 4294967295";
                return std::nullopt;
            }
            options.seed = static_cast<std::uint32_t>(value);
            ++i;
            continue;
        }
        if (arg == "--resources" || arg == "--store" || arg == "--out") {
            if (i + 1 >= args.size()) {
                error = arg + " needs a folder";
                return std::nullopt;
            }
            std::string& target = arg == "--resources" ? options.resources
                                  : arg == "--store"   ? options.store
                                                       : options.out;
            target = args[++i];
            continue;
        }
        ShotStep step;
        if (!parseStep(arg, step, error)) {
            return std::nullopt;
        }
        options.steps.push_back(step);
    }
    if (options.out.empty()) {
        error = "--out DIR is required";
        return std::nullopt;
    }
    return options;
}
