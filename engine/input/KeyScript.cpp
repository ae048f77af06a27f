#include "input/KeyScript.h"

#include "core/Exception.h"

#include <fstream> // Required for: std::ifstream
#include <sstream> // Required for: std::istringstream

namespace Velk {

namespace {
// A whole-text positive frame number.
bool parseFrame(const std::string& text, unsigned long& frame) {
    if (text.empty() || text.size() > 12 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    frame = std::stoul(text);
    return frame > 0;
}
} // namespace

// Opens and parses the file.
void KeyScript::load(const std::string& fileName) {
    std::ifstream file(fileName);
    if (!file) {
        VELK_EXCEPT(ERR_FILE_NOT_FOUND, "cannot open the key script '" + fileName + "'", "KeyScript::load");
    }
    load(file, fileName);
}

// Parses every line before keeping any, so a bad script changes nothing.
void KeyScript::load(std::istream& stream, const std::string& sourceName) {
    std::vector<Span> parsed;
    std::string line;
    long lineNumber = 0;
    while (std::getline(stream, line)) {
        ++lineNumber;
        const auto hash = line.find('#');
        if (hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        std::string frames;
        if (!(words >> frames)) continue;

        auto fail = [&](const std::string& what) {
            throw Exception(Exception::ERR_INVALIDPARAMS, what, "KeyScript::load", sourceName, lineNumber);
        };
        unsigned long first = 0;
        unsigned long last = 0;
        const auto dash = frames.find('-');
        if (dash == std::string::npos) {
            if (!parseFrame(frames, first)) fail("bad frame number '" + frames + "' (frames count from 1)");
            last = first;
        } else if (!parseFrame(frames.substr(0, dash), first) || !parseFrame(frames.substr(dash + 1), last) ||
                   last < first) {
            fail("bad frame range '" + frames + "' (expected FIRST-LAST, FIRST <= LAST)");
        }
        std::string name;
        bool anyKey = false;
        while (words >> name) {
            const KeyCode key = keyCodeFromName(name);
            if (key == KC_UNASSIGNED) fail("unknown key name '" + name + "'");
            parsed.push_back({first, last, key});
            anyKey = true;
        }
        if (!anyKey) fail("no key names after '" + frames + "'");
    }
    spans_.insert(spans_.end(), parsed.begin(), parsed.end());
}

// All spans covering the frame.
InputState::KeySet KeyScript::keysAt(unsigned long frame) const {
    InputState::KeySet keys{};
    for (const Span& span : spans_) {
        if (frame >= span.first && frame <= span.last) keys[span.key] = true;
    }
    return keys;
}

} // namespace Velk
