#pragma once

#include "MeshView.h"
#include "TreeLod.h"
#include "TreeMeshLock.h"

// The export's views of the full mesh and of its levels of detail.

// The full mesh read back, as the writers take it; the lock must outlive
// the view.
inline MeshView meshViewOf(const TreeMeshLock& full, const Tree& tree) {
    const TreeMeshArrays& a = full.arrays();
    MeshView view;
    view.geometry = a.geometry;
    view.colours = a.colours;
    view.wind = full.wind();
    view.vertexCount = a.vertexCount;
    for (const TreePart part : TreeParts(tree)) {
        const TreeMeshArrays::Part p = a.part(part);
        view.primitives.push_back({p.indices, p.count, part});
    }
    return view;
}

// A level as the writers take it, its wind floats included; the level must
// outlive the view.
inline MeshView meshViewOf(const TreeLod& lod) {
    MeshView view;
    view.geometry = lod.geometry.data();
    view.colours = lod.colours.data();
    view.wind = lod.wind.data();
    view.vertexCount = lod.vertexCount();
    view.primitives.push_back({lod.barkIndices.data(), lod.barkIndices.size(), ExportMaterial::Bark});
    if (!lod.leafIndices.empty())
        view.primitives.push_back({lod.leafIndices.data(), lod.leafIndices.size(), ExportMaterial::Leaves});
    if (!lod.markerIndices.empty())
        view.primitives.push_back({lod.markerIndices.data(), lod.markerIndices.size(), ExportMaterial::Markers});
    return view;
}
