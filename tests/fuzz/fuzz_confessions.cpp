// Confession data file: any bytes load into texts or fail with a promised error.

#include "data/Confession.h"
#include "fuzz/FuzzSupport.h"
#include "shell/Constants.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzsupport::silenceLogs();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzsupport::writeResource(kConfessionDataPath, data, size);
    ConfessionMap confessions;
    if (!fuzzsupport::loadsOrFailsCleanly([&] { confessions = loadConfessions(); })) {
        return 0;
    }
    for (const auto& [target, texts] : confessions) {
        if (target != texts.target) {
            fuzzsupport::fail("confession texts filed under another heroine");
        }
    }
    return 0;
}
