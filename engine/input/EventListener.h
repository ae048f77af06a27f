#pragma once

namespace Velk {

// Base of every listener that receives input events.
class EventListener {
public:
    virtual ~EventListener() = default;
    // Whether the listener forwards events to others (none of the engine's do).
    virtual bool isMulticaster() const { return false; }
};

} // namespace Velk
