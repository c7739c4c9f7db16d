// Scenario data file: any bytes load into questions or fail with a promised error; questions
// that load have callable filters and judges, and validating them against the shipped cast
// never throws (broken ranges become reported problems).

#include "data/ContentValidation.h"
#include "data/Scenario.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/ShippedContent.h"
#include "shell/Constants.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzsupport::silenceLogs();
    fuzzsupport::shippedContent();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzsupport::writeResource(kScenarioDataPath, data, size);
    ScenarioMap scenarios;
    if (!fuzzsupport::loadsOrFailsCleanly([&] { scenarios = loadScenarios(); })) {
        return 0;
    }
    for (const auto& [id, scenario] : scenarios) {
        if (id != scenario.id) {
            fuzzsupport::fail("a scenario is filed under another id");
        }
        if (!scenario.filter) {
            fuzzsupport::fail("a scenario without a filter");
        }
        for (const Selection& selection : scenario.selections) {
            if (!selection.judge) {
                fuzzsupport::fail("a selection without a judge");
            }
        }
    }
    validateContent(fuzzsupport::shippedContent().characters, scenarios);
    return 0;
}
