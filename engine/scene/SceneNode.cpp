#include "scene/SceneNode.h"

#include "core/Exception.h"
#include "scene/MovableObject.h"

#include <algorithm> // Required for: std::find

namespace Velk {

SceneNode::SceneNode(SceneNode* parent, const Vector3& position, const Quaternion& orientation)
    : parent_(parent), position_(position), orientation_(orientation) {}

// Objects outlive their nodes (the scene manager owns them): they are let go.
SceneNode::~SceneNode() { detachAllObjects(); }

SceneNode* SceneNode::createChildSceneNode(const Vector3& position, const Quaternion& orientation) {
    children_.push_back(std::make_unique<SceneNode>(this, position, orientation));
    return children_.back().get();
}

SceneNode* SceneNode::getChild(std::size_t index) const {
    if (index >= children_.size())
        VELK_EXCEPT(ERR_INVALIDPARAMS,
                    "child " + std::to_string(index) + " does not exist (the node has " +
                        std::to_string(children_.size()) + ")",
                    "SceneNode::getChild");
    return children_[index].get();
}

void SceneNode::attachObject(MovableObject* object) {
    if (object == nullptr) VELK_EXCEPT(ERR_INVALIDPARAMS, "cannot attach a null object", "SceneNode::attachObject");
    if (object->isAttached())
        VELK_EXCEPT(ERR_INVALIDPARAMS,
                    std::string(object->getMovableType()) + " '" + object->getName() +
                        "' is already attached to a scene node (detach it first)",
                    "SceneNode::attachObject");
    objects_.push_back(object);
    object->_notifyAttached(this);
}

void SceneNode::detachObject(MovableObject* object) {
    const auto it = std::find(objects_.begin(), objects_.end(), object);
    if (object == nullptr || it == objects_.end())
        VELK_EXCEPT(ERR_ITEM_NOT_FOUND,
                    object == nullptr ? std::string("cannot detach a null object")
                                      : std::string(object->getMovableType()) + " '" + object->getName() +
                                            "' is not attached to this scene node",
                    "SceneNode::detachObject");
    objects_.erase(it);
    object->_notifyAttached(nullptr);
}

MovableObject* SceneNode::detachObject(const std::string& name) {
    for (MovableObject* object : objects_) {
        if (object->getName() == name) {
            detachObject(object);
            return object;
        }
    }
    VELK_EXCEPT(ERR_ITEM_NOT_FOUND, "no object named '" + name + "' is attached to this scene node",
                "SceneNode::detachObject");
}

void SceneNode::detachAllObjects() {
    for (MovableObject* object : objects_) object->_notifyAttached(nullptr);
    objects_.clear();
}

// Parents turn and move their children: p = parent.p + parent.q * p.
Vector3 SceneNode::getDerivedPosition() const {
    if (parent_ == nullptr) return position_;
    return parent_->getDerivedPosition() + parent_->getDerivedOrientation() * position_;
}

Quaternion SceneNode::getDerivedOrientation() const {
    if (parent_ == nullptr) return orientation_;
    return parent_->getDerivedOrientation() * orientation_;
}

} // namespace Velk
