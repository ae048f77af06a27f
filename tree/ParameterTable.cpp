#include "ParameterTable.h"

#include <algorithm> // Required for: std::min
#include <array>     // Required for: std::array
#include <type_traits> // Required for: std::remove_reference_t
#include <limits>    // Required for: std::numeric_limits

namespace {

using S = ParameterScope;
using T = ParameterType;
using G = ParameterGroup;
using P = TreeParameters;

constexpr double kUInt32Max = std::numeric_limits<uint32_t>::max();
// Fields that growth never reads take any value of this size; the bound only
// keeps files sane.
constexpr double kUnread = 1.0e6;

// Every field of TreeParameters but reservedA, reservedB and reservedC, in declared order.
const std::array kTable = {
    ParameterInfo{"type", S::Global, T::UInt32, "species number", 0, kUInt32Max, true, G::ShapeAndSize,
                  "species number of the preset last loaded; 0 adds coordinate-frame markers at every stem point",
                  &P::type},
    ParameterInfo{"shape", S::Global, T::UInt8, "envelope number", 0, 8, true, G::ShapeAndSize,
                  "shape envelope that sets branch lengths along the trunk", &P::shape},
    ParameterInfo{"baseSize", S::Global, T::Float, "fraction", 0, 0.95, true, G::ShapeAndSize,
                  "fraction of the trunk length that carries no branches", &P::baseSize},
    ParameterInfo{"scale", S::Global, T::Float, "scene units", 0.01, 1000, true, G::ShapeAndSize,
                  "overall size of the tree", &P::scale},
    ParameterInfo{"scaleV", S::Global, T::Float, "scene units", 0, 1000, true, G::ShapeAndSize,
                  "random variation of scale", &P::scaleV},
    ParameterInfo{"zScale", S::Global, T::Float, "factor", -kUnread, kUnread, false, G::ShapeAndSize,
                  "vertical scale; stored, not used", &P::zScale},
    ParameterInfo{"zScaleV", S::Global, T::Float, "factor", -kUnread, kUnread, false, G::ShapeAndSize,
                  "variation of zScale; stored, not used", &P::zScaleV},
    ParameterInfo{"levels", S::Global, T::UInt8, "count", 1, 255, true, G::ShapeAndSize,
                  "number of stem levels (trunk, branches, twigs, ...); the length of every per-level array",
                  &P::levels},
    ParameterInfo{"ratio", S::Global, T::Float, "factor", 0, 1, true, G::TrunkAndRadius,
                  "trunk base radius per unit of trunk length", &P::ratio},
    ParameterInfo{"ratioPower", S::Global, T::Float, "exponent", 0, 10, true, G::TrunkAndRadius,
                  "exponent that makes child radii smaller than their parent's", &P::ratioPower},
    ParameterInfo{"lobes", S::Global, T::UInt8, "count", 0, 255, true, G::TrunkAndRadius,
                  "number of lobes round every stem cross-section", &P::lobes},
    ParameterInfo{"lobeDepth", S::Global, T::Float, "fraction", 0, 1, true, G::TrunkAndRadius,
                  "relative depth of the lobes", &P::lobeDepth},
    ParameterInfo{"flare", S::Global, T::Float, "factor", 0, 10, true, G::TrunkAndRadius,
                  "widening of the trunk near the ground", &P::flare},
    ParameterInfo{"leaves", S::Global, T::Int32, "count", 0, 10000, true, G::Leaves,
                  "leaves per stem of the last level, before the position and quality factors; 0 = none",
                  &P::leaves},
    ParameterInfo{"leafShape", S::Global, T::UInt8, "number", 0, 255, false, G::Leaves,
                  "leaf outline number; every leaf uses one outline whatever its value", &P::leafShape},
    ParameterInfo{"leafScale", S::Global, T::Float, "scene units", 0, 100, true, G::Leaves,
                  "leaf length before the quality factor", &P::leafScale},
    ParameterInfo{"leafScaleX", S::Global, T::Float, "factor", 0, 10, true, G::Leaves,
                  "leaf width as a fraction of its length", &P::leafScaleX},
    ParameterInfo{"leafQuality", S::Global, T::Float, "factor", 0, 10, true, G::Leaves,
                  "multiplies the number of leaves; their size is divided by its square root",
                  &P::leafQuality},
    ParameterInfo{"leafAlpha", S::Global, T::UInt8, "opacity 0..255", 0, 255, true, G::Leaves,
                  "opacity of the leaves", &P::leafAlpha},
    ParameterInfo{"attractionUp", S::Global, T::Float, "factor", -10, 10, true, G::ShapeAndSize,
                  "pull of curving stems towards the vertical; negative bends them down",
                  &P::attractionUp},
    ParameterInfo{"pruneRatio", S::Global, T::Float, "fraction", -kUnread, kUnread, false, G::ShapeAndSize,
                  "pruning strength; stored, not used", &P::pruneRatio},
    ParameterInfo{"pruneWidth", S::Global, T::Float, "fraction", -kUnread, kUnread, false, G::ShapeAndSize,
                  "pruning envelope width; stored, not used", &P::pruneWidth},
    ParameterInfo{"pruneWidthPeak", S::Global, T::Float, "fraction", -kUnread, kUnread, false,
                  G::ShapeAndSize, "height of the pruning envelope's widest point; stored, not used",
                  &P::pruneWidthPeak},
    ParameterInfo{"prunePowerLow", S::Global, T::Float, "exponent", -kUnread, kUnread, false,
                  G::ShapeAndSize, "curvature of the lower pruning envelope; stored, not used",
                  &P::prunePowerLow},
    ParameterInfo{"prunePowerHigh", S::Global, T::Float, "exponent", -kUnread, kUnread, false,
                  G::ShapeAndSize, "curvature of the upper pruning envelope; stored, not used",
                  &P::prunePowerHigh},
    ParameterInfo{"scale0", S::Global, T::Float, "factor", 0, 10, true, G::TrunkAndRadius,
                  "extra factor on the trunk radius", &P::scale0},
    ParameterInfo{"scale0V", S::Global, T::Float, "factor", -kUnread, kUnread, false, G::TrunkAndRadius,
                  "variation of scale0; stored, not used", &P::scale0V},

    ParameterInfo{"downAngle", S::PerLevel, T::Float, "degrees", -360, 360, true, G::Level,
                  "angle between a stem (or leaf) and the stem that carries it", &P::downAngle},
    ParameterInfo{"downAngleV", S::PerLevel, T::Float, "degrees", -360, 360, true, G::Level,
                  "variation of downAngle; negative: steeper near the base, flatter towards the tip",
                  &P::downAngleV},
    ParameterInfo{"rotate", S::PerLevel, T::Float, "degrees", -360, 360, true, G::Level,
                  "turn about the carrying stem from one stem (or leaf) to the next", &P::rotate},
    ParameterInfo{"rotateV", S::PerLevel, T::Float, "degrees", -360, 360, true, G::Level,
                  "variation of rotate", &P::rotateV},
    ParameterInfo{"length", S::PerLevel, T::Float, "fraction", 0, 10, true, G::Level,
                  "entry 0: trunk length per unit of scale; others: longest child relative to its parent",
                  &P::length},
    ParameterInfo{"lengthV", S::PerLevel, T::Float, "fraction", 0, 10, true, G::Level,
                  "variation of length", &P::lengthV},
    ParameterInfo{"taper", S::PerLevel, T::Float, "0..3", 0, 3, true, G::Level,
                  "how the radius narrows along a stem: 0..1 cone to cylinder, 1..2 to a point, 2..3 periodic",
                  &P::taper},
    ParameterInfo{"branches", S::PerLevel, T::Int32, "count", 0, 10000, true, G::Level,
                  "entry n: children of a stem of level n-1; entry 0 is not used", &P::branches},
    ParameterInfo{"segSplits", S::PerLevel, T::Float, "count", -kUnread, kUnread, false, G::Level,
                  "splits per segment; stored, not used (stems never split)", &P::segSplits},
    ParameterInfo{"splitAngle", S::PerLevel, T::Float, "degrees", -kUnread, kUnread, false, G::Level,
                  "angle of a split; stored, not used", &P::splitAngle},
    ParameterInfo{"splitAngleV", S::PerLevel, T::Float, "degrees", -kUnread, kUnread, false, G::Level,
                  "variation of splitAngle; stored, not used", &P::splitAngleV},
    ParameterInfo{"curveRes", S::PerLevel, T::Int32, "count", 1, 1000, true, G::Level,
                  "segments of a stem of this level", &P::curveRes},
    ParameterInfo{"curve", S::PerLevel, T::Float, "degrees", -360, 360, true, G::Level,
                  "bend of a stem along its length (of its later half when curveBack is not 0)",
                  &P::curve},
    ParameterInfo{"curveBack", S::PerLevel, T::Float, "degrees", -360, 360, true, G::Level,
                  "0: one bend by curve; otherwise the bend of the earlier half of the stem",
                  &P::curveBack},
    ParameterInfo{"curveV", S::PerLevel, T::Float, "degrees", -360, 360, true, G::Level,
                  "random bend per stem, spread over its segments", &P::curveV},
    ParameterInfo{"ringVertices", S::PerLevel, T::Int32, "count", 3, 256, true, G::Level,
                  "vertices round each cross-section ring of a stem of this level", &P::ringVertices},
};

// Single-character insertions, deletions and substitutions turning a into b.
size_t editDistance(std::string_view a, std::string_view b) {
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

} // namespace

double ParameterInfo::get(const TreeParameters& p, size_t level) const {
    return std::visit(
        [&](auto member) -> double {
            const auto& value = p.*member;
            if constexpr (requires { value.size(); })
                return static_cast<double>(value[level]);
            else
                return static_cast<double>(value);
        },
        field);
}

void ParameterInfo::set(TreeParameters& p, double value, size_t level) const {
    if (auto* member = std::get_if<uint8_t TreeParameters::*>(&field);
        member && *member == &TreeParameters::levels) {
        // Every array follows the level count.
        p.setLevels(static_cast<uint8_t>(value));
        return;
    }
    std::visit(
        [&](auto member) {
            auto& target = p.*member;
            if constexpr (requires { target.size(); }) {
                using Entry = typename std::remove_reference_t<decltype(target)>::value_type;
                target[level] = static_cast<Entry>(value);
            } else {
                target = static_cast<std::remove_reference_t<decltype(target)>>(value);
            }
        },
        field);
}

std::span<const ParameterInfo> parameterTable() { return kTable; }

const ParameterInfo* findParameter(std::string_view name) {
    for (const ParameterInfo& info : kTable)
        if (name == info.name) return &info;
    return nullptr;
}

const char* nearestParameterName(std::string_view name) {
    const char* best = kTable[0].name;
    size_t bestDistance = std::numeric_limits<size_t>::max();
    for (const ParameterInfo& info : kTable) {
        const size_t d = editDistance(name, info.name);
        if (d < bestDistance) {
            bestDistance = d;
            best = info.name;
        }
    }
    return best;
}

const char* scopeName(ParameterScope scope) {
    return scope == ParameterScope::Global ? "global" : "per level";
}

const char* typeName(ParameterType type) {
    switch (type) {
    case ParameterType::UInt8: return "uint8";
    case ParameterType::Int32: return "int32";
    case ParameterType::UInt32: return "uint32";
    case ParameterType::Float: return "float";
    }
    return "";
}

const char* groupName(ParameterGroup group) {
    switch (group) {
    case ParameterGroup::ShapeAndSize: return "shape and size";
    case ParameterGroup::TrunkAndRadius: return "trunk and radius";
    case ParameterGroup::Leaves: return "leaves";
    case ParameterGroup::Level: return "level";
    }
    return "";
}
