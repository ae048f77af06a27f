#pragma once

#include "scene/Camera.h" // Required for: Camera
#include "scene/Entity.h" // Required for: Entity

#include <nlohmann/json.hpp> // Required for: nlohmann::json

#include <map>    // Required for: std::map
#include <memory> // Required for: std::unique_ptr
#include <string> // Required for: std::string

namespace Velk {

// The "camera" part of the state dump: name, derived position [x, y, z],
// derived orientation [w, x, y, z], detail level (number and name), clip
// distances, field of view and aspect ratio; null without a camera.
nlohmann::json dumpCamera(const Camera* camera);
// The "entities" part: one object per entity, by name, with its mesh, render
// detail, whether it hangs on a node, and its sub-entities' materials.
nlohmann::json dumpEntities(const std::map<std::string, std::unique_ptr<Entity>>& entities);

} // namespace Velk
