#pragma once

namespace Velk {

// Kinds of scene the root can hand out; every kind is the one generic scene.
enum SceneType {
    ST_GENERIC = 0,
};

} // namespace Velk
