// The seven species presets and their display names. Each preset names the
// fields it writes; the parameter table resolves the names, so a preset
// cannot put a value into the wrong field.
#include "ParameterTable.h"
#include "TreeParameters.h"
#include "TreeType.h"

#include <array>  // Required for: std::array
#include <cassert> // Required for: assert
#include <cmath>  // Required for: std::isnan
#include <limits> // Required for: quiet_NaN
#include <vector> // Required for: std::vector

namespace {

// Marks a value the preset leaves as it was.
constexpr double KEEP = std::numeric_limits<double>::quiet_NaN();

// One global field's value.
struct Value {
    const char* field;
    double value;
};

// A per-level field's entries; only the first `levels` are written.
struct Entries {
    const char* field;
    std::array<double, 4> values;
};

struct Preset {
    const char* name;
    uint8_t levels;
    std::vector<Value> globals;
    std::vector<Entries> entries;
};

// Fields a preset does not list keep their value.
const std::array<Preset, TREE_TYPE_COUNT>& presets() {
    static const std::array<Preset, TREE_TYPE_COUNT> table = {{
        {"Simple", 3,
         {{"shape", 4}, {"baseSize", 0.3}, {"scale", 10}, {"scaleV", 0}, {"zScale", 1}, {"zScaleV", 0},
          {"ratio", 0.015}, {"ratioPower", 1.2}, {"lobes", 0}, {"lobeDepth", 0}, {"flare", 0},
          {"leaves", 0}, {"leafShape", 0}, {"leafScale", 1}, {"leafScaleX", 1}, {"leafQuality", 0},
          {"attractionUp", 0}, {"scale0", 1}, {"scale0V", 0}},
         {{"downAngle", {KEEP, 45, 20}},
          {"downAngleV", {KEEP, 0, 0}},
          {"rotate", {KEEP, 90, 120}},
          {"rotateV", {KEEP, 0, 0}},
          {"length", {1, 0.4, 1}},
          {"lengthV", {0, 0, 0}},
          {"taper", {1.8, 1.8, 1.3}},
          {"branches", {KEEP, 4, 6}},
          {"segSplits", {0, 0, 0}},
          {"splitAngle", {0, 0, 0}},
          {"splitAngleV", {0, 0, 0}},
          {"curveRes", {4, 4, 3}},
          {"curve", {0, 60, 90}},
          {"curveBack", {0, 0, 0}},
          {"curveV", {0, 0, 0}},
          {"ringVertices", {6, 4, 4}}}},
        {"Quaking Aspen", 3,
         {{"shape", 7}, {"baseSize", 0.3}, {"scale", 13}, {"scaleV", 3}, {"zScale", 1}, {"zScaleV", 0},
          {"ratio", 0.015}, {"ratioPower", 1.2}, {"lobes", 5}, {"lobeDepth", 0.07}, {"flare", 0.6},
          {"leaves", 25}, {"leafScale", 0.25}, {"leafScaleX", 1}, {"leafQuality", 1},
          {"attractionUp", 0.5}, {"pruneRatio", 0}, {"scale0", 1}, {"scale0V", 0}},
         {{"downAngle", {KEEP, 60, 45}},
          {"downAngleV", {KEEP, -50, 10}},
          {"rotate", {KEEP, 140, 140}},
          {"rotateV", {KEEP, 0, 0}},
          {"length", {1, 0.3, 0.6}},
          {"lengthV", {0, 0, 0}},
          {"taper", {1, 1, 1}},
          {"branches", {1, 50, 35}},
          {"segSplits", {0, 0, 0}},
          {"splitAngle", {0, 0, 0}},
          {"splitAngleV", {0, 0, 0}},
          {"curveRes", {3, 5, 3}},
          {"curve", {0, -40, -40}},
          {"curveBack", {0, 0, 0}},
          {"curveV", {20, 50, 75}},
          {"ringVertices", {6, 6, 4}}}},
        {"Black Tupelo", 4,
         {{"shape", 4}, {"baseSize", 0.2}, {"scale", 23}, {"scaleV", 5}, {"zScale", 1}, {"zScaleV", 0},
          {"ratio", 0.015}, {"ratioPower", 1.3}, {"lobes", 3}, {"lobeDepth", 0.1}, {"flare", 1},
          {"leaves", 6}, {"leafShape", 0}, {"leafScale", 0.3}, {"leafScaleX", 0.5},
          {"leafQuality", 1.25}, {"attractionUp", 0.5}, {"scale0", 1}, {"scale0V", 0}},
         {{"downAngle", {KEEP, 60, 30, 45}},
          {"downAngleV", {KEEP, -40, 10, 10}},
          {"rotate", {KEEP, 140, 140, 140}},
          {"rotateV", {KEEP, 0, 0, 0}},
          {"length", {1, 0.3, 0.6, 0.4}},
          {"lengthV", {0, 0.05, 0.1, 0}},
          {"taper", {1.1, 1, 1, 1}},
          {"branches", {KEEP, 50, 25, 12}},
          {"segSplits", {0, 0, 0, 0}},
          {"splitAngle", {0, 0, 0, 0}},
          {"splitAngleV", {0, 0, 0, 0}},
          {"curveRes", {10, 10, 10, 1}},
          {"curve", {0, 0, 10, 0}},
          {"curveBack", {0, 0, 0, 0}},
          {"curveV", {40, 90, 150, 0}},
          {"ringVertices", {24, 6, 6, 3}}}},
        {"Weeping Willow", 4,
         {{"shape", 3}, {"baseSize", 0.05}, {"scale", 15}, {"scaleV", 5}, {"zScale", 1}, {"zScaleV", 0},
          {"ratio", 0.03}, {"ratioPower", 2}, {"lobes", 9}, {"lobeDepth", 0.03}, {"flare", 0.75},
          {"leaves", 10}, {"leafShape", 0}, {"leafScale", 0.2}, {"leafScaleX", 0.2},
          {"leafQuality", 1}, {"attractionUp", -2}, {"scale0", 1}, {"scale0V", 0}},
         {{"downAngle", {KEEP, 20, 30, 20}},
          {"downAngleV", {KEEP, 10, 10, 10}},
          {"rotate", {KEEP, -120, -120, 140}},
          {"rotateV", {KEEP, 30, 30, 0}},
          {"length", {0.8, 0.5, 1.5, 0.1}},
          {"lengthV", {0, 0.1, 0, 0}},
          {"taper", {1, 1, 1, 1}},
          {"branches", {KEEP, 25, 10, 100}},
          {"segSplits", {0.1, 0.2, 0.2, 0}},
          {"splitAngle", {3, 30, 45, 0}},
          {"splitAngleV", {0, 10, 20, 0}},
          {"curveRes", {8, 16, 12, 1}},
          {"curve", {0, 40, 0, 0}},
          {"curveBack", {20, 80, 0, 0}},
          {"curveV", {120, 90, 0, 0}},
          {"ringVertices", {24, 6, 6, 3}}}},
        {"Lombardy Poplar", 3,
         {{"shape", 2}, {"baseSize", 0}, {"scale", 25}, {"scaleV", 5}, {"zScale", 1}, {"zScaleV", 0},
          {"ratio", 0.015}, {"ratioPower", 1.3}, {"lobes", 7}, {"lobeDepth", 0.05}, {"flare", 0.8},
          {"leaves", 25}, {"leafShape", 0}, {"leafScale", 0.25}, {"leafScaleX", 1},
          {"leafQuality", 1}, {"attractionUp", 0.5}, {"scale0", 0.8}, {"scale0V", 0}},
         {{"downAngle", {KEEP, 30, 30}},
          {"downAngleV", {KEEP, 0, 10}},
          {"rotate", {KEEP, 77, 77}},
          {"rotateV", {KEEP, 0, 0}},
          {"length", {1, 0.3, 0.4}},
          {"lengthV", {0, 0, 0}},
          {"taper", {1, 1, 1}},
          {"branches", {KEEP, 40, 30}},
          {"segSplits", {0, 0, 0}},
          {"splitAngle", {0, 0, 0}},
          {"splitAngleV", {0, 0, 0}},
          {"curveRes", {1, 3, 3}},
          {"curve", {0, -20, -20}},
          {"curveBack", {0, 0, 0}},
          {"curveV", {15, 0, 40}},
          {"ringVertices", {24, 6, 4}}}},
        {"Palm", 2,
         {{"shape", 4}, {"baseSize", 0.95}, {"scale", 12}, {"scaleV", 10}, {"zScale", 1}, {"zScaleV", 0},
          {"ratio", 0.015}, {"ratioPower", 2}, {"lobes", 0}, {"lobeDepth", 0}, {"flare", 0},
          {"leaves", 250}, {"leafShape", 0}, {"leafScale", 0.6}, {"leafScaleX", 0.06},
          {"leafQuality", 1}, {"attractionUp", 0}, {"scale0", 1}, {"scale0V", 0}},
         {{"downAngle", {KEEP, 70}},
          {"downAngleV", {KEEP, -80}},
          {"rotate", {KEEP, 120}},
          {"rotateV", {KEEP, 60}},
          {"length", {1, 0.4}},
          {"lengthV", {0, 0.05}},
          {"taper", {2.1, 1}},
          {"branches", {KEEP, 33}},
          {"segSplits", {0, 0}},
          {"splitAngle", {0, 0}},
          {"splitAngleV", {0, 0}},
          {"curveRes", {60, 9}},
          {"curve", {20, 50}},
          {"curveBack", {-5, 0}},
          {"curveV", {10, 20}},
          {"ringVertices", {16, 8}}}},
        {"European Larch", 3,
         {{"shape", 0}, {"baseSize", 0.25}, {"scale", 15}, {"scaleV", 7}, {"zScale", 1}, {"zScaleV", 0},
          {"ratio", 0.015}, {"ratioPower", 1.3}, {"lobes", 0}, {"lobeDepth", 0}, {"flare", 0.3},
          {"leaves", 100}, {"leafShape", 0}, {"leafScale", 0.15}, {"leafScaleX", 0.2},
          {"leafQuality", 0.5}, {"attractionUp", -2}, {"scale0", 1}, {"scale0V", 0}},
         {{"downAngle", {KEEP, 60, 70}},
          {"downAngleV", {KEEP, -50, 30}},
          {"rotate", {KEEP, 70, 70}},
          {"rotateV", {KEEP, 30, 30}},
          {"length", {1, 0.25, 0.3}},
          {"lengthV", {0, 0.15, 0.1}},
          {"taper", {1, 1, 1}},
          {"branches", {KEEP, 60, 50}},
          {"segSplits", {0, 0, 0.15}},
          {"splitAngle", {0, 0, 40}},
          {"splitAngleV", {0, 0, 10}},
          {"curveRes", {20, 17, 7}},
          {"curve", {0, 20, 0}},
          {"curveBack", {0, -20, KEEP}},
          {"curveV", {20, 120, 0}},
          {"ringVertices", {24, 6, 4}}}},
    }};
    return table;
}

const Preset& presetFor(uint32_t type) {
    // 1 and every number without a preset of its own select Quaking Aspen.
    return presets()[type < TREE_TYPE_COUNT ? type : TREE_QUAKING_ASPEN];
}

// The table entry of a field a preset names; the names are constants of this file.
const ParameterInfo& parameter(const char* field) {
    const ParameterInfo* info = findParameter(field);
    assert(info && "a preset names a field the parameter table does not know");
    return *info;
}

} // namespace

void TreeParameters::loadPreset(uint32_t type_) {
    type = type_;
    const Preset& preset = presetFor(type_);
    // Resizing replaces the arrays, so it must come before any entry is written.
    setLevels(preset.levels);
    for (const Value& v : preset.globals) parameter(v.field).set(*this, v.value);
    for (const Entries& e : preset.entries) {
        const ParameterInfo& info = parameter(e.field);
        for (size_t level = 0; level < levels; ++level)
            if (!std::isnan(e.values[level])) info.set(*this, e.values[level], level);
    }
}

std::string TreeParameters::getTypeName() const {
    return type < TREE_TYPE_COUNT ? presets()[type].name : "";
}
