// The seven species presets and their display names.
#include "TreeParameters.h"
#include "TreeType.h"

#include <array>  // Required for: std::array
#include <cmath>  // Required for: std::isnan
#include <limits> // Required for: quiet_NaN, min

namespace {

// Marks a value the preset leaves as it was.
constexpr float K = std::numeric_limits<float>::quiet_NaN();
constexpr int32_t KI = std::numeric_limits<int32_t>::min();

using Floats = std::array<float, 4>;
using Ints = std::array<int32_t, 4>;

struct Preset {
    const char* name;
    uint8_t levels;
    uint8_t shape;
    float baseSize, scale, scaleV, zScale, zScaleV, ratio, ratioPower;
    uint8_t lobes;
    float lobeDepth, flare;
    int32_t leaves;
    int32_t leafShape; // KI: not written
    float leafScale, leafScaleX, leafQuality, attractionUp, pruneRatio, scale0, scale0V;
    Floats downAngle, downAngleV, rotate, rotateV, length, lengthV, taper;
    Ints branches;
    Floats segSplits, splitAngle, splitAngleV;
    Ints curveRes;
    Floats curve, curveBack, curveV;
    Ints ringVertices;
};

// Entries beyond a preset's levels are never read; they are left 0 here.
constexpr Preset kPresets[TREE_TYPE_COUNT] = {
    {"Simple", 3, 4, 0.3f, 10, 0, 1, 0, 0.015f, 1.2f, 0, 0, 0, 0, 0, 1, 1, 0, 0, K, 1, 0,
     {K, 45, 20}, {K, 0, 0}, {K, 90, 120}, {K, 0, 0}, {1, 0.4f, 1}, {0, 0, 0},
     {1.8f, 1.8f, 1.3f}, {KI, 4, 6}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {4, 4, 3},
     {0, 60, 90}, {0, 0, 0}, {0, 0, 0}, {6, 4, 4}},
    {"Quaking Aspen", 3, 7, 0.3f, 13, 3, 1, 0, 0.015f, 1.2f, 5, 0.07f, 0.6f, 25, KI, 0.25f, 1, 1,
     0.5f, 0, 1, 0,
     {K, 60, 45}, {K, -50, 10}, {K, 140, 140}, {K, 0, 0}, {1, 0.3f, 0.6f}, {0, 0, 0},
     {1, 1, 1}, {1, 50, 35}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {3, 5, 3},
     {0, -40, -40}, {0, 0, 0}, {20, 50, 75}, {6, 6, 4}},
    {"Black Tupelo", 4, 4, 0.2f, 23, 5, 1, 0, 0.015f, 1.3f, 3, 0.1f, 1, 6, 0, 0.3f, 0.5f, 1.25f,
     0.5f, K, 1, 0,
     {K, 60, 30, 45}, {K, -40, 10, 10}, {K, 140, 140, 140}, {K, 0, 0, 0}, {1, 0.3f, 0.6f, 0.4f},
     {0, 0.05f, 0.1f, 0}, {1.1f, 1, 1, 1}, {KI, 50, 25, 12}, {0, 0, 0, 0}, {0, 0, 0, 0},
     {0, 0, 0, 0}, {10, 10, 10, 1}, {0, 0, 10, 0}, {0, 0, 0, 0}, {40, 90, 150, 0}, {24, 6, 6, 3}},
    {"Weeping Willow", 4, 3, 0.05f, 15, 5, 1, 0, 0.03f, 2, 9, 0.03f, 0.75f, 10, 0, 0.2f, 0.2f, 1,
     -2, K, 1, 0,
     {K, 20, 30, 20}, {K, 10, 10, 10}, {K, -120, -120, 140}, {K, 30, 30, 0},
     {0.8f, 0.5f, 1.5f, 0.1f}, {0, 0.1f, 0, 0}, {1, 1, 1, 1}, {KI, 25, 10, 100},
     {0.1f, 0.2f, 0.2f, 0}, {3, 30, 45, 0}, {0, 10, 20, 0}, {8, 16, 12, 1}, {0, 40, 0, 0},
     {20, 80, 0, 0}, {120, 90, 0, 0}, {24, 6, 6, 3}},
    {"Lombardy Poplar", 3, 2, 0, 25, 5, 1, 0, 0.015f, 1.3f, 7, 0.05f, 0.8f, 25, 0, 0.25f, 1, 1,
     0.5f, K, 0.8f, 0,
     {K, 30, 30}, {K, 0, 10}, {K, 77, 77}, {K, 0, 0}, {1, 0.3f, 0.4f}, {0, 0, 0}, {1, 1, 1},
     {KI, 40, 30}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {1, 3, 3}, {0, -20, -20}, {0, 0, 0},
     {15, 0, 40}, {24, 6, 4}},
    {"Palm", 2, 4, 0.95f, 12, 10, 1, 0, 0.015f, 2, 0, 0, 0, 250, 0, 0.6f, 0.06f, 1, 0, K, 1, 0,
     {K, 70}, {K, -80}, {K, 120}, {K, 60}, {1, 0.4f}, {0, 0.05f}, {2.1f, 1}, {KI, 33}, {0, 0},
     {0, 0}, {0, 0}, {60, 9}, {20, 50}, {-5, 0}, {10, 20}, {16, 8}},
    {"European Larch", 3, 0, 0.25f, 15, 7, 1, 0, 0.015f, 1.3f, 0, 0, 0.3f, 100, 0, 0.15f, 0.2f,
     0.5f, -2, K, 1, 0,
     {K, 60, 70}, {K, -50, 30}, {K, 70, 70}, {K, 30, 30}, {1, 0.25f, 0.3f}, {0, 0.15f, 0.1f},
     {1, 1, 1}, {KI, 60, 50}, {0, 0, 0.15f}, {0, 0, 40}, {0, 0, 10}, {20, 17, 7}, {0, 20, 0},
     {0, -20, K}, {20, 120, 0}, {24, 6, 4}},
};

void put(float& field, float value) {
    if (!std::isnan(value)) field = value;
}

void put(int32_t& field, int32_t value) {
    if (value != KI) field = value;
}

template <class T, class V> void putLevels(std::vector<T>& array, const V& values, uint8_t levels) {
    for (uint8_t i = 0; i < levels; ++i) put(array[i], values[i]);
}

const Preset& presetFor(uint32_t type) {
    // 1 and every number without a preset of its own select Quaking Aspen.
    return kPresets[type < TREE_TYPE_COUNT ? type : TREE_QUAKING_ASPEN];
}

} // namespace

