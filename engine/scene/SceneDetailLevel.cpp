#include "scene/SceneDetailLevel.h"

namespace Velk {

const char* detailLevelName(SceneDetailLevel level) {
    switch (level) {
    case SDL_POINTS: return "points";
    case SDL_WIREFRAME: return "wireframe";
    case SDL_SOLID: return "solid";
    }
    return "unknown";
}

} // namespace Velk
