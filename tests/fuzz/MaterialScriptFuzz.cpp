// Feeds arbitrary bytes to the material script reader (without textures:
// there is no GL here, so a texture statement fails when its material is
// made). An engine error naming the script and a line is the expected answer
// to bad input; an accepted script must have made only materials whose
// colours are numbers.
#include "core/Exception.h"
#include "material/Material.h"
#include "material/MaterialManager.h"
#include "material/MaterialScriptParser.h"
#include "material/Pass.h"
#include "material/Technique.h"

#include <cmath>   // Required for: std::isfinite
#include <cstddef> // Required for: std::size_t
#include <cstdint> // Required for: std::uint8_t
#include <sstream> // Required for: std::istringstream
#include <string>  // Required for: std::string

namespace {
bool finite(const Velk::ColourValue& c) {
    return std::isfinite(c.r) && std::isfinite(c.g) && std::isfinite(c.b) && std::isfinite(c.a);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::istringstream stream(text);
    Velk::MaterialManager manager;
    try {
        Velk::parseMaterialScript(stream, "fuzz.material", manager);
    } catch (const Velk::Exception& error) {
        if (error.getFile() != "fuzz.material" || error.getLine() <= 0) __builtin_trap();
        // Nothing is made from a script with a syntax error. (Textures are
        // loaded as the materials are made, and there are none here: that
        // error comes later, when materials exist.)
        if (error.getDescription().rfind("material script error", 0) == 0 && manager.getMaterialCount() != 0)
            __builtin_trap();
        return 0;
    }
    // Every material the script named exists, with numbers for colours.
    std::istringstream lines(text);
    std::string word;
    while (lines >> word) {
        if (word != "material" || !(lines >> word)) continue;
        // The word may be a comment's or a value's; only made names are looked up.
        if (!manager.resourceExistsWithoutScripts(word)) continue;
        const Velk::MaterialPtr material = manager.getByName(word);
        const Velk::Pass* pass = material->getTechnique(0)->getPass(0);
        if (!finite(pass->getDiffuse()) || !finite(pass->getAmbient())) __builtin_trap();
    }
    return 0;
}
