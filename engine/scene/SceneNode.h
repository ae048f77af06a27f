#pragma once

#include "math/Quaternion.h" // Required for: Quaternion
#include "math/Vector3.h"    // Required for: Vector3

#include <memory> // Required for: std::unique_ptr
#include <string> // Required for: std::string
#include <vector> // Required for: std::vector

namespace Velk {

class MovableObject;

// A place in the scene tree: a position and orientation relative to its
// parent, child nodes, and the objects attached to it. Made by
// SceneManager (its root) and by createChildSceneNode; owns its children.
class SceneNode {
public:
    SceneNode(SceneNode* parent, const Vector3& position, const Quaternion& orientation);
    ~SceneNode();
    SceneNode(const SceneNode&) = delete;
    SceneNode& operator=(const SceneNode&) = delete;

    // A new child at `position` turned by `orientation`, relative to this node.
    SceneNode* createChildSceneNode(const Vector3& position = Vector3::ZERO,
                                    const Quaternion& orientation = Quaternion::IDENTITY);
    std::size_t numChildren() const { return children_.size(); }
    // Child number `index`; throws when there is none.
    SceneNode* getChild(std::size_t index) const;
    SceneNode* getParent() const { return parent_; }

    // Attaches an object; throws when it already hangs on a node.
    void attachObject(MovableObject* object);
    // Detaches an object; throws when it is not attached to this node.
    void detachObject(MovableObject* object);
    // Detaches the attached object of that name; throws when there is none.
    MovableObject* detachObject(const std::string& name);
    void detachAllObjects();
    std::size_t numAttachedObjects() const { return objects_.size(); }
    const std::vector<MovableObject*>& getAttachedObjects() const { return objects_; }

    void setPosition(const Vector3& position) { position_ = position; }
    const Vector3& getPosition() const { return position_; }
    void setOrientation(const Quaternion& orientation) { orientation_ = orientation; }
    const Quaternion& getOrientation() const { return orientation_; }
    void translate(const Vector3& offset) { position_ += offset; }

    // Place and turn in the world, through all parents.
    Vector3 getDerivedPosition() const;
    Quaternion getDerivedOrientation() const;

private:
    SceneNode* parent_;
    Vector3 position_;
    Quaternion orientation_;
    std::vector<std::unique_ptr<SceneNode>> children_;
    std::vector<MovableObject*> objects_;
};

} // namespace Velk
