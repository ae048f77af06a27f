// Turns a grown tree into one engine mesh: a shared vertex set in two
// buffers, filled in one sweep by the vertex passes, and one triangle-list
// submesh per part (bark, leaves, frame markers) filled by the index passes.
// Buffers are created at their final size from the counters growth kept, so
// nothing is counted, copied or resized here.
#include "Tree.h"

#include "HelperJob.h"
#include "LeafDraws.h"
#include "MeshLayout.h"
#include "TreeParts.h"
#include "TreeVertexDeclaration.h"
#include "VertexWriter.h"
#include "buffer/HardwareBufferManager.h"
#include "math/AxisAlignedBox.h"
#include "math/Math.h"
#include "mesh/MeshManager.h"

#include <algorithm> // Required for: std::min
#include <atomic> // Required for: std::atomic
#include <cassert> // Required for: assert
#include <cstddef> // Required for: std::size_t
#include <cstdint> // Required for: uint32_t
#include <functional> // Required for: std::function
#include <optional> // Required for: std::optional
#include <system_error> // Required for: std::system_error

using namespace Velk;
using namespace TreeMeshLayout;

// Growth counts the marker vertices the marker pass writes.
static_assert(VERTICES_PER_FRAME == uint32_t(Tree::FRAME_VERTICES));

namespace {

// Trees with fewer vertices are built on the calling thread alone: handing
// work to the helper thread and waiting for it would cost more than the bark
// and index passes it takes.
constexpr std::size_t PARALLEL_MIN_VERTICES = 16384;

// A submesh's index buffer, locked for writing while the passes run.
struct IndexPart {
    IndexData* data = nullptr;
    uint32_t* start = nullptr; // null for a part without triangles
};

// Adds a submesh over the shared vertices with `indexCount` indices and
// locks its index buffer. A part with no triangles gets no buffer (an empty
// buffer is an engine error); its pass still runs and advances the base.
IndexPart addSubMesh(Mesh& mesh, std::size_t indexCount) {
    SubMesh* subMesh = mesh.createSubMesh();
    subMesh->useSharedVertices = true;
    IndexPart part{subMesh->indexData.get(), nullptr};
    part.data->indexCount = indexCount;
    if (indexCount > 0) {
        part.data->indexBuffer = HardwareBufferManager::getSingleton().createIndexBuffer(
            HardwareIndexBuffer::INDEX_32BIT, indexCount, HardwareBuffer::USAGE_STATIC_WRITE_ONLY,
            false);
        part.start = static_cast<uint32_t*>(part.data->indexBuffer->lock(HardwareBuffer::LOCK_DISCARD));
    }
    return part;
}

// Runs an index pass into `part`, numbering vertices from `base` on and
// leaving base after the last vertex it covered.
template <class Pass> void writeIndices(const IndexPart& part, uint32_t& base, Pass pass) {
    uint32_t* indices = part.start;
    pass(indices, base);
    // The counters that sized the buffer and the pass must agree exactly.
    assert(indices == part.start + part.data->indexCount);
}

// The writes of the mesh as a list of items that both threads take in turn:
// the bark (vertices and triangles), the other parts' indices, then the
// leaf vertices in chunks. The bark and the indices need nothing from the
// random generator, so they may be taken at once; the leaf chunks wait
// until the calling thread has made the leaf draws. Every item writes where
// the counters and the leaf numbers say, so the bytes do not depend on who
// wrote them.
class MeshWrites {
public:
    // `floats` and `colours` point at the vertex of leaf 0.
    // `leaves` is the number of leaves the draws will give.
    MeshWrites(const std::function<void()>& bark, const std::function<void()>& indices,
               const LeafDraws& draws, std::size_t leaves, float* floats, uint32_t* colours)
        : bark_(bark), indices_(indices), draws_(draws), leaves_(leaves), floats_(floats),
          colours_(colours) {}

    // The leaf draws are made: the leaf chunks may be written.
    void open() { announce(OPEN); }
    // The draws failed: nobody writes leaves.
    void abandon() { announce(ABANDONED); }

