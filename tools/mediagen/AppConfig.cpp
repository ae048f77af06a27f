#include "AppConfig.h"

#include "core/FileWriter.h" // Required for: Velk::writeFileAtomically

#include <filesystem> // Required for: std::filesystem::absolute

namespace {
// Writes one text file whole or throws.
void writeText(const std::string& fileName, const std::string& text) { Velk::writeFileAtomically(fileName, text); }
} // namespace

// The program runs in the app folder, so the media folder is given whole.
void writeAppConfig(const std::string& appFolder, const std::string& mediaFolder) {
    std::filesystem::create_directories(appFolder);
    const std::string media = std::filesystem::absolute(mediaFolder).lexically_normal().string();
    writeText(appFolder + "/resources.cfg",
              "# Where the program finds its media: type=location\nFileSystem=" + media + "\n");
    writeText(appFolder + "/plugins.cfg", "# The render system the engine uses\nRenderSystem=OpenGL 3.3 Core\n");
}
