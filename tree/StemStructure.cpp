// The structure pass: which stems exist, their lengths and offsets, and the
// number of leaves of the tree.
#include "Stem.h"

#include "Profiles.h"
#include "Random.h"
#include "Tree.h"

#include <memory> // Required for: std::destroy_at
#include <new>    // Required for: placement new

StemPtr makeStem(Tree* tree) {
    std::pmr::memory_resource* const memory = tree->arena();
    void* const place = memory->allocate(sizeof(Stem), alignof(Stem));
    try {
        return StemPtr(new (place) Stem(tree), StemDelete{memory});
    } catch (...) {
        memory->deallocate(place, sizeof(Stem), alignof(Stem));
        throw;
    }
}

void StemDelete::operator()(Stem* stem) const {
    std::destroy_at(stem);
    memory->deallocate(stem, sizeof(Stem), alignof(Stem));
}

Stem::Stem(Tree* tree_)
    : rings(tree_->arena()), tree(tree_), children(tree_->arena()), leaves(tree_->arena()),
      points(tree_->arena()), ringVertexStore(tree_->arena()) {}

void Stem::setup(Stem* parent_, float length_, float offset_, uint8_t level) {
    parent = parent_;
    length = length_;
    offset = offset_;
    tree->stemCount += 1;
    const TreeParameters& p = *tree->params;
    baseLength = level == 0 ? static_cast<float>(double(p.baseSize) * tree->treeScale) : 0.0f;

    if (p.levels <= level) return;
    if (p.levels == level + 1) {
        // A last-level stem carries leaves and no children.
        int32_t leaves = 0;
        if (level == 0) {
            tree->leafCount = 0;
        } else {
            const double count = (double(offset) / parent->length + 1.0) * 0.5 *
                                 (double(p.leaves) * p.leafQuality);
            leaves = roundToInt(static_cast<float>(count));
            tree->leafCount += leaves;
        }
        tree->planStem(level, leaves);
        return;
    }
    // A tree too large to build is found here, before its stems multiply.
    if (!tree->planStem(level, 0)) return;

    int32_t count;
    if (level == 0) {
        count = p.branches[1];
    } else if (level == 1) {
        // The parent's lengthChildMax still holds the value drawn for this stem.
        const double scaled = double(p.branches[2]) *
                              (0.2 + 0.8 * (double(length) / parent->length) / parent->lengthChildMax);
        count = roundToInt(static_cast<float>(scaled));
    } else {
        const double scaled =
            double(p.branches[level + 1]) * (1.0 - 0.5 * offset / double(parent->length));
        count = roundToInt(static_cast<float>(scaled));
    }
    if (count < 1 || !tree->planChildren(count)) return;

    children.reserve(static_cast<size_t>(count));
    const uint8_t c = static_cast<uint8_t>(level + 1);
    for (int32_t i = 1; i <= count; ++i) {
        const double t = level == 0 ? p.baseSize + (1.0 - p.baseSize) * i / (count + 1.0)
                                    : double(i) / (count + 1.0);
        const double childOffset = static_cast<float>(t * length);
        lengthChildMax = static_cast<float>(double(p.length[c]) + randVar(p.lengthV[c]));
        const double childLength = childLengthAt(level, childOffset);
        children.push_back(makeStem(tree));
        children.back()->setup(this, static_cast<float>(childLength),
                               static_cast<float>(childOffset), c);
        if (tree->overBudget()) return;
    }
}

double Stem::childLengthAt(uint8_t level, double childOffset) const {
    const TreeParameters& p = *tree->params;
    if (level == 0) {
        const float ratio = static_cast<float>((double(tree->trunkLength) - childOffset) /
                                               (double(tree->trunkLength) - baseLength));
        return double(tree->trunkLength) * lengthChildMax * shapeRatio(p.shape, ratio);
    }
    return lengthChildMax * (double(length) - 0.6 * childOffset);
}

float Stem::radiusAt(uint8_t level, float z, float length_, float radius_) const {
    return ::radiusAt(*tree->params, level, z, length_, radius_);
}
