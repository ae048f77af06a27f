// Species files: a parameter set as JSON, every field by its table name.
// Reading records where each key and value starts, so that every complaint
// can point at the exact place in the file.
#include "SpeciesFile.h"

#include "JsonMembers.h"
#include "ParameterTable.h"
#include "TreeType.h"

#include <algorithm>          // Required for: std::equal, std::max
#include <cctype>             // Required for: std::tolower
#include <cerrno>             // Required for: errno
#include <charconv>           // Required for: std::to_chars, std::from_chars
#include <cmath>              // Required for: std::isfinite, std::trunc
#include <cstring>            // Required for: std::strerror
#include <fstream>            // Required for: std::ifstream
#include <limits>             // Required for: std::numeric_limits
#include <nlohmann/json.hpp>  // Required for: nlohmann::json
#include <optional>           // Required for: std::optional
#include <vector>             // Required for: std::vector

namespace {

using Json = nlohmann::json;

// A number as the shortest text that reads back to it.
std::string numberText(double v) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, v);
    return std::string(text, result.ptr);
}

// A bound of a range in plain decimals: 1000000, not 1e+06.
std::string boundText(double v) {
    char text[400];
    const auto result = std::to_chars(text, text + sizeof text, v, std::chars_format::fixed);
    return std::string(text, result.ptr);
}

std::string floatText(float v) {
    if (!std::isfinite(v)) return "null";
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, v);
    return std::string(text, result.ptr);
}

// "accepted: a whole number in 0..8" and the like.
std::string acceptedText(const ParameterInfo& info) {
    return std::string(info.isInteger() ? "a whole number" : "a number") + " in " +
           boundText(info.minimum) + ".." + boundText(info.maximum) +
           (info.unit[0] ? std::string(" (") + info.unit + ")" : std::string());
}

