#pragma once

#include "core/Singleton.h"
#include "mesh/Mesh.h"

#include <cstddef> // Required for: std::size_t
#include <map>     // Required for: std::map
#include <string>  // Required for: std::string

namespace Velk {

// Registry of the engine's meshes by name. A name holds at most one mesh;
// removing a mesh frees its name for a new one.
class MeshManager : public Singleton<MeshManager> {
public:
    static constexpr const char* singletonName = "MeshManager";

    MeshManager() = default;
    ~MeshManager();

    // A new, empty mesh registered under `name`, to be filled by the caller.
    // Throws when a mesh of that name exists.
    MeshPtr createManual(const std::string& name);
    // The mesh registered under `name`, or null.
    MeshPtr getByName(const std::string& name) const;
    bool resourceExists(const std::string& name) const { return meshes_.count(name) != 0; }
    // Drops the mesh registered under `name` so the name can be used again;
    // the mesh itself lives on while others still share it. Throws when no
    // mesh has that name.
    void remove(const std::string& name);
    // Drops every mesh.
    void removeAll() { meshes_.clear(); }
    std::size_t getMeshCount() const { return meshes_.size(); }

private:
    std::map<std::string, MeshPtr> meshes_;
};

} // namespace Velk
