#include "render/ErrorDialog.h"

#include "gl/SdlDisplay.h"
#include "render/Root.h"

#include <iostream> // Required for: std::cerr

namespace Velk {

// Standard error first, so the text is there even if the box cannot show.
void showErrorDialog(const std::string& caption, const std::string& text) {
    std::cerr << caption << "\n" << text << std::endl;
    const AutomationOptions& options = Root::getAutomationOptions();
    if (options.any()) return;
    if (!GL::probeDisplay()) return;
    GL::showSdlErrorBox(caption, text);
}

} // namespace Velk
