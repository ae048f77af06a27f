#pragma once

namespace Velk {

// How geometry is drawn: as points at its vertices, as lines along its
// triangle edges, or filled. A camera's level and an entity's level combine
// to the lower of the two, so a wireframe camera shows every entity as lines.
enum SceneDetailLevel {
    SDL_POINTS = 1,
    SDL_WIREFRAME = 2,
    SDL_SOLID = 3,
};

// "points", "wireframe" or "solid", as the state dump writes it.
const char* detailLevelName(SceneDetailLevel level);

} // namespace Velk
