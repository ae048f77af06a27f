// The renderer's shortcuts must not change a pixel: the ground drawn without
// shadow lookups outside the shadow map's reach, the sky drawn only where the
// ground's opaque middle leaves it visible, and on a CPU renderer the draws
// handed over in batches. Each view is drawn the plain
// way and with the shortcuts, and the two pictures compared byte for byte.
#include "SceneFixture.h"
#include "TreeSceneSetup.h"

#include "Tree.h"
#include "TreeParameters.h"
#include "gl/RendererProbe.h"
#include "material/MaterialManager.h"
#include "render/GLObjectCount.h"

#include <epoxy/gl.h> // Required for: glGetString

#include <cstddef> // Required for: std::size_t
#include <vector>  // Required for: std::vector

using namespace Velk;

namespace {

// Bytes that differ between two pictures of the same size.
std::size_t differingBytes(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) count += a[i] != b[i] ? 1 : 0;
    return count + (a.size() > b.size() ? a.size() - b.size() : b.size() - a.size());
}

// Pixels of the top `rows` rows that are sky blue (blue well above red).
int skyPixels(const std::vector<unsigned char>& rgba, int width, int rows) {
    int count = 0;
    for (int i = 0; i < width * rows; ++i) count += rgba[4 * i + 2] > rgba[4 * i] + 30 ? 1 : 0;
    return count;
}

} // namespace

using RenderShortcuts = SceneFixture;

TEST_F(RenderShortcuts, LeaveEveryPixelAsItIs) {
    constexpr int width = 320, height = 240;
    startScene(width, height, true);
    TreeScene tree;
    tree.build(*scene, *camera); // the sky box at 50, nearer than most of the ground
    scene->setGroundPlane(true, "Examples/GrassGround", 400.0f, 0.0f, 9.0f);
    scene->setShadowsEnabled(true);
    const float h = 0.6f * tree.tree->params->getScale();
    const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    const bool software = renderer != nullptr && GL::isSoftwareRenderer(renderer);

    struct View {
        const char* name;
        Vector3 eye, target;
        bool skyOnTop; // the horizon in the picture, sky above it
    };
    // Looking down: ground everywhere, the tree's shadow on part of it.
    // From far and low: the ground's rim fades into the sky at the horizon.
    const View views[] = {{"down", Vector3(0.0f, 1.6f * h, 3.0f * h), Vector3(0.0f, 0.2f * h, 0.0f), false},
                          {"horizon", Vector3(0.0f, 0.3f * h, 25.0f * h), Vector3(0.0f, 0.3f * h, 0.0f), true}};
    for (const View& view : views) {
        SCOPED_TRACE(view.name);
        camera->setPosition(view.eye);
        camera->lookAt(view.target);
        scene->setRenderShortcutsEnabled(false);
        const auto before = scene->getRenderShortcutCounts();
        const std::vector<unsigned char> plain = renderFrame();
        const auto plainCounts = scene->getRenderShortcutCounts();
        EXPECT_EQ(plainCounts.groundShadowSplits, before.groundShadowSplits) << "the plain way takes no shortcut";
        EXPECT_EQ(plainCounts.skyBehindGround, before.skyBehindGround);
        EXPECT_EQ(plainCounts.handOvers, before.handOvers);
        scene->setRenderShortcutsEnabled(true);
        const std::vector<unsigned char> quick = renderFrame();
        window->writeContentsToFile(std::string(SCENE_OUTPUT_DIR "/shortcuts_") + view.name + ".png");
        EXPECT_EQ(differingBytes(plain, quick), 0u);
        const auto after = scene->getRenderShortcutCounts();
        EXPECT_EQ(after.groundShadowSplits, before.groundShadowSplits + 1) << "the ground split at the shadow's reach";
        EXPECT_EQ(after.skyBehindGround, before.skyBehindGround + 1) << "the sky drawn behind the ground's middle";
        // After the ground, and within the aspen's leaves (over 32768 triangles).
        if (software) {
            EXPECT_GE(after.handOvers, before.handOvers + 2) << "batches handed over as set up";
        }
        // The views show what the shortcuts touch.
        if (view.skyOnTop) {
            EXPECT_GT(skyPixels(quick, width, 20), width * 20 * 9 / 10);
        } else {
            EXPECT_EQ(skyPixels(quick, width, 20), 0);
        }
    }

    // A ground that lets the sky through anywhere keeps the sky first.
    {
        const auto before = scene->getRenderShortcutCounts();
        Pass& ground = *MaterialManager::getSingleton().getByName("Examples/GrassGround")->getTechnique(0)->getPass(0);
        ground.setDiffuse(1.0f, 1.0f, 1.0f, 0.5f);
        renderFrame();
        EXPECT_EQ(scene->getRenderShortcutCounts().skyBehindGround, before.skyBehindGround);
    }

    tree.entity = nullptr;
    root.reset();
    EXPECT_EQ(getLiveGLObjectCount(), 0u) << "every program variant goes with the scene";
}