    // Takes items until none is left, or until the draws failed.
    void work() {
        for (;;) {
            const std::size_t item = next_.fetch_add(1, std::memory_order_relaxed);
            if (item == BARK) {
                bark_();
                continue;
            }
            if (item == INDICES) {
                indices_();
                continue;
            }
            const std::size_t first = (item - LEAF_CHUNKS) * CHUNK;
            if (first >= leaves_) return;
            state_.wait(WAITING, std::memory_order_acquire);
            if (state_.load(std::memory_order_acquire) != OPEN) return;
            draws_.write(first, std::min(first + CHUNK, leaves_), floats_, colours_);
        }
    }

private:
    enum Item : std::size_t { BARK, INDICES, LEAF_CHUNKS };
    // Leaves per chunk: 64 KiB of vertices, small enough that the thread
    // finishing first waits little for the other.
    static constexpr std::size_t CHUNK = 512;
    enum State : int { WAITING, OPEN, ABANDONED };

    void announce(State state) {
        state_.store(state, std::memory_order_release);
        state_.notify_all();
    }

    const std::function<void()>& bark_;
    const std::function<void()>& indices_;
    const LeafDraws& draws_;
    const std::size_t leaves_;
    float* const floats_;
    uint32_t* const colours_;
    std::atomic<int> state_{WAITING};
    std::atomic<std::size_t> next_{0}; // the next item nobody has taken
};

} // namespace

