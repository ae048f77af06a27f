#pragma once

#include "GLDriverPin.h"
#include "TempFolder.h"
#include "render/AutomationOptions.h"
#include "render/Root.h"

#include <gtest/gtest.h> // Required for: TEST, EXPECT_EQ

#include <memory> // Required for: std::unique_ptr

// Runs the engine in a folder of its own with the given automation options;
// the root is destroyed (and the options reset) at the end of the test.
class EngineFixture : public ::testing::Test {
protected:
    // Offscreen with a fixed 0.02 s frame and a 64 x 48 window unless changed.
    static Velk::AutomationOptions offscreenOptions() {
        Velk::AutomationOptions options;
        options.offscreen = true;
        options.fixedFrameTime = 0.02f;
        options.width = 64;
        options.height = 48;
        return options;
    }

    // Creates the root with these options and files inside the folder.
    Velk::Root& startEngine(const Velk::AutomationOptions& options) {
        Velk::Root::setAutomationOptions(options);
        root = std::make_unique<Velk::Root>(folder.path("plugins.cfg"), folder.path("velk.cfg"),
                                            folder.path("Velk.log"));
        return *root;
    }

    void SetUp() override { pinGLDriver(); }

    void TearDown() override {
        root.reset();
        Velk::Root::setAutomationOptions({});
    }

    TempFolder folder;
    std::unique_ptr<Velk::Root> root;
};
