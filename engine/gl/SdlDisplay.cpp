#include "gl/SdlDisplay.h"

#include <SDL2/SDL.h> // Required for: SDL_InitSubSystem, SDL_GetDisplayMode, SDL_ShowSimpleMessageBox

#include <algorithm> // Required for: std::sort, std::unique
#include <utility>   // Required for: std::pair

namespace Velk::GL {

namespace {
// SDL's "dummy" and "offscreen" video drivers open without any display: a
// window of theirs is never seen, so a settings dialog in one would wait
// for a person who cannot see it. They do not count as a display.
bool isRealDisplay(const char* driver) {
    if (driver == nullptr) return false;
    const std::string name = driver;
    return name != "dummy" && name != "offscreen" && name != "evdev"; // evdev: dummy video, device input
}
} // namespace

// Opens and closes the video subsystem; the modes are read in between.
bool probeDisplay(std::vector<std::string>* videoModes) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    if (!isRealDisplay(SDL_GetCurrentVideoDriver())) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    if (videoModes != nullptr) {
        std::vector<std::pair<int, int>> sizes;
        const int count = SDL_GetNumDisplayModes(0);
        for (int i = 0; i < count; ++i) {
            SDL_DisplayMode mode{};
            if (SDL_GetDisplayMode(0, i, &mode) == 0 && mode.w >= 320 && mode.h >= 240)
                sizes.emplace_back(mode.w, mode.h);
        }
        std::sort(sizes.begin(), sizes.end());
        sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
        videoModes->clear();
        for (const auto& [w, h] : sizes) videoModes->push_back(std::to_string(w) + " x " + std::to_string(h));
    }
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return true;
}

// SDL's simple box is modal and has one OK button.
bool showSdlErrorBox(const std::string& caption, const std::string& text) {
    return SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption.c_str(), text.c_str(), nullptr) == 0;
}

} // namespace Velk::GL
