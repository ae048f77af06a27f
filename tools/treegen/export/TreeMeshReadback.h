#pragma once

#include "MeshView.h"

#include <vector> // Required for: std::vector

namespace Velk {
class HardwareBuffer;
class Mesh;
}
class Tree;

// Reads a tree's engine mesh back for export: locks its buffers read-only
// for as long as this object lives and describes them as a MeshView,
// submeshes tagged bark, leaves and markers in the order the mesh builder
// creates them. Nothing is copied.
class TreeMeshReadback {
public:
    TreeMeshReadback(const Velk::Mesh& mesh, const Tree& tree);
    ~TreeMeshReadback();
    TreeMeshReadback(const TreeMeshReadback&) = delete;
    TreeMeshReadback& operator=(const TreeMeshReadback&) = delete;

    const MeshView& view() const { return view_; }

private:
    const void* lock(Velk::HardwareBuffer& buffer);

    std::vector<Velk::HardwareBuffer*> locked_;
    MeshView view_;
};
