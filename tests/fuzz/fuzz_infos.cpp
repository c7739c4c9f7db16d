// Heroine profile texts: any bytes load or fail with a promised error.

#include "data/CharacterLoader.h"
#include "fuzz/FuzzSupport.h"
#include "shell/Constants.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzsupport::silenceLogs();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzsupport::writeResource(kCharacterInfoPath, data, size);
    fuzzsupport::loadsOrFailsCleanly([] { loadCharacterInfos(); });
    return 0;
}
