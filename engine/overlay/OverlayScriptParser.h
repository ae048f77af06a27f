#pragma once

#include "overlay/GuiElement.h"         // Required for: GuiElement
#include "overlay/Overlay.h"            // Required for: Overlay
#include "overlay/OverlayScriptLexer.h" // Required for: OverlayToken

#include <functional> // Required for: std::function
#include <istream>    // Required for: std::istream
#include <memory>     // Required for: std::unique_ptr
#include <set>        // Required for: std::set
#include <string>     // Required for: std::string
#include <vector>     // Required for: std::vector

namespace Velk {

// What one overlay script defines, not yet handed to the managers.
struct OverlayScript {
    std::vector<std::unique_ptr<Overlay>> overlays;
    std::vector<std::unique_ptr<GuiElement>> elements;
};

// Reads the overlay script format (media/README.md describes it):
//
//   overlay <name>
//   {
//       zorder <integer>
//       panel <name>
//       {
//           <property> <values>
//           text <name> { ... }
//       }
//   }
//
// Errors are engine errors with the script's name, the line, and what was
// expected there.
class OverlayScriptParser {
public:
    using NameInUse = std::function<bool(const std::string&)>;

    // The two functions tell which overlay and element names exist already.
    OverlayScriptParser(NameInUse overlayExists, NameInUse elementExists);

    OverlayScript parse(std::istream& stream, const std::string& sourceName);

private:
    const OverlayToken& peek() const { return tokens_[pos_]; }
    const OverlayToken& next();
    void skipLineEnds();
    [[noreturn]] void fail(const std::string& expected, const OverlayToken& found) const;
    [[noreturn]] void failAt(long line, const std::string& what) const;
    std::string readName(const std::string& what);
    void openBlock(const std::string& what);

    void parseOverlay();
    GuiElement* parseElement(const std::string& kind);
    // The values of a property, up to the end of its line.
    std::vector<OverlayToken> readValues(const std::string& property);
    void applyProperty(GuiElement& element, const OverlayToken& property, const std::vector<OverlayToken>& values);

    NameInUse overlayExists_;
    NameInUse elementExists_;
    std::string sourceName_;
    std::vector<OverlayToken> tokens_;
    std::size_t pos_ = 0;
    OverlayScript script_;
    std::set<std::string> overlayNames_;
    std::set<std::string> elementNames_;
};

} // namespace Velk
