// Meshes by name: creation, lookup, dropping a mesh to free its name, and
// the submeshes and bounds a mesh holds.
#include "mesh/MeshManager.h"

#include "buffer/HardwareBufferManager.h"
#include "core/Exception.h"

#include <gtest/gtest.h>

#include <memory> // Required for: std::weak_ptr
#include <string> // Required for: std::string

using namespace Velk;

namespace {

class MeshManagerTest : public ::testing::Test {
protected:
    HardwareBufferManager buffers;
    MeshManager meshes;
};

TEST_F(MeshManagerTest, CreateManualRegistersAnEmptyMesh) {
    const MeshPtr mesh = MeshManager::getSingleton().createManual("TreeMesh");
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->getName(), "TreeMesh");
    EXPECT_EQ(mesh->getNumSubMeshes(), 0u);
    EXPECT_EQ(mesh->sharedVertexData, nullptr);
    EXPECT_TRUE(mesh->getBounds().isNull());
    EXPECT_EQ(meshes.getByName("TreeMesh"), mesh);
    EXPECT_TRUE(meshes.resourceExists("TreeMesh"));
    EXPECT_EQ(meshes.getByName("Other"), nullptr);
    EXPECT_EQ(meshes.getMeshCount(), 1u);
}

TEST_F(MeshManagerTest, ATakenNameIsAnError) {
    meshes.createManual("TreeMesh");
    try {
        meshes.createManual("TreeMesh");
        FAIL() << "a second mesh took the name";
    } catch (const Exception& e) {
        EXPECT_EQ(e.getNumber(), Exception::ERR_DUPLICATE_ITEM);
        const std::string text = e.getFullDescription();
        EXPECT_NE(text.find("MeshManager::createManual"), std::string::npos) << text;
        EXPECT_NE(text.find("\"TreeMesh\""), std::string::npos) << text;
        EXPECT_NE(text.find("already exists"), std::string::npos) << text;
    }
    EXPECT_EQ(meshes.getMeshCount(), 1u);
}

TEST_F(MeshManagerTest, RemoveFreesTheNameAndTheBuffers) {
    std::weak_ptr<HardwareVertexBuffer> watch;
    {
        const MeshPtr mesh = meshes.createManual("TreeMesh");
        mesh->sharedVertexData = std::make_unique<VertexData>();
        const auto buffer = buffers.createVertexBuffer(4, 1, HardwareBuffer::USAGE_STATIC_WRITE_ONLY);
        mesh->sharedVertexData->vertexBufferBinding->setBinding(0, buffer);
        watch = buffer;
    }
    meshes.remove("TreeMesh");
    EXPECT_FALSE(meshes.resourceExists("TreeMesh"));
    EXPECT_TRUE(watch.expired());
    EXPECT_NO_THROW(meshes.createManual("TreeMesh"));
}

TEST_F(MeshManagerTest, ARemovedMeshLivesOnWhileShared) {
    const MeshPtr mesh = meshes.createManual("TreeMesh");
    meshes.remove("TreeMesh");
    EXPECT_EQ(mesh->getName(), "TreeMesh");
    EXPECT_EQ(mesh.use_count(), 1);
}

TEST_F(MeshManagerTest, RemovingAnUnknownNameIsAnError) {
    try {
        meshes.remove("Nothing");
        FAIL() << "removed a mesh that does not exist";
    } catch (const Exception& e) {
        EXPECT_EQ(e.getNumber(), Exception::ERR_ITEM_NOT_FOUND);
        EXPECT_NE(e.getFullDescription().find("MeshManager::remove"), std::string::npos);
    }
}

TEST_F(MeshManagerTest, SubMeshesComeInCreationOrderWithDefaults) {
    const MeshPtr mesh = meshes.createManual("M");
    SubMesh* first = mesh->createSubMesh();
    SubMesh* second = mesh->createSubMesh();
    EXPECT_EQ(mesh->getNumSubMeshes(), 2u);
    EXPECT_EQ(mesh->getSubMesh(0), first);
    EXPECT_EQ(mesh->getSubMesh(1), second);
    EXPECT_EQ(first->parent, mesh.get());
    EXPECT_EQ(first->operationType, OT_TRIANGLE_LIST);
    ASSERT_NE(first->indexData, nullptr);
    EXPECT_EQ(first->indexData->indexStart, 0u);
    EXPECT_EQ(first->indexData->indexCount, 0u);
    EXPECT_EQ(first->indexData->indexBuffer, nullptr);
    EXPECT_NE(first->indexData.get(), second->indexData.get());
    EXPECT_THROW(mesh->getSubMesh(2), Exception);
}

TEST_F(MeshManagerTest, BoundsAndRadiusAreStoredAsGiven) {
    const MeshPtr mesh = meshes.createManual("M");
    const AxisAlignedBox box({-1.0f, 0.0f, -2.0f}, {1.0f, 4.0f, 2.0f});
    mesh->_setBounds(box);
    mesh->_setBoundingSphereRadius(2.5f);
    EXPECT_EQ(mesh->getBounds(), box);
    EXPECT_FALSE(mesh->getBounds().isNull());
    EXPECT_EQ(mesh->getBounds().getSize(), Vector3(2.0f, 4.0f, 4.0f));
    EXPECT_EQ(mesh->getBoundingSphereRadius(), 2.5f);
}

TEST(MeshManagerLifetimeTest, ASecondManagerOrNoneIsAnError) {
    EXPECT_THROW(MeshManager::getSingleton(), Exception);
    {
        MeshManager meshes;
        EXPECT_EQ(&MeshManager::getSingleton(), &meshes);
        EXPECT_THROW(MeshManager{}, Exception);
    }
    EXPECT_EQ(MeshManager::getSingletonPtr(), nullptr);
}

} // namespace
