#pragma once

namespace Velk {
class SceneManager;
}

// Shows or hides the grass ground under the tree and the shadows of the
// scene's light on it and in the crown.
void showGroundAndShadow(Velk::SceneManager& scene, bool show);