// Whether `value` may be stored in the parameter; the reason when not.
std::optional<std::string> valueProblem(const ParameterInfo& info, double value) {
    if (!std::isfinite(value))
        return "not a finite number; accepted: " + acceptedText(info);
    if (info.isInteger() && value != std::trunc(value))
        return numberText(value) + " is not a whole number; accepted: " + acceptedText(info);
    if (value < info.minimum || value > info.maximum)
        return numberText(value) + " is out of range; accepted: " + acceptedText(info);
    return std::nullopt;
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string presetName(uint32_t type) {
    TreeParameters p(0);
    p.type = type;
    return p.getTypeName();
}

std::string presetChoices() {
    std::string out;
    for (uint32_t type = 0; type < TREE_TYPE_COUNT; ++type)
        out += (type ? ", " : "") + std::to_string(type) + " \"" + presetName(type) + "\"";
    return out;
}

// Turns collected members into a parameter set, checking each against the table.
class SpeciesReader {
public:
    SpeciesReader(std::string_view text, const std::string& file) : text_(text), file_(file) {}

    [[noreturn]] void fail(size_t offset, const std::string& field, const std::string& problem) const {
        const TextPlace place = placeOf(text_, offset);
        throw SpeciesError(file_, place.line, place.column, field, problem);
    }

    Species read() {
        if (text_.size() > SPECIES_FILE_MAX_BYTES)
            throw SpeciesError(file_, 0, 0, "",
                               "the file has " + std::to_string(text_.size()) +
                                   " bytes; species files are limited to " +
                                   std::to_string(SPECIES_FILE_MAX_BYTES) + " bytes");
        if (const size_t bad = firstInvalidUtf8(text_); bad != std::string_view::npos)
            fail(bad, "", "invalid UTF-8 byte; accepted: text in UTF-8");

        const JsonMembers json = readJsonMembers(text_);
        if (const auto& failure = json.failure) {
            const ParameterInfo* info = findParameter(failure->field);
            if (failure->numberTooLarge)
                fail(failure->offset, failure->field,
                     failure->problem + "; accepted: " + (info ? acceptedText(*info) : "a finite number"));
            fail(failure->offset, failure->field, failure->problem + "; accepted: one JSON object of species fields");
        }
        objectOffset_ = json.objectOffset;
        return build(json.members);
    }

private:
    std::string shapeProblem(const ParameterInfo& info, size_t levels) const {
        if (info.scope == ParameterScope::Global) return "expected " + acceptedText(info);
        return "expected an array of " + std::to_string(levels) + " entries (one per level), each " +
               acceptedText(info);
    }

    double numberOf(const JsonScalar& s, const ParameterInfo& info, const std::string& field, size_t levels) const {
        if (s.kind != JsonScalar::Number) fail(s.offset, field, "not a number; " + shapeProblem(info, levels));
        if (auto problem = valueProblem(info, s.number)) fail(s.offset, field, *problem);
        return s.number;
    }

    Species build(const std::vector<JsonMember>& members) {
        const JsonMember* name = nullptr;
        const JsonMember* base = nullptr;
        const JsonMember* leafTexture = nullptr;
        std::vector<const JsonMember*> given(parameterTable().size(), nullptr);
        // Every key is known and given once, before anything is applied.
        for (const JsonMember& m : members) {
            const JsonMember** slot;
            if (m.key == "name") {
                slot = &name;
            } else if (m.key == "base") {
                slot = &base;
            } else if (m.key == "leafTexture") {
                slot = &leafTexture;
            } else if (const ParameterInfo* info = findParameter(m.key)) {
                slot = &given[size_t(info - parameterTable().data())];
            } else {
                fail(m.keyOffset, m.key,
                     "unknown field; did you mean \"" + std::string(nearestParameterName(m.key)) + "\"?");
            }
            if (*slot) fail(m.keyOffset, m.key, "given twice");
            *slot = &m;
        }

        Species species;
        if (base) {
            const uint32_t type = baseType(*base);
            species.parameters = std::make_unique<TreeParameters>(2);
            species.parameters->loadPreset(type);
            species.name = species.parameters->getTypeName();
        } else {
            for (size_t i = 0; i < given.size(); ++i)
                if (!given[i])
                    fail(objectOffset_, parameterTable()[i].name,
                         "missing; a species file without \"base\" gives every field (write one with "
                         "`treegen species`)");
            species.parameters = std::make_unique<TreeParameters>(1);
        }
        if (name) {
            if (name->isArray || name->hasNested || name->scalar.kind != JsonScalar::String)
                fail(name->placeOfValue(), "name", "not a string; accepted: the species name as a string");
            species.name = name->scalar.text;
        }
        if (leafTexture) {
            if (leafTexture->isArray || leafTexture->hasNested || leafTexture->scalar.kind != JsonScalar::String ||
                leafTexture->scalar.text.empty())
                fail(leafTexture->placeOfValue(), "leafTexture",
                     "not a file name; accepted: the name of a leaf atlas in the media (such as "
                     "\"tree_leaves_round.tga\") or the path of an image with alpha, as a string");
            species.leafTexture = leafTexture->scalar.text;
        }

        TreeParameters& p = *species.parameters;
        // The level count comes first: it decides the length of every array.
        const ParameterInfo& levelsInfo = *findParameter("levels");
        if (const JsonMember* m = given[size_t(&levelsInfo - parameterTable().data())]) {
            if (m->isArray || m->hasNested) fail(m->placeOfValue(), m->key, shapeProblem(levelsInfo, 0));
            resizeLevels(p, static_cast<uint8_t>(numberOf(m->scalar, levelsInfo, m->key, 0)));
        }
        for (size_t i = 0; i < given.size(); ++i) {
            const JsonMember* m = given[i];
            const ParameterInfo& info = parameterTable()[i];
            if (!m || &info == &levelsInfo) continue;
            if (info.scope == ParameterScope::Global) {
                if (m->isArray || m->hasNested) fail(m->placeOfValue(), m->key, shapeProblem(info, p.levels));
                info.set(p, numberOf(m->scalar, info, m->key, p.levels));
                continue;
            }
            if (!m->isArray || m->hasNested) fail(m->placeOfValue(), m->key, shapeProblem(info, p.levels));
            if (m->elements.size() != p.levels)
                fail(m->valueOffset, m->key,
                     "has " + std::to_string(m->elements.size()) + " entries but levels is " +
                         std::to_string(p.levels) + "; accepted: exactly one entry per level");
            for (size_t level = 0; level < p.levels; ++level) {
                const std::string field = m->key + "[" + std::to_string(level) + "]";
                info.set(p, numberOf(m->elements[level], info, field, p.levels), level);
            }
        }
        return species;
    }

    uint32_t baseType(const JsonMember& m) const {
        const std::string accepted = "; accepted: a preset number or display name: " + presetChoices();
        if (m.isArray || m.hasNested) fail(m.placeOfValue(), "base", "not a preset" + accepted);
        const JsonScalar& s = m.scalar;
        if (s.kind == JsonScalar::Number) {
            if (s.number >= 0 && s.number < TREE_TYPE_COUNT && s.number == std::trunc(s.number))
                return static_cast<uint32_t>(s.number);
            fail(s.offset, "base", numberText(s.number) + " names no preset" + accepted);
        }
        if (s.kind == JsonScalar::String) {
            for (uint32_t type = 0; type < TREE_TYPE_COUNT; ++type)
                if (sameIgnoringCase(s.text, presetName(type))) return type;
            fail(s.offset, "base", "\"" + s.text + "\" names no preset" + accepted);
        }
        fail(s.offset, "base", "not a preset" + accepted);
    }

    std::string_view text_;
    const std::string& file_;
    size_t objectOffset_ = 0;
};

std::string messageOf(const std::string& file, size_t line, size_t column, const std::string& field,
                      const std::string& problem) {
    std::string out = file;
    if (line > 0) out += ":" + std::to_string(line) + ":" + std::to_string(column);
    out += ": ";
    if (!field.empty()) out += field + ": ";
    return out + problem;
}

} // namespace

