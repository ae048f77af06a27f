#pragma once

#include "Tree.h"

#include <cstdint>   // Required for: uint64_t
#include <stdexcept> // Required for: std::runtime_error
#include <string>    // Required for: std::string

// A tree whose structure pass stopped because it would need more vertices
// than its budget allows. Thrown before any of its geometry exists.
class TreeTooLarge : public std::runtime_error {
public:
    explicit TreeTooLarge(const Tree& tree)
        : std::runtime_error("tree too large: it needs at least " + std::to_string(tree.plannedVertices()) +
                             " vertices (" + std::to_string(tree.stemCount) +
                             " stems counted when it stopped), more than the vertex budget of " +
                             std::to_string(tree.vertexBudget())),
          plannedVertices(tree.plannedVertices()), vertexBudget(tree.vertexBudget()) {}
    uint64_t plannedVertices;
    uint64_t vertexBudget;
};

// Throws TreeTooLarge when the tree is over its budget; call before grow().
inline void requireWithinBudget(const Tree& tree) {
    if (tree.overBudget()) throw TreeTooLarge(tree);
}
