#pragma once

#include "LeafTilts.h"
#include "Stem.h"
#include "TreeParameters.h"
#include "math/Vector3.h"

#include <cstdint>         // Required for: int32_t, int64_t, uint64_t
#include <memory>          // Required for: std::unique_ptr
#include <memory_resource> // Required for: std::pmr::monotonic_buffer_resource
#include <span>            // Required for: std::span
#include <string>          // Required for: std::string
#include <vector>          // Required for: std::vector

namespace Velk {
class Mesh;
}
struct PendingRun;

// How many threads grow a tree.
enum class GrowthThreads {
    Automatic,      // a second thread on a machine with several cores, for trees large enough
    CallingThread,  // the calling thread alone
    TwoThreads,     // the trunk's children shared by two threads whenever it has two or more
};

// One generated tree: the stem hierarchy with its leaves, and the counters
// by which a mesh is sized. The constructor runs the structure pass (which
// stems exist, their lengths and offsets); grow() lays out the geometry.
class Tree {
    // Holds the memory of every stem's lists. A tree is built once and freed
    // whole, so its lists never give memory back one by one; declared first
    // so that it outlives the stems.
    std::pmr::monotonic_buffer_resource arena_;

public:
    // Vertices a tree may plan before the structure pass gives up on it.
    static constexpr uint64_t DEFAULT_VERTEX_BUDGET = 20'000'000;

    // Clones `parameters`, seeds the generator (seed -1: clockSeed())
    // and runs the structure pass. The stems' lists take their memory from
    // `memory` (a BlockCache that outlives the tree lets regrowth reuse it).
    // The structure pass stops creating stems as soon as the tree would need
    // more than `vertexBudget` vertices (or an eighth as many stems); overBudget() then says so
    // and grow() does nothing, so no geometry is ever allocated for it.
    Tree(const TreeParameters& parameters, int32_t seed,
         std::pmr::memory_resource* memory = std::pmr::new_delete_resource(),
         uint64_t vertexBudget = DEFAULT_VERTEX_BUDGET);
    ~Tree();
    Tree(const Tree&) = delete;
    Tree& operator=(const Tree&) = delete;

    // Geometry pass; called exactly once, after construction. Does nothing
    // for a tree over its budget. The tree is the same whatever the threads.
    void grow(GrowthThreads threads = GrowthThreads::Automatic);

    // Whether the structure pass stopped because the tree is too large.
    bool overBudget() const { return overBudget_; }
    // The vertex budget this tree was constructed with.
    uint64_t vertexBudget() const { return vertexBudget_; }
    // Vertices the structure pass expects the mesh to need (rings, frame
    // markers and leaves). For a tree over budget, the count when it stopped:
    // a lower bound of its size.
    uint64_t plannedVertices() const { return plannedVertices_; }
    // Called by the structure pass for each stem it creates: adds the stem's
    // vertices and `leaves` leaves; false once the tree is over budget.
    bool planStem(uint8_t level, int64_t leaves);
    // Whether `count` more stems still fit the budget; marks the tree over
    // budget when not.
    bool planChildren(int64_t count);

    // Builds the engine mesh `name` from the grown tree: one shared vertex
    // set in two buffers (bark, leaves, frame markers) and a triangle-list
    // submesh for each part. Defined with the mesh builder; needs the
    // engine's mesh and buffer managers and a name not yet in use. The mesh
    // belongs to the mesh manager.
    Velk::Mesh* buildMesh(const std::string& name);
    // Adds the sway data a vertex shader needs to move the tree in the wind
    // to a mesh that buildMesh made from this tree: a third vertex buffer of
    // four floats per vertex (source 2). Buffers 0 and 1 stay as they are;
    // called again, it rewrites the buffer. Draws nothing from the random
    // generator. Defined with the mesh builder.
    void buildWind(Velk::Mesh& mesh) const;
    // Writes the four sway floats of every mesh vertex, in the mesh's vertex
    // order, to `wind` (4 x vertexCount floats the caller owns).
    void writeWind(float* wind) const;

    StemPtr trunk;
    float trunkLength = 0.0f;
    float trunkRadius = 0.0f;
    float treeScale = 0.0f;
    int32_t stemCount = 0;
    Velk::Vector3 extent;           // max over the origin and every ring vertex
    std::unique_ptr<TreeParameters> params; // the tree's own copy
    int32_t leafCount = 0;          // counted by the structure pass
    int32_t vertexCount = 0;        // vertices the mesh needs
    int32_t stemTriangleCount = 0;  // bark triangles
    int32_t leafTriangleCount = 0;  // leaf triangles
    int32_t frameCount = 0;         // coordinate-frame markers (type 0 only)

    // Vertices added per stem point for a coordinate-frame marker.
    static constexpr int32_t FRAME_VERTICES = 12;

    // The angle terms of a ring of `sides` vertices: cos and sin of each
    // vertex angle and its lobe factor. They depend only on the side count
    // and the lobe parameters, so a tree works them out once per count
    // instead of once per ring. Each list is padded with zeros to a multiple
    // of four entries.
    struct RingProfile {
        int32_t sides = 0;
        std::vector<double> cosines, sines, lobeFactors;
    };
    const RingProfile& ringProfile(int32_t sides);
    // The half angles of the leaves' tilts, worked out as growth starts;
    // empty where there is no table (see LeafTilts).
    const LeafTilts& leafTilts() const { return leafTilts_; }
    // The memory resource of this tree's stem lists.
    std::pmr::memory_resource* arena() { return &arena_; }

private:
    // The most stems a tree of this budget may have.
    uint64_t stemBudget() const;
    // Slots for the pending leaves of one growing thread, in the arena.
    std::span<PendingRun> leafSlots();
    // Grows the trunk's children on two threads; false when it cannot
    // (fewer than two children), having grown nothing.
    bool growSharingTrunkChildren(GrowthShare& share);
    // Adds what a share of growth counted to the tree.
    void add(const GrowthShare& share);

    std::vector<RingProfile> ringProfiles_;
    LeafTilts leafTilts_;
    uint64_t vertexBudget_;
    uint64_t plannedVertices_ = 0;
    bool overBudget_ = false;
};
