#include "material/MaterialScriptParser.h"

#include "core/Exception.h"
#include "core/StringConverter.h"
#include "material/MaterialManager.h"

#include <array>      // Required for: std::array
#include <fstream>    // Required for: std::ifstream
#include <functional> // Required for: std::function
#include <sstream>    // Required for: std::istringstream
#include <vector>     // Required for: std::vector

namespace Velk {

namespace {

constexpr const char* operation = "MaterialScriptParser::parse";

// One statement: its words and the line it stands on.
struct Statement {
    std::vector<std::string> words;
    long line = 0;
};

// A material as read, applied to a new material once the file is whole.
struct Definition {
    std::string name;
    long line = 0;
    std::vector<std::function<void(Pass&)>> settings;
};

// Reports a script error at a line of the file.
[[noreturn]] void fail(const std::string& fileName, long line, const std::string& what) {
    throw Exception(Exception::ERR_INVALIDPARAMS, "material script error: " + what, operation, fileName, line);
}

// Splits into words, dropping comments ("//" or "#" to the end of the line).
std::vector<Statement> readStatements(std::istream& in) {
    std::vector<Statement> statements;
    std::string text;
    long line = 0;
    while (std::getline(in, text)) {
        ++line;
        const std::size_t slashes = text.find("//");
        if (slashes != std::string::npos) text.erase(slashes);
        const std::size_t hash = text.find('#');
        if (hash != std::string::npos) text.erase(hash);
        std::istringstream words(text);
        Statement statement{{}, line};
        for (std::string word; words >> word;) statement.words.push_back(word);
        if (!statement.words.empty()) statements.push_back(std::move(statement));
    }
    return statements;
}

// "on" or "off".
bool readSwitch(const Statement& s, const std::string& fileName) {
    if (s.words.size() != 2 || (s.words[1] != "on" && s.words[1] != "off"))
        fail(fileName, s.line, "expected '" + s.words[0] + " on' or '" + s.words[0] + " off'");
    return s.words[1] == "on";
}

// A finite number that must use the whole word.
float readNumber(const Statement& s, std::size_t index, const std::string& fileName) {
    const std::string& word = s.words[index];
    float value = 0.0f;
    if (!StringConverter::parseReal(word, value))
        fail(fileName, s.line, "expected a finite number for '" + s.words[0] + "', found '" + word + "'");
    return value;
}

// A colour channel: a number from 0 to 1.
float readChannel(const Statement& s, std::size_t index, const std::string& fileName) {
    const float value = readNumber(s, index, fileName);
    if (!(value >= 0.0f && value <= 1.0f))
        fail(fileName, s.line,
             "expected a number from 0 to 1 for '" + s.words[0] + "', found '" + s.words[index] + "'");
    return value;
}

// One of `names`, whose position is the value.
template <class Enum>
Enum readChoice(const Statement& s, const std::string& fileName, const std::vector<std::pair<const char*, Enum>>& names) {
    std::string known;
    for (const auto& [name, value] : names) {
        if (s.words.size() == 2 && s.words[1] == name) return value;
        known += known.empty() ? name : std::string(", ") + name;
    }
    fail(fileName, s.line, "expected '" + s.words[0] + "' followed by one of: " + known);
}

// One setting of a material block into its definition.
void readSetting(const Statement& s, const std::string& fileName, Definition& definition) {
    const std::string& key = s.words[0];
    auto& settings = definition.settings;
    if (key == "lighting") {
        const bool on = readSwitch(s, fileName);
        settings.push_back([on](Pass& p) { p.setLightingEnabled(on); });
    } else if (key == "depth_write") {
        const bool on = readSwitch(s, fileName);
        settings.push_back([on](Pass& p) { p.setDepthWriteEnabled(on); });
    } else if (key == "depth_check") {
        const bool on = readSwitch(s, fileName);
        settings.push_back([on](Pass& p) { p.setDepthCheckEnabled(on); });
    } else if (key == "diffuse") {
        if (s.words.size() != 4 && s.words.size() != 5) fail(fileName, s.line, "expected 'diffuse <r> <g> <b> [<a>]'");
        const ColourValue c(readChannel(s, 1, fileName), readChannel(s, 2, fileName), readChannel(s, 3, fileName),
                            s.words.size() == 5 ? readChannel(s, 4, fileName) : 1.0f);
        settings.push_back([c](Pass& p) { p.setDiffuse(c); });
    } else if (key == "ambient") {
        if (s.words.size() != 4) fail(fileName, s.line, "expected 'ambient <r> <g> <b>'");
        const ColourValue c(readChannel(s, 1, fileName), readChannel(s, 2, fileName), readChannel(s, 3, fileName));
        settings.push_back([c](Pass& p) { p.setAmbient(c); });
    } else if (key == "scene_blend") {
        const SceneBlendType type = readChoice<SceneBlendType>(s, fileName,
                                                               {{"alpha_blend", SBT_TRANSPARENT_ALPHA},
                                                                {"colour_blend", SBT_TRANSPARENT_COLOUR},
                                                                {"add", SBT_ADD},
                                                                {"modulate", SBT_MODULATE},
                                                                {"replace", SBT_REPLACE}});
        settings.push_back([type](Pass& p) { p.setSceneBlending(type); });
    } else if (key == "cull_hardware") {
        const CullingMode mode = readChoice<CullingMode>(
            s, fileName, {{"none", CULL_NONE}, {"clockwise", CULL_CLOCKWISE}, {"anticlockwise", CULL_ANTICLOCKWISE}});
        settings.push_back([mode](Pass& p) { p.setCullingMode(mode); });
    } else if (key == "cull_software") {
        const ManualCullingMode mode = readChoice<ManualCullingMode>(
            s, fileName, {{"none", MANUAL_CULL_NONE}, {"back", MANUAL_CULL_BACK}, {"front", MANUAL_CULL_FRONT}});
        settings.push_back([mode](Pass& p) { p.setManualCullingMode(mode); });
    } else if (key == "texture") {
        if (s.words.size() != 2 && s.words.size() != 3)
            fail(fileName, s.line, "expected 'texture <image file> [<coordinate set>]'");
        const std::string file = s.words[1];
        unsigned int set = 0;
        if (s.words.size() == 3) {
            const float number = readNumber(s, 2, fileName);
            if (number < 0.0f || number > 7.0f || number != static_cast<float>(static_cast<unsigned>(number)))
                fail(fileName, s.line, "expected a coordinate set from 0 to 7, found '" + s.words[2] + "'");
            set = static_cast<unsigned>(number);
        }
        const long line = s.line;
        settings.push_back([file, set, fileName, line](Pass& p) {
            try {
                p.createTextureUnitState(file, static_cast<unsigned short>(set));
            } catch (const Exception& error) {
                throw Exception(error.getNumber(), error.getDescription(), operation, fileName, line);
            }
        });
    } else if (key == "cubic_texture") {
        if (s.words.size() != 7)
            fail(fileName, s.line, "expected 'cubic_texture' followed by six face images (+X -X +Y -Y +Z -Z)");
        const std::array<std::string, 6> faces{s.words[1], s.words[2], s.words[3], s.words[4], s.words[5], s.words[6]};
        const std::string name = definition.name + "/cube";
        const long line = s.line;
        settings.push_back([faces, name, fileName, line](Pass& p) {
            try {
                p.createCubicTextureUnitState(name, faces);
            } catch (const Exception& error) {
                throw Exception(error.getNumber(), error.getDescription(), operation, fileName, line);
            }
        });
    } else {
        fail(fileName, s.line,
             "unknown setting '" + key +
                 "' (expected lighting, diffuse, ambient, scene_blend, cull_hardware, cull_software, depth_write, "
                 "depth_check, texture, cubic_texture or '}')");
    }
}

// material <name> { settings } ... to the end of the file.
std::vector<Definition> readDefinitions(const std::vector<Statement>& statements, const std::string& fileName) {
    std::vector<Definition> definitions;
    std::size_t i = 0;
    while (i < statements.size()) {
        const Statement& head = statements[i];
        if (head.words[0] != "material" || head.words.size() < 2)
            fail(fileName, head.line, "expected 'material <name>', found '" + head.words[0] + "'");
        const bool braceOnHead = head.words.size() == 3 && head.words[2] == "{";
        if (head.words.size() > 2 && !braceOnHead)
            fail(fileName, head.line, "expected one name after 'material' (names have no spaces)");
        Definition definition{head.words[1], head.line, {}};
        ++i;
        if (!braceOnHead) {
            if (i >= statements.size() || statements[i].words[0] != "{" || statements[i].words.size() != 1)
                fail(fileName, i < statements.size() ? statements[i].line : head.line,
                     "expected '{' after 'material " + definition.name + "'");
            ++i;
        }
        bool closed = false;
        for (; i < statements.size(); ++i) {
            if (statements[i].words[0] == "}") {
                if (statements[i].words.size() != 1) fail(fileName, statements[i].line, "expected nothing after '}'");
                closed = true;
                ++i;
                break;
            }
            readSetting(statements[i], fileName, definition);
        }
        if (!closed) fail(fileName, statements.back().line, "expected '}' to close material '" + definition.name + "'");
        for (const Definition& earlier : definitions)
            if (earlier.name == definition.name)
                fail(fileName, head.line,
                     "material '" + definition.name + "' is defined twice (first at line " +
                         std::to_string(earlier.line) + ")");
        definitions.push_back(std::move(definition));
    }
    return definitions;
}

} // namespace

// Two steps: read and check everything, then make the materials.
void parseMaterialScript(std::istream& in, const std::string& fileName, MaterialManager& manager) {
    const std::vector<Definition> definitions = readDefinitions(readStatements(in), fileName);
    for (const Definition& definition : definitions)
        if (manager.getMaterialCount() != 0 && manager.resourceExistsWithoutScripts(definition.name))
            throw Exception(Exception::ERR_DUPLICATE_ITEM,
                            "material script error: material '" + definition.name + "' already exists", operation,
                            fileName, definition.line);
    for (const Definition& definition : definitions) {
        const MaterialPtr material = manager.create(definition.name);
        material->_setOrigin(fileName, definition.line);
        Pass& pass = *material->getDrawPass();
        for (const auto& setting : definition.settings) setting(pass);
    }
}

void parseMaterialScriptFile(const std::string& path, MaterialManager& manager) {
    std::ifstream in(path);
    if (!in)
        throw Exception(Exception::ERR_FILE_NOT_FOUND, "cannot open material script '" + path + "'", operation, path, 0);
    parseMaterialScript(in, path, manager);
}

} // namespace Velk
