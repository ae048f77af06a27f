#include "SpeciesArg.h"

#include "TreeParameters.h"
#include "TreeType.h"

#include <algorithm> // Required for: std::equal
#include <cctype>    // Required for: std::tolower

namespace {

std::string nameOf(uint32_t type) {
    TreeParameters p(0);
    p.type = type;
    return p.getTypeName();
}

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

std::optional<uint32_t> parseSpecies(const std::string& text) {
    if (text.size() == 1 && text[0] >= '0' && text[0] < char('0' + TREE_TYPE_COUNT))
        return static_cast<uint32_t>(text[0] - '0');
    for (uint32_t type = 0; type < TREE_TYPE_COUNT; ++type)
        if (sameIgnoringCase(text, nameOf(type))) return type;
    return std::nullopt;
}

std::string speciesChoices() {
    std::string out;
    for (uint32_t type = 0; type < TREE_TYPE_COUNT; ++type) {
        if (type) out += ", ";
        out += std::to_string(type) + " \"" + nameOf(type) + "\"";
    }
    return out;
}
