// The settings dialog's run: a small window (or an offscreen one fed with
// scripted keys) that lives only while the dialog is open.
#include "render/Root.h"

#include "core/Log.h"
#include "gl/FontAtlas.h"
#include "gl/Painter2D.h"
#include "render/ConfigDialog.h"
#include "render/RenderSystem.h"

namespace Velk {

// Runs the dialog in its own small window (or offscreen with scripted keys).
bool Root::showConfigDialog() {
    const bool scripted = options_.dialogKeys.has_value();
    if (!displayAvailable_ && !scripted) {
        log_->logMessage("Settings dialog not shown (no display): accepting " + renderSystem_->describeSettings());
        return true;
    }
    ConfigDialog dialog(*renderSystem_);
    {
        std::unique_ptr<RenderWindow> window = createWindow("Velk Settings", ConfigDialog::WIDTH, ConfigDialog::HEIGHT,
                                                            false);
        if (window->isOffscreen() && !scripted) {
            log_->logMessage("Settings dialog not shown (no window could open): accepting " +
                             renderSystem_->describeSettings());
            return true;
        }
        window->bindForDrawing();
        GL::FontAtlas text(GL::FontAtlas::findFont(false), 15);
        GL::FontAtlas title(GL::FontAtlas::findFont(true), 20);
        GL::Painter2D painter;
        const std::vector<KeyCode> keys = options_.dialogKeys.value_or(std::vector<KeyCode>{});
        std::size_t nextKey = 0;
        // Drawn on the first pass and after every event or scripted key; an
        // idle dialog sleeps in the window's event wait.
        bool redraw = true;
        while (dialog.getResult() == ConfigDialog::Result::Open) {
            window->_pumpEvents();
            if (window->isClosed()) dialog.cancel();
            for (const KeyEvent& event : window->_getInputState().keyEvents)
                if (event.getType() == KeyEvent::KEY_PRESSED) dialog.handleKey(event.getKey());
            for (const MouseClick& click : window->_getInputState().clicks)
                if (click.button == 0)
                    dialog.handleClick(static_cast<float>(click.x), static_cast<float>(click.y));
            if (dialog.getResult() != ConfigDialog::Result::Open) break;

            if (redraw) {
                window->bindForDrawing();
                dialog.draw(painter, text, title);
                if (!options_.dialogScreenshot.empty()) window->writeContentsToFile(options_.dialogScreenshot);
                window->swapBuffers();
            }

            if (nextKey < keys.size()) {
                dialog.handleKey(keys[nextKey++]);
                redraw = true;
            } else if (window->isOffscreen() || scripted) {
                // Whoever scripted the keys is not at the keyboard: waiting
                // for one more key would wait for ever.
                log_->logMessage("Settings dialog: scripted keys ran out");
                dialog.cancel();
            } else {
                redraw = window->_waitEvents(500);
            }
        }
    }
    if (dialog.getResult() == ConfigDialog::Result::Cancelled) {
        log_->logMessage("Settings dialog cancelled");
        return false;
    }
    log_->logMessage("Settings dialog accepted");
    saveConfig();
    return true;
}

} // namespace Velk