Mesh* Tree::buildMesh(const std::string& name) {
    const MeshPtr mesh = MeshManager::getSingleton().createManual(name);
    mesh->sharedVertexData = std::make_unique<VertexData>();
    VertexData& vertexData = *mesh->sharedVertexData;

    VertexDeclaration& declaration = *vertexData.vertexDeclaration;
    declareTreeVertices(declaration);

    // Bark, leaf and marker vertices follow one another in both buffers.
    const std::size_t vertices = static_cast<std::size_t>(vertexCount);
    const std::size_t leafVertices = 2 * static_cast<std::size_t>(leafTriangleCount);
    const std::size_t frameVertices = VERTICES_PER_FRAME * static_cast<std::size_t>(frameCount);
    const std::size_t barkVertices = vertices - leafVertices - frameVertices;
    vertexData.vertexCount = vertices;

    HardwareBufferManager& buffers = HardwareBufferManager::getSingleton();
    const HardwareVertexBufferSharedPtr geometry = buffers.createVertexBuffer(
        declaration.getVertexSize(GEOMETRY_SOURCE), vertices, HardwareBuffer::USAGE_STATIC_WRITE_ONLY,
        false);
    vertexData.vertexBufferBinding->setBinding(GEOMETRY_SOURCE, geometry);
    const HardwareVertexBufferSharedPtr colourBuffer = buffers.createVertexBuffer(
        declaration.getVertexSize(COLOUR_SOURCE), vertices, HardwareBuffer::USAGE_STATIC_WRITE_ONLY,
        false);
    vertexData.vertexBufferBinding->setBinding(COLOUR_SOURCE, colourBuffer);

    float* const floatStart = static_cast<float*>(geometry->lock(HardwareBuffer::LOCK_DISCARD));
    uint32_t* const colourStart = static_cast<uint32_t*>(colourBuffer->lock(HardwareBuffer::LOCK_DISCARD));

    // One submesh per part the tree has, in the parts' order.
    const TreeParts parts(*this);
    const bool withLeaves = parts.has(TreePart::Leaves);
    const bool withMarkers = parts.has(TreePart::Markers);
    IndexPart barkPart, leafPart, markerPart;
    for (const TreePart part : parts) {
        switch (part) {
        case TreePart::Bark: barkPart = addSubMesh(*mesh, 3 * static_cast<std::size_t>(stemTriangleCount)); break;
        case TreePart::Leaves: leafPart = addSubMesh(*mesh, 3 * static_cast<std::size_t>(leafTriangleCount)); break;
        case TreePart::Markers:
            markerPart = addSubMesh(*mesh, INDICES_PER_FRAME * static_cast<std::size_t>(frameCount));
            break;
        }
    }

    // The bark (its vertices and triangles in one walk), then the other
    // parts' indices: nothing here draws from the random generator, and
    // every cursor starts where the counters say, so these may be written
    // beside the leaf draws.
    const std::function<void()> writeBark = [&] {
        float* floats = floatStart;
        uint32_t* colours = colourStart;
        uint32_t base = 0;
        writeIndices(barkPart, base,
                     [&](uint32_t*& i, uint32_t& b) { trunk->writeStemBark(floats, colours, i, b); });
        assert(floats == floatStart + FLOATS_PER_VERTEX * barkVertices && colours == colourStart + barkVertices);
        assert(base == barkVertices);
    };
    const std::function<void()> writeOtherIndices = [&] {
        // Index values are absolute vertex numbers: each part continues the
        // numbering where the one before it ended.
        uint32_t base = static_cast<uint32_t>(barkVertices);
        if (withLeaves)
            writeIndices(leafPart, base, [&](uint32_t*& i, uint32_t& b) {
                // The same numbers as trunk->writeLeafIndices, without the walk over the stems.
                writeLeafQuadIndices(i, b, leafVertices / VERTICES_PER_LEAF);
                b += static_cast<uint32_t>(leafVertices);
            });
        assert(base == barkVertices + leafVertices);
        if (withMarkers)
            writeIndices(markerPart, base, [&](uint32_t*& i, uint32_t& b) { trunk->writeFrameIndices(i, b); });
        assert(base == vertices);
    };
    // The leaf vertices, after the bark's. Their draws come from the random
    // generator, so the calling thread makes them, where growth drew before
    // it; the writes that follow are shared out like the rest.
    const std::size_t leafTotal = withLeaves ? leafVertices / VERTICES_PER_LEAF : 0;
    LeafDraws leafDraws(leafTotal, withLeaves ? static_cast<std::size_t>(stemCount) : 0);
    MeshWrites writes(writeBark, writeOtherIndices, leafDraws, leafTotal,
                      floatStart + FLOATS_PER_VERTEX * barkVertices, colourStart + barkVertices);

    // Both threads write disjoint memory, so the mesh is the same whichever
    // writes what. A second core starts on the bark while the calling thread
    // makes the leaf draws; whichever is free takes the other indices, and
    // both then write leaves.
    std::optional<HelperJob> helper;
    if (vertices >= PARALLEL_MIN_VERTICES && HelperJob::helps()) {
        try {
            helper.emplace([&] { writes.work(); });
        } catch (const std::system_error&) {
            // No thread to be had: the calling thread does it all.
        }
    }
    if (withLeaves) {
        try {
            leafDraws.draw(*trunk, 0.0f);
        } catch (...) {
            writes.abandon(); // the helper must not wait for draws that never come
            throw;
        }
        assert(leafDraws.leafCount() == leafTotal);
    }
    writes.open();
    writes.work();
    if (withMarkers) {
        float* floats = floatStart + FLOATS_PER_VERTEX * (barkVertices + leafVertices);
        uint32_t* colours = colourStart + barkVertices + leafVertices;
        trunk->writeFrameVertices(floats, colours);
        assert(floats == floatStart + FLOATS_PER_VERTEX * vertices && colours == colourStart + vertices);
    }
    if (helper) helper->wait();

    geometry->unlock();
    colourBuffer->unlock();
    for (const IndexPart* part : {&barkPart, &leafPart, &markerPart})
        if (part->start != nullptr) part->data->indexBuffer->unlock();

    // Symmetric about the trunk's axis, from the ground to the highest ring;
    // leaves and markers do not widen it.
    const Vector3 minimum{-extent.x, 0.0f, -extent.z};
    const Vector3 maximum = extent;
    mesh->_setBounds(AxisAlignedBox(minimum, maximum));
    const Vector3 size = maximum - minimum;
    mesh->_setBoundingSphereRadius(0.5f * Math::Sqrt(size.squaredLength()));
    return mesh.get();
}
