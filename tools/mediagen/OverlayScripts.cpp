#include "OverlayScripts.h"

#include "core/FileWriter.h" // Required for: Velk::writeFileAtomically

namespace {
// Statistics in the lower left corner: a translucent dark panel with light
// text, one line per figure and a last line for the debug text.
const char* const debugOverlay = R"(# The statistics panel: frame rates, triangles and a line of debug text.
overlay Core/DebugOverlay
{
    zorder 500
    panel Core/StatPanel
    {
        metrics pixels
        halign left
        valign bottom
        position 10 -130
        size 280 120
        colour 0.02 0.03 0.06 0.62
        border 1 0.8 0.85 1 0.35
        text Core/CurrFps
        {
            position 10 8
            font_size 14
            colour 0.92 0.95 1
            caption "Current FPS: "
        }
        text Core/AverageFps
        {
            position 10 26
            font_size 14
            colour 0.92 0.95 1
            caption "Average FPS: "
        }
        text Core/BestFps
        {
            position 10 44
            font_size 14
            colour 0.92 0.95 1
            caption "Best FPS: "
        }
        text Core/WorstFps
        {
            position 10 62
            font_size 14
            colour 0.92 0.95 1
            caption "Worst FPS: "
        }
        text Core/NumTris
        {
            position 10 80
            font_size 14
            colour 0.92 0.95 1
            caption "Triangle Count: "
        }
        text Core/DebugText
        {
            position 10 98
            font_size 14
            colour 1 0.88 0.55
            caption ""
        }
    }
}
)";

// The tree controls in the upper left corner: six lines, each naming its keys.
const char* const treeOverlay = R"(# The tree panel: species, seed, scale, the leaf style and the level of detail, with their keys.
overlay Example/TreeOverlay
{
    zorder 400
    panel Example/TreePanel
    {
        metrics pixels
        halign left
        valign top
        position 10 10
        size 300 134
        colour 0.02 0.07 0.03 0.62
        border 1 0.75 0.95 0.75 0.35
        text Example/Tree/TreeType
        {
            position 10 8
            font_size 15
            colour 0.95 1 0.92
            caption "[1-6] Tree Type: "
        }
        text Example/Tree/Seed
        {
            position 10 28
            font_size 15
            colour 0.95 1 0.92
            caption "[Q/W] Seed: "
        }
        text Example/Tree/Scale
        {
            position 10 48
            font_size 15
            colour 0.95 1 0.92
            caption "     Scale: "
        }
        text Example/Tree/Lighting
        {
            position 10 68
            font_size 15
            colour 0.95 1 0.92
            caption "[K/L] Leaves Lightness: "
        }
        text Example/Tree/Alpha
        {
            position 10 88
            font_size 15
            colour 0.95 1 0.92
            caption "[A/S] Leaves Alpha:    "
        }
        text Example/Tree/Detail
        {
            position 10 108
            font_size 15
            colour 0.95 1 0.92
            caption "[D] Detail: "
        }
    }
}
)";

// Writes one text file whole or throws.
void writeText(const std::string& fileName, const char* text) { Velk::writeFileAtomically(fileName, text); }
} // namespace

void writeOverlayScripts(const std::string& folder) {
    writeText(folder + "/DebugOverlay.overlay", debugOverlay);
    writeText(folder + "/TreeOverlay.overlay", treeOverlay);
}