SpeciesError::SpeciesError(std::string file, size_t line, size_t column, std::string field,
                           const std::string& problem)
    : std::runtime_error(messageOf(file, line, column, field, problem)), file_(std::move(file)),
      line_(line), column_(column), field_(std::move(field)), problem_(problem) {}

void resizeLevels(TreeParameters& p, uint8_t count) {
    const uint8_t before = p.levels;
    p.setLevels(count);
    // Shrinking only truncates; a set without levels has nothing to repeat.
    if (before == 0 || count <= before) return;
    for (const ParameterInfo& info : parameterTable()) {
        if (info.scope != ParameterScope::PerLevel) continue;
        const double last = info.get(p, before - 1);
        for (size_t level = before; level < count; ++level) info.set(p, last, level);
    }
}

Species parseSpecies(std::string_view text, const std::string& fileName) {
    return SpeciesReader(text, fileName).read();
}

Species readSpeciesFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw SpeciesError(path, 0, 0, "", std::string("cannot open: ") + std::strerror(errno));
    // Read one byte past the limit, enough to know the file is too large.
    std::string text(SPECIES_FILE_MAX_BYTES + 1, '\0');
    in.read(text.data(), std::streamsize(text.size()));
    text.resize(size_t(in.gcount()));
    if (in.bad()) throw SpeciesError(path, 0, 0, "", "cannot read the file");
    if (text.size() > SPECIES_FILE_MAX_BYTES)
        throw SpeciesError(path, 0, 0, "",
                           "the file is larger than " + std::to_string(SPECIES_FILE_MAX_BYTES) +
                               " bytes, the limit for species files");
    Species species = parseSpecies(text, path);
    if (species.name.empty()) {
        // No name in the file: its name without folder and extension.
        const size_t slash = path.find_last_of('/');
        std::string stem = slash == std::string::npos ? path : path.substr(slash + 1);
        if (const size_t dot = stem.rfind('.'); dot != std::string::npos && dot > 0) stem.resize(dot);
        species.name = stem;
    }
    return species;
}

std::string speciesFileText(const TreeParameters& p, const std::string& name, const std::string& leafTexture) {
    std::string out = "{\n  \"name\": " + Json(name).dump(-1, ' ', false, Json::error_handler_t::replace);
    if (!leafTexture.empty())
        out += ",\n  \"leafTexture\": " + Json(leafTexture).dump(-1, ' ', false, Json::error_handler_t::replace);
    for (const ParameterInfo& info : parameterTable()) {
        out += ",\n  \"";
        out += info.name;
        out += "\": ";
        auto value = [&](size_t level) {
            return info.type == ParameterType::Float ? floatText(static_cast<float>(info.get(p, level)))
                                                     : numberText(info.get(p, level));
        };
        if (info.scope == ParameterScope::Global) {
            out += value(0);
            continue;
        }
        out += "[";
        for (size_t level = 0; level < p.levels; ++level) out += (level ? ", " : "") + value(level);
        out += "]";
    }
    return out + "\n}\n";
}

