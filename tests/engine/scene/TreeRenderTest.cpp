// A whole tree drawn as the demonstration draws it, and rebuilt without leaks.
#include "SceneFixture.h"
#include "TreeSceneSetup.h"

#include "Tree.h"
#include "mesh/MeshManager.h"
#include "render/GLObjectCount.h"

using namespace Velk;

namespace {
// Pixels that are not sky: the generated sky always has blue strongest.
int treePixels(const std::vector<unsigned char>& rgba) {
    int count = 0;
    for (std::size_t i = 0; i < rgba.size(); i += 4)
        if (rgba[i] > rgba[i + 2] + 8 || rgba[i + 1] > rgba[i + 2] + 8) ++count;
    return count;
}
} // namespace

using TreeRender = SceneFixture;

// GL errors would surface as engine errors from the frame; the picture is
// kept in the build folder (tree_scene.png) for people to look at.
TEST_F(TreeRender, QuakingAspenUnderTheSkyBox) {
    startScene(256, 192, true);
    TreeScene tree;
    tree.build(*scene, *camera);
    ASSERT_EQ(tree.entity->getNumSubEntities(), 2u);
    std::vector<unsigned char> pixels;
    ASSERT_NO_THROW(pixels = renderFrame());
    window->writeContentsToFile(SCENE_OUTPUT_DIR "/tree_scene.png");
    const int total = 256 * 192;
    const int drawn = treePixels(pixels);
    EXPECT_GT(drawn, total / 20) << "the tree covers a good part of the picture";
    EXPECT_LT(drawn, total * 3 / 4) << "and the sky shows around it";
    const auto centre = pixelAt(pixels, 128, 96);
    EXPECT_FALSE(centre[2] > centre[0] + 8 && centre[2] > centre[1] + 8) << "the crown is in the middle";
    const MeshPtr mesh = MeshManager::getSingleton().getByName("TreeMesh");
    const std::size_t indices =
        mesh->getSubMesh(0)->indexData->indexCount + mesh->getSubMesh(1)->indexData->indexCount;
    EXPECT_EQ(window->getTriangleCount(), indices / 3 + 12) << "tree and sky box";

    // Wireframe draws the same triangles as lines: another picture, same count.
    tree.entity->setRenderDetail(SDL_WIREFRAME);
    const std::vector<unsigned char> wireframe = renderFrame();
    int changed = 0;
    for (std::size_t i = 0; i < pixels.size(); i += 4)
        if (pixels[i] != wireframe[i] || pixels[i + 1] != wireframe[i + 1]) ++changed;
    EXPECT_GT(changed, drawn / 4);
    EXPECT_GT(treePixels(wireframe), 0);
    EXPECT_EQ(window->getTriangleCount(), indices / 3 + 12);
}

// The GL objects made by a rebuild (buffers, vertex arrays) all go with the
// old mesh and entity; memory leaks are caught by the sanitizer build.
TEST_F(TreeRender, RebuildingTheTreeMeshAHundredTimesLeaksNoGLObjects) {
    startScene(64, 48, true);
    TreeScene tree;
    tree.build(*scene, *camera);
    renderFrame();
    const std::size_t before = getLiveGLObjectCount();
    for (int i = 0; i < 100; ++i) {
        tree.rebuildMesh(*scene);
        if (i % 10 == 0) renderFrame();
    }
    renderFrame();
    EXPECT_EQ(getLiveGLObjectCount(), before);
    EXPECT_EQ(MeshManager::getSingleton().getMeshCount(), 1u);
    root.reset();
    EXPECT_EQ(getLiveGLObjectCount(), 0u);
}
