// Species files: a parameter set as JSON, every field by its table name.
// Reading records where each key and value starts, so that every complaint
// can point at the exact place in the file.
#include "SpeciesFile.h"

#include "ParameterTable.h"
#include "TreeType.h"

#include <algorithm>          // Required for: std::equal, std::max
#include <cctype>             // Required for: std::tolower
#include <cerrno>             // Required for: errno
#include <charconv>           // Required for: std::to_chars, std::from_chars
#include <cmath>              // Required for: std::isfinite, std::trunc
#include <cstring>            // Required for: std::strerror
#include <fstream>            // Required for: std::ifstream
#include <iterator>           // Required for: std::forward_iterator_tag
#include <limits>             // Required for: std::numeric_limits
#include <nlohmann/json.hpp>  // Required for: nlohmann::json, json_sax
#include <optional>           // Required for: std::optional
#include <vector>             // Required for: std::vector

namespace {

using Json = nlohmann::json;

// A place in the text: byte offset, and line and column counted from 1.
struct Place {
    size_t line = 0;
    size_t column = 0;
};

// The line and column of byte `offset` of `text`; columns count characters, not bytes.
Place placeOf(std::string_view text, size_t offset) {
    Place place{1, 1};
    offset = std::min(offset, text.size());
    for (size_t i = 0; i < offset; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\n') {
            ++place.line;
            place.column = 1;
        } else if ((c & 0xC0) != 0x80) {
            ++place.column;
        }
    }
    return place;
}

// The offset of the first byte that is not part of well-formed UTF-8, or npos.
size_t firstInvalidUtf8(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        size_t extra;
        uint32_t code;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1;
            code = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
            code = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3;
            code = c & 0x07;
        } else {
            return i;
        }
        if (extra >= text.size() - i) return i;
        for (size_t k = 1; k <= extra; ++k) {
            const unsigned char d = static_cast<unsigned char>(text[i + k]);
            if ((d & 0xC0) != 0x80) return i;
            code = (code << 6) | (d & 0x3F);
        }
        // Overlong forms, UTF-16 surrogates and values past U+10FFFF.
        static constexpr uint32_t kSmallest[4] = {0, 0x80, 0x800, 0x10000};
        if (code < kSmallest[extra] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return i;
        i += 1 + extra;
    }
    return std::string_view::npos;
}

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

// A pointer into the text that tells where the parser has read to.
class CountingIterator {
public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = const char&;

    CountingIterator(const char* at, const char** furthest) : at_(at), furthest_(furthest) {}
    reference operator*() const { return *at_; }
    CountingIterator& operator++() {
        ++at_;
        if (at_ > *furthest_) *furthest_ = at_;
        return *this;
    }
    CountingIterator operator++(int) {
        CountingIterator before = *this;
        ++*this;
        return before;
    }
    bool operator==(const CountingIterator& other) const { return at_ == other.at_; }
    bool operator!=(const CountingIterator& other) const { return at_ != other.at_; }

private:
    const char* at_;
    const char** furthest_;
};

// One scalar of the file with the offset where it starts.
struct Scalar {
    enum Kind { Number, String, Boolean, Null } kind = Null;
    double number = 0.0;
    std::string text;
    size_t offset = 0;
};

// One top-level member: a scalar or an array of scalars.
struct Member {
    std::string key;
    size_t keyOffset = 0;
    bool isArray = false;
    bool hasNested = false; // an object, or an array inside the array
    size_t nestedOffset = 0; // where the first such one starts
    size_t valueOffset = 0;
    Scalar scalar;
    std::vector<Scalar> elements;
};

// The failure found while parsing, before any field is looked at.
struct Failure {
    size_t offset;
    std::string field;
    std::string problem;
};

// Collects the members of the top-level object with their places.
class Collector : public nlohmann::json_sax<Json> {
public:
    Collector(std::string_view text, const char** furthest) : text_(text), furthest_(furthest) {}

    std::vector<Member> members;
    size_t objectOffset = 0;
    std::optional<Failure> failure;

