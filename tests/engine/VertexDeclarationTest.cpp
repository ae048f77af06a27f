// Vertex layouts: element sizes, per-source vertex sizes, and the checks on
// elements that could never be drawn.
#include "mesh/VertexData.h"

#include "buffer/HardwareBufferManager.h"
#include "core/Exception.h"

#include <gtest/gtest.h>

using namespace Velk;

namespace {

TEST(VertexElementTest, TypeSizes) {
    EXPECT_EQ(VertexElement::getTypeSize(VET_FLOAT1), 4u);
    EXPECT_EQ(VertexElement::getTypeSize(VET_FLOAT2), 8u);
    EXPECT_EQ(VertexElement::getTypeSize(VET_FLOAT3), 12u);
    EXPECT_EQ(VertexElement::getTypeSize(VET_FLOAT4), 16u);
    EXPECT_EQ(VertexElement::getTypeSize(VET_COLOUR_ARGB), 4u);
}

TEST(VertexDeclarationTest, ElementsKeepTheirOrderAndSourcesTheirSizes) {
    VertexDeclaration declaration;
    declaration.addElement(0, 0, VET_FLOAT3, VES_POSITION);
    declaration.addElement(0, 12, VET_FLOAT3, VES_NORMAL);
    declaration.addElement(0, 24, VET_FLOAT2, VES_TEXTURE_COORDINATES);
    declaration.addElement(1, 0, VET_COLOUR_ARGB, VES_DIFFUSE);

    ASSERT_EQ(declaration.getElementCount(), 4u);
    EXPECT_EQ(declaration.getElements()[1].getSemantic(), VES_NORMAL);
    EXPECT_EQ(declaration.getElements()[2].getOffset(), 24u);
    EXPECT_EQ(declaration.getElements()[3].getSource(), 1u);
    EXPECT_EQ(declaration.getVertexSize(0), 32u);
    EXPECT_EQ(declaration.getVertexSize(1), 4u);
    EXPECT_EQ(declaration.getVertexSize(2), 0u);
    ASSERT_NE(declaration.findElementBySemantic(VES_DIFFUSE), nullptr);
    EXPECT_EQ(declaration.findElementBySemantic(VES_DIFFUSE)->getSource(), 1u);
    EXPECT_EQ(declaration.findElementBySemantic(VES_SPECULAR), nullptr);
}

TEST(VertexDeclarationTest, VertexSizeCountsAGapBeforeTheLastElement) {
    VertexDeclaration declaration;
    declaration.addElement(0, 16, VET_FLOAT2, VES_TEXTURE_COORDINATES);
    EXPECT_EQ(declaration.getVertexSize(0), 24u);
}

TEST(VertexDeclarationTest, ADuplicateSemanticIsAnError) {
    VertexDeclaration declaration;
    declaration.addElement(0, 0, VET_FLOAT3, VES_POSITION);
    EXPECT_THROW(declaration.addElement(1, 0, VET_FLOAT3, VES_POSITION), Exception);
    // Another index of the same semantic is a different element.
    EXPECT_NO_THROW(declaration.addElement(1, 0, VET_FLOAT2, VES_TEXTURE_COORDINATES, 0));
    EXPECT_NO_THROW(declaration.addElement(1, 8, VET_FLOAT2, VES_TEXTURE_COORDINATES, 1));
}

TEST(VertexDeclarationTest, OverlappingElementsAreAnError) {
    VertexDeclaration declaration;
    declaration.addElement(0, 0, VET_FLOAT3, VES_POSITION);
    try {
        declaration.addElement(0, 8, VET_FLOAT3, VES_NORMAL);
        FAIL() << "overlap accepted";
    } catch (const Exception& e) {
        EXPECT_EQ(e.getNumber(), Exception::ERR_INVALIDPARAMS);
        EXPECT_NE(e.getFullDescription().find("VertexDeclaration::addElement"), std::string::npos);
        EXPECT_NE(e.getFullDescription().find("overlap"), std::string::npos);
    }
    // Adjacent is fine, and the same bytes of another source too.
    EXPECT_NO_THROW(declaration.addElement(0, 12, VET_FLOAT3, VES_NORMAL));
    EXPECT_NO_THROW(declaration.addElement(1, 0, VET_COLOUR_ARGB, VES_DIFFUSE));
}

TEST(VertexDataTest, StartsEmptyWithItsOwnDeclarationAndBinding) {
    VertexData data;
    ASSERT_NE(data.vertexDeclaration, nullptr);
    ASSERT_NE(data.vertexBufferBinding, nullptr);
    EXPECT_EQ(data.vertexDeclaration->getElementCount(), 0u);
    EXPECT_EQ(data.vertexBufferBinding->getBufferCount(), 0u);
    EXPECT_EQ(data.vertexStart, 0u);
    EXPECT_EQ(data.vertexCount, 0u);
}

TEST(VertexBufferBindingTest, BindsBuffersBySourceAndKeepsThemAlive) {
    HardwareBufferManager buffers;
    VertexBufferBinding binding;
    std::weak_ptr<HardwareVertexBuffer> watch;
    {
        const auto buffer = buffers.createVertexBuffer(4, 2, HardwareBuffer::USAGE_STATIC_WRITE_ONLY);
        watch = buffer;
        binding.setBinding(1, buffer);
    }
    EXPECT_TRUE(binding.isBufferBound(1));
    EXPECT_FALSE(binding.isBufferBound(0));
    EXPECT_FALSE(watch.expired());
    EXPECT_EQ(binding.getBuffer(1).get(), watch.lock().get());
    EXPECT_THROW(binding.getBuffer(0), Exception);
    EXPECT_THROW(binding.setBinding(0, nullptr), Exception);

    binding.unsetBinding(1);
    EXPECT_TRUE(watch.expired());
    EXPECT_THROW(binding.unsetBinding(1), Exception);
}

} // namespace
