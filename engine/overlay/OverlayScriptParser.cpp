#include "overlay/OverlayScriptParser.h"

#include "core/Exception.h"
#include "core/StringConverter.h"
#include "overlay/PanelGuiElement.h"
#include "overlay/TextAreaGuiElement.h"

#include <utility> // Required for: std::move

namespace Velk {

namespace {
using Kind = OverlayToken::Kind;
const char* const source = "OverlayScriptParser::parse";
const char* const elementProperties =
    "metrics, halign, valign, position, size, colour, caption, visible, border (panels), font_size (text), "
    "panel or text (panels)";
} // namespace

OverlayScriptParser::OverlayScriptParser(NameInUse overlayExists, NameInUse elementExists)
    : overlayExists_(std::move(overlayExists)), elementExists_(std::move(elementExists)) {}

// The whole script is read before anything is handed out, so a script with
// an error leaves no half-made overlays behind.
OverlayScript OverlayScriptParser::parse(std::istream& stream, const std::string& sourceName) {
    sourceName_ = sourceName;
    tokens_ = tokenizeOverlayScript(stream, sourceName);
    pos_ = 0;
    script_ = {};
    overlayNames_.clear();
    elementNames_.clear();
    while (true) {
        skipLineEnds();
        if (peek().kind == Kind::End) break;
        const OverlayToken& keyword = next();
        if (keyword.kind != Kind::Word || keyword.text != "overlay") fail("'overlay' to start a definition", keyword);
        parseOverlay();
    }
    return std::move(script_);
}

// The current token; the end of the script is never passed.
const OverlayToken& OverlayScriptParser::next() {
    const OverlayToken& token = tokens_[pos_];
    if (token.kind != Kind::End) ++pos_;
    return token;
}

// Blank lines and comment lines end up as line ends only.
void OverlayScriptParser::skipLineEnds() {
    while (peek().kind == Kind::EndOfLine) ++pos_;
}

// "expected X, found Y" at the line of the token found.
void OverlayScriptParser::fail(const std::string& expected, const OverlayToken& found) const {
    failAt(found.line, "expected " + expected + ", found " + describeToken(found));
}

// An engine error at a line of the script.
void OverlayScriptParser::failAt(long line, const std::string& what) const {
    throw Exception(Exception::ERR_INVALIDPARAMS, what, source, sourceName_, line);
}

// A name is a word or a quoted string on the same line.
std::string OverlayScriptParser::readName(const std::string& what) {
    const OverlayToken& token = next();
    if ((token.kind != Kind::Word && token.kind != Kind::String) || token.text.empty()) fail(what, token);
    return token.text;
}

// The brace may stand on the header's line or on a line of its own.
void OverlayScriptParser::openBlock(const std::string& what) {
    const OverlayToken& header = peek();
    if (header.kind != Kind::EndOfLine && header.kind != Kind::Open) fail("'{' after " + what, header);
    skipLineEnds();
    const OverlayToken& open = next();
    if (open.kind != Kind::Open) fail("'{' to open " + what, open);
}

// overlay <name> { zorder <n> | panel ... | text ... }
void OverlayScriptParser::parseOverlay() {
    const long line = tokens_[pos_ - 1].line;
    const std::string name = readName("an overlay name after 'overlay'");
    if (overlayExists_(name) || overlayNames_.count(name) != 0)
        failAt(line, "an overlay named '" + name + "' is already defined");
    overlayNames_.insert(name);
    openBlock("overlay '" + name + "'");
    auto overlay = std::make_unique<Overlay>(name, 100);
    while (true) {
        skipLineEnds();
        const OverlayToken& token = next();
        if (token.kind == Kind::Close) break;
        if (token.kind == Kind::End)
            fail("'}' to close overlay '" + name + "' (opened at line " + std::to_string(line) + ")", token);
        if (token.kind != Kind::Word) fail("zorder, panel or text in overlay '" + name + "'", token);
        if (token.text == "panel" || token.text == "text") {
            overlay->add2D(parseElement(token.text));
        } else if (token.text == "zorder") {
            const std::vector<OverlayToken> values = readValues("zorder");
            int zOrder = 0;
            if (values.size() != 1 || !StringConverter::parseInt(values[0].text, zOrder))
                failAt(token.line, "expected one whole number after 'zorder'");
            overlay->setZOrder(zOrder);
        } else {
            fail("zorder, panel or text in overlay '" + name + "'", token);
        }
    }
    script_.overlays.push_back(std::move(overlay));
}

// panel|text <name> { properties and, in panels, further elements }
GuiElement* OverlayScriptParser::parseElement(const std::string& kind) {
    const long line = tokens_[pos_ - 1].line;
    const std::string name = readName("an element name after '" + kind + "'");
    if (elementExists_(name) || elementNames_.count(name) != 0)
        failAt(line, "an overlay element named '" + name + "' is already defined");
    elementNames_.insert(name);
    std::unique_ptr<GuiElement> element;
    if (kind == "panel") {
        element = std::make_unique<PanelGuiElement>(name);
    } else {
        element = std::make_unique<TextAreaGuiElement>(name);
    }
    openBlock(kind + " '" + name + "'");
    while (true) {
        skipLineEnds();
        const OverlayToken& token = next();
        if (token.kind == Kind::Close) break;
        if (token.kind == Kind::End)
            fail("'}' to close " + kind + " '" + name + "' (opened at line " + std::to_string(line) + ")", token);
        if (token.kind != Kind::Word) fail(std::string("a property (") + elementProperties + ")", token);
        if (token.text == "panel" || token.text == "text") {
            if (!element->isContainer()) failAt(token.line, "a text element cannot hold '" + token.text + "'");
            element->addChild(parseElement(token.text));
        } else {
            applyProperty(*element, token, readValues(token.text));
        }
    }
    GuiElement* made = element.get();
    script_.elements.push_back(std::move(element));
    return made;
}

// Words and strings up to the end of the line; a brace there is an error.
std::vector<OverlayToken> OverlayScriptParser::readValues(const std::string& property) {
    std::vector<OverlayToken> values;
    while (peek().kind == Kind::Word || peek().kind == Kind::String) values.push_back(next());
    const OverlayToken& end = peek();
    if (end.kind != Kind::EndOfLine && end.kind != Kind::End)
        fail("the end of the line after the values of '" + property + "'", end);
    return values;
}

namespace {
// Reads `count` finite numbers from the values starting at `first` (NaN and
// infinity are refused by the converter).
bool readNumbers(const std::vector<OverlayToken>& values, std::size_t first, std::size_t count, float* out) {
    if (values.size() < first + count) return false;
    for (std::size_t i = 0; i < count; ++i)
        if (!StringConverter::parseReal(values[first + i].text, out[i])) return false;
    return true;
}

// r g b or r g b a, each 0 to 1, from `first` on.
bool readColour(const std::vector<OverlayToken>& values, std::size_t first, ColourValue& colour) {
    if (values.size() < first) return false;
    const std::size_t count = values.size() - first;
    if (count != 3 && count != 4) return false;
    float channels[4] = {0, 0, 0, 1};
    if (!readNumbers(values, first, count, channels)) return false;
    for (float channel : channels)
        if (!(channel >= 0.0f && channel <= 1.0f)) return false;
    colour = ColourValue(channels[0], channels[1], channels[2], channels[3]);
    return true;
}
} // namespace

// Each property checks its own values and says what it expected.
void OverlayScriptParser::applyProperty(GuiElement& element, const OverlayToken& property,
                                        const std::vector<OverlayToken>& values) {
    const std::string& name = property.text;
    const long line = property.line;
    const std::string word = values.size() == 1 ? values[0].text : std::string();
    float numbers[2] = {0, 0};
    ColourValue colour;
    if (name == "metrics") {
        if (word == "pixels") element.setMetricsMode(GuiElement::Metrics::Pixels);
        else if (word == "relative") element.setMetricsMode(GuiElement::Metrics::Relative);
        else failAt(line, "expected 'pixels' or 'relative' after 'metrics'");
    } else if (name == "halign") {
        using Align = GuiElement::HorizontalAlign;
        if (word == "left") element.setHorizontalAlignment(Align::Left);
        else if (word == "centre" || word == "center") element.setHorizontalAlignment(Align::Centre);
        else if (word == "right") element.setHorizontalAlignment(Align::Right);
        else failAt(line, "expected 'left', 'centre' or 'right' after 'halign'");
    } else if (name == "valign") {
        using Align = GuiElement::VerticalAlign;
        if (word == "top") element.setVerticalAlignment(Align::Top);
        else if (word == "centre" || word == "center") element.setVerticalAlignment(Align::Centre);
        else if (word == "bottom") element.setVerticalAlignment(Align::Bottom);
        else failAt(line, "expected 'top', 'centre' or 'bottom' after 'valign'");
    } else if (name == "position") {
        if (values.size() != 2 || !readNumbers(values, 0, 2, numbers))
            failAt(line, "expected two finite numbers (left top) after 'position'");
        element.setPosition(numbers[0], numbers[1]);
    } else if (name == "size") {
        if (values.size() != 2 || !readNumbers(values, 0, 2, numbers) || numbers[0] < 0 || numbers[1] < 0)
            failAt(line, "expected two finite numbers of at least 0 (width height) after 'size'");
        element.setDimensions(numbers[0], numbers[1]);
    } else if (name == "colour" || name == "color") {
        if (!readColour(values, 0, colour))
            failAt(line, "expected three or four numbers from 0 to 1 (r g b [a]) after '" + name + "'");
        element.setColour(colour);
    } else if (name == "caption") {
        if (values.size() != 1) failAt(line, "expected one word or one quoted text after 'caption'");
        element.setCaption(values[0].text);
    } else if (name == "visible") {
        bool visible = true;
        if (values.size() != 1 || !StringConverter::parseBool(word, visible))
            failAt(line, "expected 'true' or 'false' after 'visible'");
        if (visible) element.show();
        else element.hide();
    } else if (auto* panel = dynamic_cast<PanelGuiElement*>(&element); panel != nullptr && name == "border") {
        if (!readNumbers(values, 0, 1, numbers) || numbers[0] < 0 || !readColour(values, 1, colour))
            failAt(line, "expected a width of at least 0 and three or four numbers from 0 to 1 "
                         "(width r g b [a]) after 'border'");
        panel->setBorder(numbers[0], colour);
    } else if (auto* text = dynamic_cast<TextAreaGuiElement*>(&element); text != nullptr && name == "font_size") {
        if (values.size() != 1 || !readNumbers(values, 0, 1, numbers) || !(numbers[0] > 0))
            failAt(line, "expected one finite number above 0 after 'font_size'");
        text->setFontSize(numbers[0]);
    } else {
        failAt(line, "expected a property of " + std::string(element.getTypeName()) + " '" + element.getName() +
                         "' (" + elementProperties + "), found '" + name + "'");
    }
}

} // namespace Velk
