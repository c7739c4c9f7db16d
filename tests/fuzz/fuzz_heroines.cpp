// Heroine data file: any bytes load into a cast or fail with a promised error, and a cast
// that loads can be checked against the shipped questions without throwing.

#include "data/CharacterLoader.h"
#include "data/ContentValidation.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/ShippedContent.h"
#include "shell/Constants.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzsupport::silenceLogs();
    fuzzsupport::shippedContent();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzsupport::writeResource(kCharacterDataPath, data, size);
    CharacterMap cast;
    if (!fuzzsupport::loadsOrFailsCleanly([&] { cast = loadCharacters(); })) {
        return 0;
    }
    for (const auto& [id, heroine] : cast) {
        if (id != heroine.id) {
            fuzzsupport::fail("a heroine is filed under another id");
        }
        if (!heroine.parameter.empty() && heroine.parameter.size() != 13) {
            fuzzsupport::fail("a heroine has a partial profile");
        }
    }
    // Validation reports problems; it never throws, whatever the cast looks like.
    validateContent(cast, fuzzsupport::shippedContent().scenarios);
    return 0;
}
