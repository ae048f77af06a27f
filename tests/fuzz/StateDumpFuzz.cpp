// Feeds arbitrary bytes as a material name, an overlay name, an element name
// and its caption into the engine's state dump: names are whatever scripts
// and code say, and on Linux any bytes but '/' and NUL make a legal file
// name too. The dump must always be written and read back as JSON.
#include "core/Exception.h"
#include "material/MaterialManager.h"
#include "overlay/GuiManager.h"
#include "overlay/Overlay.h"
#include "overlay/OverlayManager.h"
#include "overlay/TextAreaGuiElement.h"
#include "render/Root.h"

#include <nlohmann/json.hpp> // Required for: nlohmann::json

#include <algorithm>   // Required for: std::min
#include <cstddef>    // Required for: std::size_t
#include <cstdlib>    // Required for: std::atexit
#include <cstdint>    // Required for: std::uint8_t
#include <fstream>    // Required for: std::ifstream
#include <iterator>   // Required for: std::istreambuf_iterator
#include <memory>     // Required for: std::unique_ptr
#include <string>     // Required for: std::string
#include <string_view> // Required for: std::string_view

namespace {
std::unique_ptr<Velk::Root> root;

// The next part of the input: one length byte, then that many bytes.
std::string take(std::string_view& input) {
    if (input.empty()) return {};
    const std::size_t length = std::min<std::size_t>(static_cast<unsigned char>(input[0]), input.size() - 1);
    std::string part(input.substr(1, length));
    input.remove_prefix(1 + length);
    return part;
}
} // namespace

// One engine for the whole run, without a window: the dump needs no GL.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    Velk::AutomationOptions options;
    options.offscreen = true;
    Velk::Root::setAutomationOptions(options);
    root = std::make_unique<Velk::Root>("plugins.cfg", "velk.cfg", "fuzz.log");
    std::atexit([] { root.reset(); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string materialName = take(input);
    const std::string overlayName = take(input);
    const std::string elementName = take(input);
    const std::string caption(input);
    if (materialName.empty() || overlayName.empty() || elementName.empty()) return 0;

    // Made fresh for each input, so that one input's names never meet the next's.
    Velk::MaterialManager materials;
    Velk::OverlayManager overlays;
    materials.create(materialName);
    Velk::Overlay* overlay = overlays.create(overlayName);
    Velk::GuiElement* element =
        Velk::GuiManager::getSingleton().addGuiElement(std::make_unique<Velk::TextAreaGuiElement>(elementName));
    element->setCaption(caption);
    overlay->add2D(element);
    try {
        root->writeStateDump("state.json");
    } catch (const Velk::Exception&) {
        __builtin_trap(); // the dump of names that the engine accepted must be written
    }
    std::ifstream in("state.json", std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const nlohmann::json state = nlohmann::json::parse(text, nullptr, false);
    if (state.is_discarded() || !state.contains("materials") || !state.contains("overlays")) __builtin_trap();
    if (state["materials"].size() != 1 || state["overlays"].size() != 1) __builtin_trap();
    return 0;
}
