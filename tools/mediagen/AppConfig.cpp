#include "AppConfig.h"

#include <filesystem> // Required for: std::filesystem::absolute
#include <fstream>    // Required for: std::ofstream
#include <stdexcept>  // Required for: std::runtime_error

namespace {
// Writes one text file or throws.
void writeText(const std::string& fileName, const std::string& text) {
    std::ofstream out(fileName, std::ios::trunc);
    out << text;
    out.flush();
    if (!out) throw std::runtime_error("cannot write " + fileName);
}
} // namespace

// The program runs in the app folder, so the media folder is given whole.
void writeAppConfig(const std::string& appFolder, const std::string& mediaFolder) {
    std::filesystem::create_directories(appFolder);
    const std::string media = std::filesystem::absolute(mediaFolder).lexically_normal().string();
    writeText(appFolder + "/resources.cfg",
              "# Where the program finds its media: type=location\nFileSystem=" + media + "\n");
    writeText(appFolder + "/plugins.cfg", "# The render system the engine uses\nRenderSystem=OpenGL 3.3 Core\n");
}
