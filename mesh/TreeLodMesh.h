#pragma once

#include "TreeLod.h"
#include "TreeLodChain.h"

#include <cstddef> // Required for: std::size_t
#include <optional> // Required for: std::optional
#include <string>  // Required for: std::string
#include <vector>  // Required for: std::vector

namespace Velk {
class Mesh;
}

// The full level and `reduced` levels of detail of a tree whose engine mesh
// (Tree::buildMesh) is `mesh`: its buffers are read back for the leaves'
// colours and texture quarters. Works with buffers in system memory and in
// GL alike.
std::vector<TreeLod> buildTreeLods(const Tree& tree, const Velk::Mesh& mesh, std::size_t reduced);

// The tree of `mesh` reduced to at most `maxTriangles` (fitTriangleBudget).
std::optional<TreeLod> fitTriangleBudget(const Tree& tree, const Velk::Mesh& mesh, std::size_t maxTriangles,
                                         std::size_t& smallest);

// Creates the engine mesh `name` of one level, laid out as Tree::buildMesh
// lays out a tree: one shared vertex set in two buffers (three with the
// wind's), a bark submesh, a leaf submesh when the tree has leaves and a
// marker submesh when it has markers. The mesh belongs to the mesh manager.
Velk::Mesh* buildLodMesh(const TreeLod& lod, const Tree& tree, const std::string& name);
