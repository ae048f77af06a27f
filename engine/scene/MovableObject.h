#pragma once

#include <string> // Required for: std::string

namespace Velk {

class SceneNode;

// Something that can hang on a scene node (entity, camera, light) and takes
// its place in the world from the node. One node at a time.
class MovableObject {
public:
    explicit MovableObject(std::string name) : name_(std::move(name)) {}
    virtual ~MovableObject() = default;
    MovableObject(const MovableObject&) = delete;
    MovableObject& operator=(const MovableObject&) = delete;

    const std::string& getName() const { return name_; }
    // "Entity", "Camera" or "Light", for messages.
    virtual const char* getMovableType() const = 0;
    SceneNode* getParentSceneNode() const { return parent_; }
    bool isAttached() const { return parent_ != nullptr; }
    // Called by SceneNode when attaching (node) or detaching (null).
    void _notifyAttached(SceneNode* parent) { parent_ = parent; }

private:
    std::string name_;
    SceneNode* parent_ = nullptr;
};

} // namespace Velk
