// The wind drawn: a mesh with sway data moves in the vertex shader, the more
// the higher up it is, and not at all while the wind is still.
#include "SceneFixture.h"
#include "TreeSceneSetup.h"

#include "Tree.h"
#include "core/Exception.h"
#include "math/Matrix4.h"
#include "scene/Camera.h"

#include <algorithm> // Required for: std::clamp
#include <cmath>     // Required for: std::lround, std::nanf

using namespace Velk;

namespace {

constexpr unsigned int kWidth = 320, kHeight = 240;

// Pixels whose colour differs between two frames, counted in the rows from
// `top` down to (not including) `bottom`.
int changedPixels(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b, int top, int bottom) {
    int count = 0;
    for (int y = std::max(top, 0); y < std::min(bottom, int(kHeight)); ++y)
        for (unsigned int x = 0; x < kWidth; ++x) {
            const std::size_t i = 4 * (std::size_t(y) * kWidth + x);
            if (a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2]) ++count;
        }
    return count;
}

// The picture row (from the top) where the camera sees the point `p`.
int rowOf(const Camera& camera, const Vector3& p) {
    const Matrix4 m = camera.getProjectionMatrix() * camera.getViewMatrix();
    const float y = m.at(1, 0) * p.x + m.at(1, 1) * p.y + m.at(1, 2) * p.z + m.at(1, 3);
    const float w = m.at(3, 0) * p.x + m.at(3, 1) * p.y + m.at(3, 2) * p.z + m.at(3, 3);
    return int(std::lround((0.5f - 0.5f * y / w) * float(kHeight)));
}

} // namespace

using WindRender = SceneFixture;

// The Quaking Aspen seen whole. Still air draws exactly what a mesh without
// sway data draws, at any time. In the wind two moments differ, in the crown
// by far the most: the lowest tenth of the tree barely moves. The pictures
// are kept in the build folder (wind_*.png) for people to look at.
TEST_F(WindRender, TheCrownSwaysTheTrunkBaseStaysAndStillAirDrawsAsBefore) {
    startScene(kWidth, kHeight, true);
    TreeScene tree;
    tree.build(*scene, *camera);
    const float height = tree.tree->extent.y;
    camera->setPosition(Vector3(40.0f, 0.75f * height, 0.0f));
    camera->lookAt(0.0f, 0.5f * height, 0.0f);
    const Vector3 wind(0.3f, 0.0f, 1.0f);

    const std::vector<unsigned char> before = renderFrame();
    window->writeContentsToFile(SCENE_OUTPUT_DIR "/wind_still.png");

    // Sway data added, the air still: the same picture now and later.
    tree.tree->buildWind(*tree.entity->getMesh());
    tree.entity->_notifyVertexDataChanged();
    scene->setWind(wind, 0.0f, height);
    EXPECT_EQ(changedPixels(before, renderFrame(), 0, kHeight), 0) << "sway data alone changes nothing";
    scene->_advanceAnimationTime(1.3f);
    EXPECT_EQ(changedPixels(before, renderFrame(), 0, kHeight), 0) << "still air at another time";

    // A strong wind: two moments a third of a second apart.
    scene->setWind(wind, 1.0f, height);
    const std::vector<unsigned char> first = renderFrame();
    window->writeContentsToFile(SCENE_OUTPUT_DIR "/wind_first.png");
    scene->_advanceAnimationTime(0.35f);
    const std::vector<unsigned char> second = renderFrame();
    window->writeContentsToFile(SCENE_OUTPUT_DIR "/wind_second.png");

    const int ground = rowOf(*camera, Vector3(0.0f, 0.0f, 0.0f));
    const int lowTenth = rowOf(*camera, Vector3(0.0f, 0.1f * height, 0.0f));
    const int halfway = rowOf(*camera, Vector3(0.0f, 0.5f * height, 0.0f));
    ASSERT_LT(lowTenth, ground);
    ASSERT_GT(ground, 0);
    ASSERT_LT(ground, int(kHeight)) << "the trunk base is in the picture";
    const int crown = changedPixels(first, second, 0, halfway);
    const int base = changedPixels(first, second, lowTenth, ground + 2);
    EXPECT_GT(crown, 1000) << "the upper half of the tree moves";
    EXPECT_LE(base, 5) << "the lowest tenth barely moves (" << crown << " changed pixels above)";

    // Back to still air: the picture of the mesh without sway data again.
    scene->setWind(wind, 0.0f, height);
    EXPECT_EQ(changedPixels(before, renderFrame(), 0, kHeight), 0);
}

// The wind must blow somewhere along the ground, at a strength and scale that are numbers.
TEST_F(WindRender, ABadWindIsRefused) {
    startScene();
    EXPECT_THROW(scene->setWind(Vector3(0.0f, 1.0f, 0.0f), 1.0f, 1.0f), Exception);
    EXPECT_THROW(scene->setWind(Vector3(1.0f, 0.0f, 0.0f), -1.0f, 1.0f), Exception);
    EXPECT_THROW(scene->setWind(Vector3(1.0f, 0.0f, 0.0f), 1.0f, std::nanf("")), Exception);
    EXPECT_EQ(scene->getWindStrength(), 0.0f) << "a refused wind leaves the scene still";
    scene->setWind(Vector3(3.0f, 0.0f, 4.0f), 0.5f, 2.0f);
    EXPECT_FLOAT_EQ(scene->getWindDirection().x, 0.6f);
    EXPECT_FLOAT_EQ(scene->getWindDirection().z, 0.8f);
}