    bool null() override { return scalar({Scalar::Null, 0.0, "", endOffset() - 4}); }
    bool boolean(bool value) override {
        return scalar({Scalar::Boolean, value ? 1.0 : 0.0, "", endOffset() - (value ? 4 : 5)});
    }
    bool number_integer(number_integer_t value) override { return number(double(value)); }
    bool number_unsigned(number_unsigned_t value) override { return number(double(value)); }
    bool number_float(number_float_t value, const string_t&) override { return number(value); }
    bool string(string_t& value) override {
        return scalar({Scalar::String, 0.0, value, stringStart()});
    }
    bool binary(binary_t&) override { return false; }
    bool start_object(std::size_t) override {
        const size_t at = endOffset() - 1;
        if (depth_ == 0) {
            objectOffset = at;
            ++depth_;
            return true;
        }
        return nested(at);
    }
    bool key(string_t& value) override {
        if (depth_ != 1) return true; // inside a nested object: reported with its member
        Member& m = members.emplace_back();
        m.key = value;
        m.keyOffset = stringStart();
        return true;
    }
    bool end_object() override {
        --depth_;
        return true;
    }
    bool start_array(std::size_t) override {
        const size_t at = endOffset() - 1;
        if (depth_ == 0) return topLevelNotObject(at);
        if (depth_ == 1) {
            members.back().isArray = true;
            members.back().valueOffset = at;
            ++depth_;
            return true;
        }
        return nested(at);
    }
    bool end_array() override {
        --depth_;
        return true;
    }
    bool parse_error(std::size_t position, const std::string&,
                     const nlohmann::detail::exception& ex) override {
        const size_t at = position == 0 ? 0 : position - 1;
        std::string detail = ex.what();
        // nlohmann's text reads "[json.exception...] parse error at line L, column C: WHAT".
        if (const size_t colon = detail.find(": "); colon != std::string::npos)
            detail = detail.substr(colon + 2);
        // The member being read when the parser stopped, if any.
        std::string field;
        if (depth_ >= 1 && !members.empty() && members.back().keyOffset < at) field = members.back().key;
        if (ex.id == 406) {
            // A number too large for a double, such as 1e999.
            size_t start = at;
            while (start > 0 && text_[start - 1] != ':' && text_[start - 1] != '[' && text_[start - 1] != ',' &&
                   text_[start - 1] != ' ' && text_[start - 1] != '\n' && text_[start - 1] != '\t')
                --start;
            const ParameterInfo* info = findParameter(field);
            failure = Failure{start, field,
                              "not a finite number (too large); accepted: " +
                                  (info ? acceptedText(*info) : std::string("a finite number"))};
            return false;
        }
        if (position >= text_.size())
            failure = Failure{text_.size(), field,
                              "the file ends before its JSON is complete (truncated?); accepted: one "
                              "JSON object of species fields"};
        else
            failure = Failure{at, field, "not valid JSON: " + detail};
        return false;
    }

private:
    // Bytes the parser has read. A number is only known to end when the
    // character after it was read, so that one may be included.
    size_t endOffset() const { return size_t(*furthest_ - text_.data()); }

    // The opening quote of the string that just ended.
    size_t stringStart() const {
        size_t i = endOffset() - 1; // the closing quote
        while (i > 0) {
            --i;
            if (text_[i] != '"') continue;
            size_t slashes = 0;
            while (i > slashes && text_[i - 1 - slashes] == '\\') ++slashes;
            if (slashes % 2 == 0) return i;
        }
        return 0;
    }

    bool number(double value) {
        size_t i = endOffset();
        auto isNumberChar = [](char c) {
            return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == 'e' || c == 'E';
        };
        if (i > 0 && !isNumberChar(text_[i - 1])) --i; // the character after the number
        while (i > 0 && isNumberChar(text_[i - 1])) --i;
        return scalar({Scalar::Number, value, "", i});
    }

    bool scalar(Scalar s) {
        if (depth_ == 0) return topLevelNotObject(s.offset);
        Member& m = members.back();
        if (depth_ == 1) {
            m.scalar = std::move(s);
            m.valueOffset = m.scalar.offset;
        } else if (depth_ == 2) {
            m.elements.push_back(std::move(s));
        }
        return true;
    }

    bool nested(size_t at) {
        Member& m = members.back();
        if (!m.hasNested) m.nestedOffset = at;
        m.hasNested = true;
        ++depth_;
        return true;
    }

    bool topLevelNotObject(size_t at) {
        failure = Failure{at, "", "the file holds no JSON object; accepted: one JSON object of species fields"};
        return false;
    }

