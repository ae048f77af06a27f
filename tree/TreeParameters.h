#pragma once

#include "TreeType.h" // Required for: TREE_SIMPLE

#include <cstdint> // Required for: uint8_t, int32_t, uint32_t
#include <memory>  // Required for: std::unique_ptr
#include <string>  // Required for: std::string
#include <vector>  // Required for: std::vector

// Every number that decides the form of one tree species: global values and
// sixteen per-level arrays (entry n for stems of level n; level 0 is the
// trunk). A plain record: it computes nothing and checks no ranges.
class TreeParameters {
public:
    // Allocates the per-level arrays with `levels` entries (zero) and sets
    // leafAlpha to 255. Everything else is zero until a preset is loaded.
    explicit TreeParameters(uint8_t levels);

    // Resizes every per-level array: growing keeps the entries and zero-fills
    // the new ones, shrinking truncates, the same count changes nothing.
    void setLevels(uint8_t count);
    // A separately owned deep copy.
    std::unique_ptr<TreeParameters> clone() const;

    // Stores `type` and writes the species values (any number above 6 gives
    // the Quaking Aspen values). Entries a preset does not write keep theirs.
    void loadPreset(uint32_t type);
    uint32_t getType() const { return type; }
    // Display name of the stored type; "" for a number that names no preset.
    std::string getTypeName() const;
    float getScale() const { return scale; }
    int32_t getLeaves() const { return leaves; }
    uint8_t getLeafAlpha() const { return leafAlpha; }
    void setLeafAlpha(uint8_t alpha) { leafAlpha = alpha; }

    // Global fields, in declared order.
    uint32_t type = 0;         // species number (TreeType)
    uint8_t shape = 0;         // envelope number for shapeRatio, 0..8
    float baseSize = 0.0f;     // fraction of the trunk without branches
    uint8_t reservedA = 0;     // stored and copied, never read
    float scale = 0.0f;        // overall size
    float scaleV = 0.0f;       // variation of scale
    float zScale = 0.0f;       // not read
    float zScaleV = 0.0f;      // not read
    uint8_t levels = 0;        // number of stem levels = length of every array
    float ratio = 0.0f;        // trunk radius per unit of trunk length
    float ratioPower = 0.0f;   // exponent reducing child radii
    uint8_t lobes = 0;         // lobes on every cross-section ring
    float lobeDepth = 0.0f;    // relative depth of the lobes
    float flare = 0.0f;        // widening of the trunk near the ground
    int32_t leaves = 0;        // leaves per last-level stem, 0 = none
    uint8_t leafShape = 0;     // handed to each leaf, no effect
    float leafScale = 0.0f;    // leaf length before the quality factor
    float leafScaleX = 0.0f;   // leaf width relative to its length
    float leafQuality = 0.0f;  // multiplies the leaf count
    uint32_t reservedB = 0;    // stored and copied, never read
    uint8_t reservedC = 0;     // stored and copied, never read
    uint8_t leafAlpha = 255;   // leaf opacity
    float attractionUp = 0.0f; // pull of curving stems towards the vertical
    float pruneRatio = 0.0f;   // not read
    float pruneWidth = 0.0f;   // not read
    float pruneWidthPeak = 0.0f;
    float prunePowerLow = 0.0f;
    float prunePowerHigh = 0.0f;
    float scale0 = 0.0f;       // extra factor on the trunk radius
    float scale0V = 0.0f;      // not read

    // Per-level arrays, in declared order; angles in degrees.
    std::vector<float> downAngle;
    std::vector<float> downAngleV;
    std::vector<float> rotate;
    std::vector<float> rotateV;
    std::vector<float> length;
    std::vector<float> lengthV;
    std::vector<float> taper;
    std::vector<int32_t> branches;
    std::vector<float> segSplits;
    std::vector<float> splitAngle;
    std::vector<float> splitAngleV;
    std::vector<int32_t> curveRes;
    std::vector<float> curve;
    std::vector<float> curveBack;
    std::vector<float> curveV;
    std::vector<int32_t> ringVertices;

private:
    // Calls f on each of the sixteen arrays of this record and of `other`,
    // paired by name, so resizing and copying can never miss one.
    template <class F> void forEachArray(TreeParameters& other, F&& f);
    template <class F> void forEachArray(F&& f);
};

// Whether trees of this parameter set carry a coordinate-frame marker at
// every stem point: only the Simple species does.
inline bool hasFrameMarkers(const TreeParameters& params) { return params.type == TREE_SIMPLE; }
