#pragma once

#include "TreeParameters.h"

#include <cstddef>     // Required for: size_t
#include <cstdint>     // Required for: uint8_t, int32_t, uint32_t
#include <span>        // Required for: std::span
#include <string_view> // Required for: std::string_view
#include <variant>     // Required for: std::variant
#include <vector>      // Required for: std::vector

// Whether a parameter is one value for the tree or one value per stem level.
enum class ParameterScope : uint8_t { Global, PerLevel };
// The C++ type of the field (of one entry, for a per-level array).
enum class ParameterType : uint8_t { UInt8, Int32, UInt32, Float };
// Where an editor shows the parameter.
enum class ParameterGroup : uint8_t { ShapeAndSize, TrunkAndRadius, Leaves, Level };

// The field a parameter lives in: a member pointer of TreeParameters.
using ParameterField =
    std::variant<uint8_t TreeParameters::*, int32_t TreeParameters::*, uint32_t TreeParameters::*,
                 float TreeParameters::*, std::vector<int32_t> TreeParameters::*,
                 std::vector<float> TreeParameters::*>;

// One growth parameter: everything the file reader and writer, --set, the
// schema, the editor and the documentation need to know about it.
struct ParameterInfo {
    const char* name;      // exactly the field's name in TreeParameters
    ParameterScope scope;
    ParameterType type;
    const char* unit;      // "degrees", "scene units", "count", "fraction", ...
    double minimum;        // the range growth handles safely, inclusive
    double maximum;
    bool readByGrowth;     // false: stored and copied, no effect on the tree
    ParameterGroup group;
    const char* meaning;   // one line
    ParameterField field;

    // The value (of entry `level` for a per-level parameter) as a double.
    double get(const TreeParameters& p, size_t level = 0) const;
    // Stores `value`, converted to the field's type (floats round to nearest,
    // integers truncate). The caller has range-checked it and, for a
    // per-level parameter, checked level < p.levels. Setting "levels"
    // resizes every per-level array through TreeParameters::setLevels.
    void set(TreeParameters& p, double value, size_t level = 0) const;
    // Whether the value is a whole number (every type but Float).
    bool isInteger() const { return type != ParameterType::Float; }
};

// Every field of TreeParameters except the three reserved words, in
// declared order: the globals, then the sixteen per-level arrays.
std::span<const ParameterInfo> parameterTable();
// The parameter of that exact name, or null.
const ParameterInfo* findParameter(std::string_view name);
// The known parameter name closest to `name` (fewest single-character edits),
// for "did you mean" messages.
const char* nearestParameterName(std::string_view name);

// Lower-case words for the enums, as documentation and the schema use them.
const char* scopeName(ParameterScope scope);
const char* typeName(ParameterType type);
const char* groupName(ParameterGroup group);
