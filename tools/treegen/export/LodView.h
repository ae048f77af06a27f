#pragma once

#include "MeshView.h"
#include "TreeLod.h"

// Between the export's view of a mesh and the levels of detail's arrays.

// The parts of a read-back full mesh as the level builder takes them.
inline TreeMeshArrays meshArraysOf(const MeshView& view) {
    TreeMeshArrays a;
    a.geometry = view.geometry;
    a.colours = view.colours;
    a.vertexCount = view.vertexCount;
    for (const ExportPrimitive& p : view.primitives) {
        const uint32_t*& indices = p.material == ExportMaterial::Bark     ? a.barkIndices
                                   : p.material == ExportMaterial::Leaves ? a.leafIndices
                                                                          : a.markerIndices;
        std::size_t& count = p.material == ExportMaterial::Bark     ? a.barkIndexCount
                             : p.material == ExportMaterial::Leaves ? a.leafIndexCount
                                                                    : a.markerIndexCount;
        indices = p.indices;
        count = p.indexCount;
    }
    return a;
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
