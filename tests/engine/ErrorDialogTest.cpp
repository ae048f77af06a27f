#include "render/ErrorDialog.h"

#include "render/Root.h"

#include <gtest/gtest.h> // Required for: TEST, EXPECT_EQ

using namespace Velk;

// An automated run never waits on a box, but the text always reaches stderr.
TEST(ErrorDialog, AlwaysWritesCaptionAndTextToStandardError) {
    AutomationOptions options;
    options.offscreen = true;
    Root::setAutomationOptions(options);
    testing::internal::CaptureStderr();
    showErrorDialog("An exception has occured!", "Root::initialise: no window (at velk.cfg:2)");
    const std::string written = testing::internal::GetCapturedStderr();
    Root::setAutomationOptions({});
    EXPECT_EQ(written, "An exception has occured!\nRoot::initialise: no window (at velk.cfg:2)\n");
}
