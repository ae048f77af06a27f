#pragma once

#include "../EngineFixture.h"
#include "scene/SceneManager.h"

#include <cstdint> // Required for: uint32_t
#include <string>  // Required for: std::string
#include <vector>  // Required for: std::vector

// An offscreen engine with a scene, a camera at (0, 0, 10) looking at the
// origin, one full-window viewport, and the test's folder (plus the built
// media, when asked) as resource locations.
class SceneFixture : public EngineFixture {
protected:
    // Starts the engine at `width` x `height` with `samples` per pixel (set
    // here so that pictures do not depend on the machine's default).
    void startScene(unsigned int width = 64, unsigned int height = 48, bool withMedia = false, int samples = 0);
    // Draws one frame and returns its pixels, RGBA, top row first.
    std::vector<unsigned char> renderFrame();
    // The pixel at (x, y) from the top left of the last frame.
    std::vector<int> pixelAt(const std::vector<unsigned char>& rgba, unsigned int x, unsigned int y) const;
    // Writes an RGBA image into the test's folder (found as a resource).
    void writeTexture(const std::string& name, unsigned int width, unsigned int height,
                      const std::vector<unsigned char>& rgba) const;

    Velk::RenderWindow* window = nullptr;
    Velk::SceneManager* scene = nullptr;
    Velk::Camera* camera = nullptr;
    Velk::Viewport* viewport = nullptr;
};

// A square in the XY plane of half-size `half`, facing +Z (anticlockwise
// seen from +Z), texture (0, 0) at its top left, every vertex of colour
// `argb`, registered as mesh `name`. Buffers come from the running engine.
void makeQuadMesh(const std::string& name, float half, uint32_t argb = 0xFFFFFFFFu);
// The same with half-width `halfX` and half-height `halfY`.
void makeRectangleMesh(const std::string& name, float halfX, float halfY, uint32_t argb = 0xFFFFFFFFu);

// Components within `tolerance` of the expected ones (red, green, blue).
::testing::AssertionResult colourNear(const std::vector<int>& actual, int r, int g, int b, int tolerance = 2);
