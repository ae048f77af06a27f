// The statistics overlay: frame rates, frame times, triangles and debug text.
#include "DemoFrameListener.h"

#include "core/StringConverter.h"   // Required for: Velk::StringConverter
#include "overlay/GuiManager.h"     // Required for: Velk::GuiManager, Velk::GuiElement
#include "render/RenderWindow.h"    // Required for: Velk::RenderWindow

#include <string> // Required for: std::string

void DemoFrameListener::updateStatistics() {
    using Velk::StringConverter;
    static const std::string currFps = "Current FPS: ";
    static const std::string avgFps = "Average FPS: ";
    static const std::string bestFps = "Best FPS: ";
    static const std::string worstFps = "Worst FPS: ";
    static const std::string tris = "Triangle Count: ";

    // A missing element ends this frame's refresh quietly; the next frame tries again.
    try {
        Velk::GuiManager& gui = Velk::GuiManager::getSingleton();
        Velk::GuiElement* guiAvg = gui.getGuiElement("Core/AverageFps", false);
        Velk::GuiElement* guiCurr = gui.getGuiElement("Core/CurrFps", false);
        Velk::GuiElement* guiBest = gui.getGuiElement("Core/BestFps", false);
        Velk::GuiElement* guiWorst = gui.getGuiElement("Core/WorstFps", false);

        const Velk::FrameStats& stats = window->getStatistics();
        guiAvg->setCaption(avgFps + StringConverter::toString(stats.avgFPS));
        guiCurr->setCaption(currFps + StringConverter::toString(stats.lastFPS));
        guiBest->setCaption(bestFps + StringConverter::toString(stats.bestFPS) + " " +
                            StringConverter::toString(static_cast<unsigned long>(stats.bestFrameTime)) + " ms");
        guiWorst->setCaption(worstFps + StringConverter::toString(stats.worstFPS) + " " +
                             StringConverter::toString(static_cast<unsigned long>(stats.worstFrameTime)) + " ms");

        Velk::GuiElement* guiTris = gui.getGuiElement("Core/NumTris", false);
        guiTris->setCaption(tris + StringConverter::toString(static_cast<unsigned int>(stats.triangleCount)));

        Velk::GuiElement* guiDbg = gui.getGuiElement("Core/DebugText", false);
        guiDbg->setCaption(window->getDebugText());
    } catch (...) {
    }
}
