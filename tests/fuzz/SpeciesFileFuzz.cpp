// Feeds arbitrary bytes to the species file reader and grows whatever it
// accepts under a small vertex budget. A SpeciesError naming the file is the
// expected answer to bad input; anything else (a crash, a sanitizer report,
// another exception, an accepted value outside its range, a written file
// that does not read back to the same bytes) is a finding.
#include "ParameterTable.h"
#include "SpeciesFile.h"
#include "Tree.h"

#include <cstddef>         // Required for: std::size_t
#include <cstdint>         // Required for: std::uint8_t
#include <memory_resource> // Required for: std::pmr::new_delete_resource
#include <string>          // Required for: std::string
#include <string_view>     // Required for: std::string_view

namespace {

// Small enough that every accepted tree grows in milliseconds.
constexpr uint64_t kVertexBudget = 200'000;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Species species;
    try {
        species = parseSpecies(text, "fuzz.json");
    } catch (const SpeciesError& error) {
        if (std::string_view(error.what()).substr(0, 9) != "fuzz.json") __builtin_trap();
        return 0;
    }
    const TreeParameters& p = *species.parameters;
    // Whatever was accepted lies inside the ranges growth handles.
    for (const ParameterInfo& info : parameterTable()) {
        const size_t entries = info.scope == ParameterScope::Global ? 1 : p.levels;
        for (size_t level = 0; level < entries; ++level) {
            const double value = info.get(p, level);
            if (!(value >= info.minimum && value <= info.maximum)) __builtin_trap();
        }
    }
    // Written out and read back, it gives the same bytes.
    const std::string written = speciesFileText(p, species.name);
    if (speciesFileText(*parseSpecies(written, "written.json").parameters, species.name) != written)
        __builtin_trap();

    Tree tree(p, static_cast<int32_t>(size), std::pmr::new_delete_resource(), kVertexBudget);
    if (tree.overBudget()) return 0;
    tree.grow();
    // The plan sized the tree: growth creates what it planned, give or take
    // the leaves the two passes round differently (at most one per stem).
    if (tree.vertexCount < 0 ||
        uint64_t(tree.vertexCount) > tree.plannedVertices() + 4 * uint64_t(tree.stemCount))
        __builtin_trap();
    return 0;
}