    std::string_view text_;
    const char** furthest_;
    int depth_ = 0;
};

// Turns collected members into a parameter set, checking each against the table.
class SpeciesReader {
public:
    SpeciesReader(std::string_view text, const std::string& file) : text_(text), file_(file) {}

    [[noreturn]] void fail(size_t offset, const std::string& field, const std::string& problem) const {
        const Place place = placeOf(text_, offset);
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

        const char* furthest = text_.data();
        Collector collector(text_, &furthest);
        const CountingIterator first(text_.data(), &furthest), last(text_.data() + text_.size(), &furthest);
        const bool parsed = Json::sax_parse(first, last, &collector);
        if (collector.failure) fail(collector.failure->offset, collector.failure->field, collector.failure->problem);
        if (!parsed) fail(0, "", "not valid JSON");
        objectOffset_ = collector.objectOffset;
        return build(collector.members);
    }

private:
    // Where a value of the wrong shape starts: the object or inner array if
    // there is one, else the value itself.
    static size_t placeOfValue(const Member& m) { return m.hasNested ? m.nestedOffset : m.valueOffset; }

    std::string shapeProblem(const ParameterInfo& info, size_t levels) const {
        if (info.scope == ParameterScope::Global) return "expected " + acceptedText(info);
        return "expected an array of " + std::to_string(levels) + " entries (one per level), each " +
               acceptedText(info);
    }

    double numberOf(const Scalar& s, const ParameterInfo& info, const std::string& field, size_t levels) const {
        if (s.kind != Scalar::Number) fail(s.offset, field, "not a number; " + shapeProblem(info, levels));
        if (auto problem = valueProblem(info, s.number)) fail(s.offset, field, *problem);
        return s.number;
    }

    Species build(const std::vector<Member>& members) {
        const Member* name = nullptr;
        const Member* base = nullptr;
        std::vector<const Member*> given(parameterTable().size(), nullptr);
        // Every key is known and given once, before anything is applied.
        for (const Member& m : members) {
            const Member** slot;
            if (m.key == "name") {
                slot = &name;
            } else if (m.key == "base") {
                slot = &base;
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
            if (name->isArray || name->hasNested || name->scalar.kind != Scalar::String)
                fail(placeOfValue(*name), "name", "not a string; accepted: the species name as a string");
            species.name = name->scalar.text;
        }

        TreeParameters& p = *species.parameters;
        // The level count comes first: it decides the length of every array.
        const ParameterInfo& levelsInfo = *findParameter("levels");
        if (const Member* m = given[size_t(&levelsInfo - parameterTable().data())]) {
            if (m->isArray || m->hasNested) fail(placeOfValue(*m), m->key, shapeProblem(levelsInfo, 0));
            resizeLevels(p, static_cast<uint8_t>(numberOf(m->scalar, levelsInfo, m->key, 0)));
        }
        for (size_t i = 0; i < given.size(); ++i) {
            const Member* m = given[i];
            const ParameterInfo& info = parameterTable()[i];
            if (!m || &info == &levelsInfo) continue;
            if (info.scope == ParameterScope::Global) {
                if (m->isArray || m->hasNested) fail(placeOfValue(*m), m->key, shapeProblem(info, p.levels));
                info.set(p, numberOf(m->scalar, info, m->key, p.levels));
                continue;
            }
            if (!m->isArray || m->hasNested) fail(placeOfValue(*m), m->key, shapeProblem(info, p.levels));
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

    uint32_t baseType(const Member& m) const {
        const std::string accepted = "; accepted: a preset number or display name: " + presetChoices();
        if (m.isArray || m.hasNested) fail(placeOfValue(m), "base", "not a preset" + accepted);
        const Scalar& s = m.scalar;
        if (s.kind == Scalar::Number) {
            if (s.number >= 0 && s.number < TREE_TYPE_COUNT && s.number == std::trunc(s.number))
                return static_cast<uint32_t>(s.number);
            fail(s.offset, "base", numberText(s.number) + " names no preset" + accepted);
        }
        if (s.kind == Scalar::String) {
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
    if (before == 0) return;
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

std::string speciesFileText(const TreeParameters& p, const std::string& name) {
    std::string out = "{\n  \"name\": " + Json(name).dump(-1, ' ', false, Json::error_handler_t::replace);
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
