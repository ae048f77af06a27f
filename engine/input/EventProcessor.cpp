#include "input/EventProcessor.h"

#include "core/Exception.h"
#include "input/InputReader.h"
#include "input/PlatformManager.h"
#include "render/RenderWindow.h"
#include "render/Root.h"

namespace Velk {

EventProcessor::EventProcessor() = default;

// Leaves the frame loop and gives the reader back.
EventProcessor::~EventProcessor() {
    stopProcessingEvents();
    if (reader_ != nullptr) {
        if (PlatformManager* platform = PlatformManager::getSingletonPtr()) platform->destroyInputReader(reader_);
    }
}

// One reader per processor, attached to the window.
void EventProcessor::initialise(RenderWindow* window) {
    if (window == nullptr) {
        VELK_EXCEPT(ERR_INVALIDPARAMS, "no window given", "EventProcessor::initialise");
    }
    window_ = window;
    if (reader_ == nullptr) reader_ = PlatformManager::getSingleton().createInputReader();
    reader_->initialise(window, true, true, false);
}

// Hooks into the frame loop so events arrive before the application's listeners.
void EventProcessor::startProcessingEvents(bool registerListener) {
    if (reader_ == nullptr) {
        VELK_EXCEPT(ERR_INVALID_STATE, "the event processor was not initialised", "EventProcessor::startProcessingEvents");
    }
    processing_ = true;
    if (registerListener && !registered_) {
        Root::getSingleton().addFrameListener(this);
        registered_ = true;
    }
}

// Unhooks from the frame loop, if the root still exists.
void EventProcessor::stopProcessingEvents() {
    processing_ = false;
    if (registered_) {
        if (Root* root = Root::getSingletonPtr()) root->removeFrameListener(this);
        registered_ = false;
    }
}

// The window already turned device and script changes into events.
bool EventProcessor::frameStarted(const FrameEvent&) {
    if (!processing_) return true;
    reader_->capture();
    std::vector<KeyEvent> events = window_->_getInputState().keyEvents;
    for (KeyEvent& event : events) processKeyEvent(event);
    return true;
}

} // namespace Velk
