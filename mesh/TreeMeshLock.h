#pragma once

#include "TreeLod.h" // Required for: TreeMeshArrays

#include <vector> // Required for: std::vector

namespace Velk {
class HardwareBuffer;
class Mesh;
} // namespace Velk
class Tree;

// A tree's engine mesh read back in place: its buffers are locked read-only
// for as long as this object lives and described as arrays, the submeshes
// taken in the tree's part order. Nothing is copied. The levels of detail
// and the exporter read the full mesh through it.
class TreeMeshLock {
public:
    // With `readWind`, the sway data too, when the mesh has it.
    TreeMeshLock(const Tree& tree, const Velk::Mesh& mesh, bool readWind = false);
    ~TreeMeshLock();
    TreeMeshLock(const TreeMeshLock&) = delete;
    TreeMeshLock& operator=(const TreeMeshLock&) = delete;

    const TreeMeshArrays& arrays() const { return arrays_; }
    // Four sway floats per vertex, or null when not asked for or the mesh has none.
    const float* wind() const { return wind_; }

private:
    const void* lock(Velk::HardwareBuffer& buffer);
    void unlockAll();

    std::vector<Velk::HardwareBuffer*> locked_;
    TreeMeshArrays arrays_;
    const float* wind_ = nullptr;
};