void applyOverride(TreeParameters& p, std::string_view assignment) {
    const std::string file = "--set " + std::string(assignment);
    const size_t equals = assignment.find('=');
    if (equals == std::string_view::npos)
        throw SpeciesError(file, 0, 0, "", "expected NAME=VALUE or NAME[LEVEL]=VALUE");
    std::string_view name = assignment.substr(0, equals);
    const std::string_view valueText = assignment.substr(equals + 1);

    std::optional<size_t> level;
    if (const size_t open = name.find('['); open != std::string_view::npos) {
        const std::string_view index = name.substr(open + 1);
        size_t n = 0;
        const auto [end, ec] = std::from_chars(index.data(), index.data() + index.size(), n);
        if (ec != std::errc() || end == index.data() || end + 1 != index.data() + index.size() || *end != ']')
            throw SpeciesError(file, 0, 0, std::string(name), "expected NAME[LEVEL] with a level number");
        level = n;
        name = name.substr(0, open);
    }
    const ParameterInfo* info = findParameter(name);
    if (!info)
        throw SpeciesError(file, 0, 0, std::string(name),
                           "unknown field; did you mean \"" + std::string(nearestParameterName(name)) + "\"?");
    if (level && info->scope == ParameterScope::Global)
        throw SpeciesError(file, 0, 0, std::string(name), "a global field takes no [LEVEL]");
    if (level && *level >= p.levels)
        throw SpeciesError(file, 0, 0, std::string(name),
                           "level " + std::to_string(*level) + " does not exist; accepted: 0.." +
                               std::to_string(int(p.levels) - 1));

    double value = 0.0;
    const auto [end, ec] = std::from_chars(valueText.data(), valueText.data() + valueText.size(), value);
    if (valueText.empty() || end != valueText.data() + valueText.size() ||
        (ec != std::errc() && ec != std::errc::result_out_of_range))
        throw SpeciesError(file, 0, 0, std::string(name),
                           "\"" + std::string(valueText) + "\" is not a number; accepted: " + acceptedText(*info));
    if (ec == std::errc::result_out_of_range) value = std::numeric_limits<double>::infinity();
    const std::string field = level ? std::string(name) + "[" + std::to_string(*level) + "]" : std::string(name);
    if (auto problem = valueProblem(*info, value)) throw SpeciesError(file, 0, 0, field, *problem);

    if (std::string_view(info->name) == "levels")
        resizeLevels(p, static_cast<uint8_t>(value));
    else if (info->scope == ParameterScope::Global)
        info->set(p, value);
    else if (level)
        info->set(p, value, *level);
    else
        for (size_t l = 0; l < p.levels; ++l) info->set(p, value, l);
}

std::string speciesSchemaText() {
    Json properties = Json::object();
    properties["name"] = {{"type", "string"}, {"description", "display name of the species"}};
    Json presets = Json::array();
    for (uint32_t type = 0; type < TREE_TYPE_COUNT; ++type) presets.push_back(presetName(type));
    properties["base"] = {
        {"description", "a preset to start from (number or display name, any case); the file then "
                        "gives only the fields it changes"},
        {"oneOf", {{{"type", "integer"}, {"minimum", 0}, {"maximum", TREE_TYPE_COUNT - 1}},
                   {{"type", "string"}, {"enum", presets}}}}};
    properties["leafTexture"] = {
        {"type", "string"},
        {"minLength", 1},
        {"description", "the leaf atlas: a name in the media (tree_leaves_pack1.tga, the default; "
                        "tree_leaves_round.tga, tree_leaves_narrow.tga, tree_leaves_needles.tga, "
                        "tree_leaves_frond.tga) or the path of an image with alpha, relative to this "
                        "file; four leaf pictures, one per quarter, stalk at the bottom"}};
    Json required = Json::array();
    for (const ParameterInfo& info : parameterTable()) {
        Json value = {{"type", info.isInteger() ? "integer" : "number"},
                      {"minimum", info.minimum},
                      {"maximum", info.maximum}};
        const std::string description = std::string(info.meaning) + " [" + info.unit + "; " +
                                        groupName(info.group) +
                                        (info.readByGrowth ? "" : "; no effect on the tree") + "]";
        if (info.scope == ParameterScope::Global) {
            value["description"] = description;
            properties[info.name] = value;
        } else {
            properties[info.name] = {{"description", description + " one entry per level"},
                                     {"type", "array"},
                                     {"items", value},
                                     {"minItems", 1},
                                     {"maxItems", 255}};
        }
        required.push_back(info.name);
    }
    const Json schema = {
        {"$schema", "https://json-schema.org/draft/2020-12/schema"},
        {"title", "Tree species"},
        {"description", "The growth parameters of one tree species. Per-level arrays hold exactly "
                        "\"levels\" entries."},
        {"type", "object"},
        {"properties", properties},
        {"additionalProperties", false},
        {"if", {{"not", {{"required", {"base"}}}}}},
        {"then", {{"required", required}}},
    };
    return schema.dump(2) + "\n";
}
