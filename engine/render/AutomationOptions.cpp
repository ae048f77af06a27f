#include "render/AutomationOptions.h"

#include "core/Exception.h"
#include "core/StringConverter.h"

#include <sstream> // Required for: std::istringstream

namespace Velk {

namespace {
const char* const source = "Root::setCommandLine";

[[noreturn]] void badOption(const std::string& what) {
    throw Exception(Exception::ERR_INVALIDPARAMS, what + " (see --help)", source);
}

// "N" with N >= 1.
unsigned long parseFrameNumber(const std::string& option, const std::string& text) {
    unsigned int frame = 0;
    if (!StringConverter::parseUnsignedInt(text, frame) || frame == 0)
        badOption(option + " expects a frame number from 1, not '" + text + "'");
    return frame;
}
} // namespace

// Accepts "--name value" and "--name=value".
AutomationOptions AutomationOptions::parse(const std::vector<std::string>& arguments) {
    AutomationOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string name = arguments[i];
        std::optional<std::string> inlineValue;
        const auto equals = name.find('=');
        if (name.rfind("--", 0) == 0 && equals != std::string::npos) {
            inlineValue = name.substr(equals + 1);
            name.erase(equals);
        }
        auto value = [&]() -> std::string {
            if (inlineValue) return *inlineValue;
            if (i + 1 >= arguments.size()) badOption(name + " needs a value");
            return arguments[++i];
        };

        if (name == "--help" || name == "-h") {
            options.helpRequested = true;
        } else if (name == "--offscreen") {
            options.offscreen = true;
        } else if (name == "--frames") {
            options.frameLimit = parseFrameNumber(name, value());
        } else if (name == "--frame-time") {
            const std::string text = value();
            float seconds = 0.0f;
            if (!StringConverter::parseReal(text, seconds) || !(seconds >= 0.0f) || seconds > 3600.0f)
                badOption("--frame-time expects seconds (0 to 3600), not '" + text + "'");
            options.fixedFrameTime = seconds;
        } else if (name == "--key-script") {
            options.keyScriptFile = value();
        } else if (name == "--screenshot") {
            const std::string text = value();
            const auto colon = text.find(':');
            if (colon == std::string::npos || colon + 1 == text.size())
                badOption("--screenshot expects FRAME:FILE, not '" + text + "'");
            const unsigned long frame = parseFrameNumber(name, text.substr(0, colon));
            const auto [taken, added] = options.screenshots.emplace(frame, text.substr(colon + 1));
            if (!added)
                badOption("--screenshot: frame " + std::to_string(frame) + " already has a screenshot ('" +
                          taken->second + "'); one file per frame");
        } else if (name == "--dump-state") {
            options.stateDumpFile = value();
        } else if (name == "--size") {
            const std::string text = value();
            const auto x = text.find('x');
            unsigned int w = 0;
            unsigned int h = 0;
            if (x == std::string::npos || !StringConverter::parseUnsignedInt(text.substr(0, x), w) ||
                !StringConverter::parseUnsignedInt(text.substr(x + 1), h) || w == 0 || h == 0 || w > 16384 ||
                h > 16384)
                badOption("--size expects WIDTHxHEIGHT, not '" + text + "'");
            options.width = w;
            options.height = h;
        } else if (name == "--fsaa") {
            const std::string text = value();
            if (text != "0" && text != "2" && text != "4" && text != "8")
                badOption("--fsaa expects 0, 2, 4 or 8 samples per pixel, not '" + text + "'");
            options.fsaa = std::stoi(text);
        } else if (name == "--dialog-keys") {
            std::vector<KeyCode> keys;
            std::string list = value();
            for (char& c : list) if (c == ',') c = ' ';
            std::istringstream words(list);
            std::string word;
            while (words >> word) {
                const KeyCode key = keyCodeFromName(word);
                if (key == KC_UNASSIGNED) badOption("--dialog-keys: unknown key name '" + word + "'");
                keys.push_back(key);
            }
            options.dialogKeys = keys;
        } else if (name == "--dialog-screenshot") {
            options.dialogScreenshot = value();
        } else {
            badOption("unknown option '" + arguments[i] + "'");
        }
    }
    // A screenshot the loop can never reach would be lost without a word.
    if (options.frameLimit != 0 && !options.screenshots.empty() &&
        options.screenshots.rbegin()->first > options.frameLimit) {
        const auto& [frame, file] = *options.screenshots.rbegin();
        badOption("--screenshot " + std::to_string(frame) + ":" + file + " is after the last frame (--frames " +
                  std::to_string(options.frameLimit) + "), so it would never be taken");
    }
    return options;
}

// Help alone is not counted: it ends the program before anything runs.
bool AutomationOptions::any() const {
    return offscreen || frameLimit != 0 || fixedFrameTime || !keyScriptFile.empty() || !screenshots.empty() ||
           !stateDumpFile.empty() || width != 0 || fsaa || dialogKeys || !dialogScreenshot.empty();
}

// Kept next to the parser so the two stay in step.
std::string AutomationOptions::helpText(const std::string& programName) {
    return "Usage: " + programName + " [options]\n"
           "\n"
           "Engine options for runs without a person or a display (none is needed\n"
           "for normal use; without them the program behaves as usual):\n"
           "  --offscreen              render into an offscreen framebuffer, no window\n"
           "                           (also used when no display can be opened)\n"
           "  --frames N               stop after frame N\n"
           "  --frame-time SECONDS     report this fixed time for every frame\n"
           "  --key-script FILE        hold keys on given frames; lines 'FRAME KEY...' or\n"
           "                           'FIRST-LAST KEY...', keys named like ESCAPE, UP, A, 1;\n"
           "                           'FRAME MOUSE MOVE X Y|PRESS B|RELEASE B|WHEEL N'\n"
           "  --screenshot FRAME:FILE  write the window at that frame (.png or .jpg);\n"
           "                           may be given several times, once per frame,\n"
           "                           for frames up to --frames\n"
           "  --dump-state FILE        write the engine's state as JSON when the loop ends\n"
           "  --size WIDTHxHEIGHT      window size instead of the configured video mode\n"
           "  --fsaa N                 samples per pixel (0, 2, 4 or 8) instead of the\n"
           "                           configured anti-aliasing\n"
           "  --dialog-keys K1,K2,...  show the settings dialog (offscreen too) and feed\n"
           "                           it these keys, one per frame\n"
           "  --dialog-screenshot FILE write the settings dialog's last frame\n"
           "  --help                   show this text\n";
}

} // namespace Velk
