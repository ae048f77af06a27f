#include "input/KeyScript.h"

#include "core/Exception.h"

#include <cctype>     // Required for: std::toupper
#include <cerrno>     // Required for: errno
#include <cstring>    // Required for: std::strerror
#include <filesystem> // Required for: std::filesystem::is_directory
#include <fstream>    // Required for: std::ifstream
#include <sstream>    // Required for: std::istringstream

namespace Velk {

namespace {
// A whole-text positive frame number.
bool parseFrame(const std::string& text, unsigned long& frame) {
    if (text.empty() || text.size() > 12 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    frame = std::stoul(text);
    return frame > 0;
}

// A whole-text integer within +-100000 (positions and wheel steps).
bool parseInteger(const std::string& text, int& value) {
    const std::size_t digits = text.rfind('-', 0) == 0 ? 1 : 0;
    if (text.size() <= digits || text.size() > digits + 6 ||
        text.find_first_not_of("0123456789", digits) != std::string::npos)
        return false;
    value = std::stoi(text);
    return value >= -100000 && value <= 100000;
}

// Engine button number of LEFT, RIGHT or MIDDLE (any case); -1 otherwise.
int parseButton(std::string name) {
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (name == "LEFT") return 0;
    if (name == "RIGHT") return 1;
    if (name == "MIDDLE") return 2;
    return -1;
}

// Whether the word is MOUSE, in any case.
bool isMouseWord(std::string word) {
    for (char& c : word) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return word == "MOUSE";
}

// "MOVE X Y", "PRESS BUTTON", "RELEASE BUTTON" or "WHEEL STEPS", nothing after.
template <class Fail>
MouseAction parseMouse(std::istream& words, unsigned long frame, const Fail& fail) {
    MouseAction action;
    action.frame = frame;
    std::string kind;
    std::string a;
    std::string b;
    words >> kind;
    for (char& c : kind) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (kind == "MOVE") {
        action.kind = MouseAction::MOVE;
        if (!(words >> a >> b) || !parseInteger(a, action.x) || !parseInteger(b, action.y))
            fail("MOUSE MOVE expects two whole pixel numbers X Y");
    } else if (kind == "PRESS" || kind == "RELEASE") {
        action.kind = kind == "PRESS" ? MouseAction::PRESS : MouseAction::RELEASE;
        if (!(words >> a) || (action.button = parseButton(a)) < 0)
            fail("MOUSE " + kind + " expects a button: LEFT, RIGHT or MIDDLE");
    } else if (kind == "WHEEL") {
        action.kind = MouseAction::WHEEL;
        if (!(words >> a) || !parseInteger(a, action.steps)) fail("MOUSE WHEEL expects whole steps, like 1 or -2");
    } else {
        fail("unknown mouse action '" + kind + "' (expected MOVE, PRESS, RELEASE or WHEEL)");
    }
    if (words >> a) fail("unexpected '" + a + "' after the mouse action");
    return action;
}

enum class LineRead { Line, End, TooLong, TooBig };

// Reads one line into `line` without ever holding more than MAX_LINE
// characters of it; `total` counts the bytes of the whole script.
LineRead readLine(std::istream& stream, std::string& line, std::size_t& total) {
    line.clear();
    bool any = false;
    char c = 0;
    while (stream.get(c)) {
        any = true;
        if (++total > KeyScript::MAX_BYTES) return LineRead::TooBig;
        if (c == '\n') return LineRead::Line;
        if (line.size() == KeyScript::MAX_LINE) return LineRead::TooLong;
        line.push_back(c);
    }
    return any ? LineRead::Line : LineRead::End;
}
} // namespace

// Opens and parses the file. A folder opens like a file on Linux but reads
// nothing, so it is refused by name before it could pass as an empty script.
void KeyScript::load(const std::string& fileName) {
    std::error_code ignored;
    if (std::filesystem::is_directory(fileName, ignored)) {
        throw Exception(Exception::ERR_INVALIDPARAMS, "the key script is a folder, not a file", "KeyScript::load",
                        fileName, 0);
    }
    errno = 0;
    std::ifstream file(fileName, std::ios::binary);
    if (!file) {
        const std::string reason = errno != 0 ? std::strerror(errno) : "unknown reason";
        throw Exception(Exception::ERR_FILE_NOT_FOUND, "cannot open the key script: " + reason, "KeyScript::load",
                        fileName, 0);
    }
    load(file, fileName);
}

// Parses every line before keeping any, so a bad script changes nothing.
void KeyScript::load(std::istream& stream, const std::string& sourceName) {
    std::vector<Span> parsed;
    std::vector<MouseAction> parsedMouse;
    std::string line;
    long lineNumber = 0;
    std::size_t total = 0;
    for (;;) {
        const LineRead read = readLine(stream, line, total);
        if (read == LineRead::End) break;
        ++lineNumber;
        if (read == LineRead::TooLong) {
            throw Exception(Exception::ERR_INVALIDPARAMS,
                            "line longer than " + std::to_string(MAX_LINE) + " characters (not a key script?)",
                            "KeyScript::load", sourceName, lineNumber);
        }
        if (read == LineRead::TooBig) {
            throw Exception(Exception::ERR_INVALIDPARAMS,
                            "script larger than " + std::to_string(MAX_BYTES) + " bytes (not a key script?)",
                            "KeyScript::load", sourceName, lineNumber);
        }
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
        if (words >> name && isMouseWord(name)) {
            if (last != first) fail("a mouse line acts on one frame, not on '" + frames + "'");
            parsedMouse.push_back(parseMouse(words, first, fail));
            continue;
        }
        words.clear();
        words.seekg(0);
        words >> frames;
        bool anyKey = false;
        while (words >> name) {
            const KeyCode key = keyCodeFromName(name);
            if (key == KC_UNASSIGNED) fail("unknown key name '" + name + "'");
            parsed.push_back({first, last, key});
            anyKey = true;
        }
        if (!anyKey) fail("no key names after '" + frames + "'");
    }
    if (stream.bad()) {
        throw Exception(Exception::ERR_INVALIDPARAMS, "the key script could not be read to its end",
                        "KeyScript::load", sourceName, lineNumber);
    }
    spans_.insert(spans_.end(), parsed.begin(), parsed.end());
    mouse_.insert(mouse_.end(), parsedMouse.begin(), parsedMouse.end());
}

// Every action of the frame, in the order the script gives them.
std::vector<MouseAction> KeyScript::mouseAt(unsigned long frame) const {
    std::vector<MouseAction> actions;
    for (const MouseAction& action : mouse_)
        if (action.frame == frame) actions.push_back(action);
    return actions;
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
