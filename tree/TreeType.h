#pragma once

#include <cstdint> // Required for: uint32_t

// Species numbers of the presets; the `type` field of TreeParameters.
enum TreeType : uint32_t {
    TREE_SIMPLE = 0,
    TREE_QUAKING_ASPEN = 1,
    TREE_BLACK_TUPELO = 2,
    TREE_WEEPING_WILLOW = 3,
    TREE_LOMBARDY_POPLAR = 4,
    TREE_PALM = 5,
    TREE_EUROPEAN_LARCH = 6,
};

constexpr uint32_t TREE_TYPE_COUNT = 7;
