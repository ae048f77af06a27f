#include "GroundAndShadow.h"

#include "scene/SceneManager.h" // Required for: Velk::SceneManager

namespace {
// Wide enough that its faded rim lies near the horizon from every orbit;
// the grass texture repeats every few units, seldom enough not to show a grid.
constexpr float kGroundRadius = 400.0f;
constexpr float kGroundTileSize = 16.0f;
} // namespace

void showGroundAndShadow(Velk::SceneManager& scene, bool show) {
    scene.setGroundPlane(show, "Examples/GrassGround", kGroundRadius, 0.0f, kGroundTileSize);
    scene.setShadowsEnabled(show);
}