void TreeParameters::loadPreset(uint32_t type_) {
    type = type_;
    const Preset& p = presetFor(type_);
    // Resizing replaces the arrays, so it must come before any entry is written.
    setLevels(p.levels);

    shape = p.shape;
    baseSize = p.baseSize;
    scale = p.scale;
    scaleV = p.scaleV;
    zScale = p.zScale;
    zScaleV = p.zScaleV;
    ratio = p.ratio;
    ratioPower = p.ratioPower;
    lobes = p.lobes;
    lobeDepth = p.lobeDepth;
    flare = p.flare;
    leaves = p.leaves;
    if (p.leafShape != KI) leafShape = static_cast<uint8_t>(p.leafShape);
    leafScale = p.leafScale;
    leafScaleX = p.leafScaleX;
    leafQuality = p.leafQuality;
    attractionUp = p.attractionUp;
    put(pruneRatio, p.pruneRatio);
    scale0 = p.scale0;
    scale0V = p.scale0V;

    putLevels(downAngle, p.downAngle, levels);
    putLevels(downAngleV, p.downAngleV, levels);
    putLevels(rotate, p.rotate, levels);
    putLevels(rotateV, p.rotateV, levels);
    putLevels(length, p.length, levels);
    putLevels(lengthV, p.lengthV, levels);
    putLevels(taper, p.taper, levels);
    putLevels(branches, p.branches, levels);
    putLevels(segSplits, p.segSplits, levels);
    putLevels(splitAngle, p.splitAngle, levels);
    putLevels(splitAngleV, p.splitAngleV, levels);
    putLevels(curveRes, p.curveRes, levels);
    putLevels(curve, p.curve, levels);
    putLevels(curveBack, p.curveBack, levels);
    putLevels(curveV, p.curveV, levels);
    putLevels(ringVertices, p.ringVertices, levels);
}

std::string TreeParameters::getTypeName() const {
    return type < TREE_TYPE_COUNT ? kPresets[type].name : "";
}
