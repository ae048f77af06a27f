#pragma once

#include "Tree.h"
#include "TreeParameters.h"

#include <memory> // Required for: std::unique_ptr

// A grown tree of a species preset, loaded the way the application loads it.
inline std::unique_ptr<Tree> growPreset(uint32_t species, int32_t seed) {
    TreeParameters params(2);
    params.loadPreset(species);
    auto tree = std::make_unique<Tree>(params, seed);
    tree->grow();
    return tree;
}

// A parameter set of one species with changes applied before growth.
template <class F> std::unique_ptr<Tree> growModified(uint32_t species, int32_t seed, F&& change) {
    TreeParameters params(2);
    params.loadPreset(species);
    change(params);
    auto tree = std::make_unique<Tree>(params, seed);
    tree->grow();
    return tree;
}
