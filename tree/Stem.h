#pragma once

#include "StemPoint.h"
#include "math/Vector3.h"

#include <array>           // Required for: std::array
#include <cstddef>         // Required for: size_t
#include <cstdint>         // Required for: uint8_t, uint32_t, int32_t
#include <memory>          // Required for: std::unique_ptr
#include <memory_resource> // Required for: std::pmr::vector
#include <span>            // Required for: std::span

class LeafPlacement;
class Tree;
namespace TreeWind {
struct StemWind;
}

// A cross-section ring: `count` world positions, in order of increasing angle
// round the segment, stored consecutively in the stem's ringVertices from
// `first` on. Keeping a stem's rings in one block spares an allocation per ring.
struct StemRing {
    uint32_t first = 0;
    uint32_t count = 0;
};

class Stem;

// Destroys a stem made by makeStem and hands its memory back to the tree's
// arena (which keeps it until the tree goes).
struct StemDelete {
    std::pmr::memory_resource* memory = nullptr;
    void operator()(Stem* stem) const;
};
using StemPtr = std::unique_ptr<Stem, StemDelete>;

// A new stem of `tree`, in the tree's arena: a tree has tens of thousands of
// stems, and one heap allocation and release each was a sizeable part of
// growing and dropping it.
StemPtr makeStem(Tree* tree);

// What one thread's share of growth adds to its tree besides the stems it
// grows: the counters and the extent, and where its pending leaves go. Each
// thread that grows part of a tree keeps its own; the tree adds them up when
// growth ends, so no two threads write the same memory.
struct GrowthShare {
    int32_t vertexCount = 0;
    int32_t stemTriangleCount = 0;
    int32_t leafTriangleCount = 0;
    int32_t frameCount = 0;
    Velk::Vector3 extent;               // max over the origin and the share's ring vertices
    LeafPlacement* placement = nullptr; // null: each leaf is placed as it is made
};

// Where a child stem starts growing, worked out by its parent.
struct ChildStart {
    StemPoint frame;
    float radius = 0.0f;
};

// A leaf quad: its four world corners in outline order.
struct Leaf {
    std::array<Velk::Vector3, 4> corners;
};

// One stem of a tree: the trunk, a branch, a twig. Its level is not stored:
// every operation receives it.
class Stem {
public:
    // The stem's lists draw their memory from the tree's arena.
    explicit Stem(Tree* tree_);
    Stem(const Stem&) = delete;
    Stem& operator=(const Stem&) = delete;

    // Structure pass for this stem and everything below it.
    void setup(Stem* parent, float length, float offset, uint8_t level);
    // Geometry of this stem and everything below it.
    void grow(const StemPoint& startFrame, float radius, uint8_t level, GrowthShare& share);
    // This stem's own part of grow(): its spine points and rings.
    void growSpine(const StemPoint& startFrame, float radius, uint8_t level, GrowthShare& share);
    // Appends one cross-section ring round the end of `point`'s segment.
    void addRing(const StemPoint& point, float radius, int32_t sides, GrowthShare& share);
    // Places and grows the children along this (grown) stem.
    void growChildren(uint8_t level, GrowthShare& share);
    // Where child `i` (counting from 1) starts, making the draws that place
    // it; `rot` carries the spiral's angle from one child to the next.
    ChildStart placeChild(uint8_t level, size_t i, double& rot);
    // Spreads this last-level stem's leaves along it.
    void addLeaves(uint8_t level, GrowthShare& share);
    // The number of leaves addLeaves gives this last-level stem.
    int32_t leavesToGrow() const;
    // The generator steps grow() makes for this stem and its descendants.
    uint64_t growthSteps(uint8_t level) const;
    // Reserves this stem's and its descendants' lists at the sizes growth
    // fills, so that growing them takes no memory.
    void reserveGrowth(uint8_t level);
    // Appends one leaf quad for the frame.
    void addLeaf(const StemPoint& frame, uint8_t leafShape);
    // The length of a child `childOffset` along this stem of `level`, from
    // the lengthChildMax last drawn for it.
    double childLengthAt(uint8_t level, double childOffset) const;
    // Radius at relative position z of a stem of `level` (taper and flare).
    float radiusAt(uint8_t level, float z, float length, float radius) const;

    // Mesh passes (defined with the mesh builder). Each handles this stem,
    // then its children in list order, so vertex and index passes of one
    // kind number the vertices alike. The cursors run through locked buffer
    // memory: `floats` 8 per vertex (position, normal, u, v), `colours` one
    // packed ARGB per vertex, `indices` one per index; `base` is the vertex
    // number of the first vertex of the next item.

    // Bark: every ring's vertices with normals and bark texture coordinates.
    void writeStemVertices(float*& floats, uint32_t*& colours) const;
    // Leaves: four vertices per leaf; `distance` runs from the base of the
    // level-1 stem carrying this one to this stem's base (0 for the trunk).
    // Draws from the random generator: six per stem, two per leaf.
    void writeLeafVertices(float*& floats, uint32_t*& colours, float distance) const;
    // Coordinate-frame markers: twelve vertices per stem point.
    void writeFrameVertices(float*& floats, uint32_t*& colours) const;
    // Bark triangles between neighbouring rings.
    void writeStemIndices(uint32_t*& indices, uint32_t& base) const;
    // Both of the above in one walk, which reads each ring once.
    void writeStemBark(float*& floats, uint32_t*& colours, uint32_t*& indices, uint32_t& base) const;
    // Two triangles per leaf.
    void writeLeafIndices(uint32_t*& indices, uint32_t& base) const;
    // Nine triangles per stem point's marker.
    void writeFrameIndices(uint32_t*& indices, uint32_t& base) const;
    // Sway data (four floats per vertex, `wind` cursor) of the bark, in the
    // order of writeStemVertices; `context` is this stem's branch and phase,
    // `inverseHeight` one over the tree's height.
    void writeStemWind(float*& wind, const TreeWind::StemWind& context, float inverseHeight) const;
    // Sway data of the leaves, in the order of writeLeafVertices.
    void writeLeafWind(float*& wind, const TreeWind::StemWind& context, float inverseHeight) const;

    // The vertices of one ring of this stem.
    std::span<const Velk::Vector3> ringVertices(const StemRing& ring) const {
        return {ringVertexStore.data() + ring.first, ring.count};
    }

    std::pmr::vector<StemRing> rings; // one per spine point, in point order
    float baseLength = 0.0f;        // trunk: bare lower part; 0 otherwise
    float length = 0.0f;
    float radius = 0.0f;            // base radius, set when the stem grows
    Tree* tree = nullptr;           // not owned
    Velk::Vector3 position;         // world position of the base
    std::pmr::vector<StemPtr> children; // in creation order
    std::pmr::vector<Leaf> leaves;  // in creation order
    Stem* parent = nullptr;         // not owned; none for the trunk
    float lengthChildMax = 0.0f;    // drawn again for every child
    float offset = 0.0f;            // distance of the base from the parent's base
    std::pmr::vector<StemPoint> points; // spine points from the base outwards
    std::pmr::vector<Velk::Vector3> ringVertexStore; // all ring vertices, ring after ring
};
