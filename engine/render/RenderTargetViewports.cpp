// The viewports of a render target: made, ordered and dropped here; they
// draw through the target's listener list.
#include "render/RenderTarget.h"

#include "core/Exception.h"
#include "render/Viewport.h"

#include <algorithm> // Required for: std::find_if, std::lower_bound

namespace Velk {

// Viewports sit in the listener list in z-order, together, where the first
// one was added; other listeners keep their places.
Viewport* RenderTarget::addViewport(Camera* camera, int zOrder, float left, float top, float width, float height) {
    if (camera == nullptr)
        VELK_EXCEPT(ERR_INVALIDPARAMS, "cannot add a viewport without a camera to '" + name_ + "'",
                    "RenderTarget::addViewport");
    for (const auto& viewport : viewports_)
        if (viewport->getZOrder() == zOrder)
            VELK_EXCEPT(ERR_DUPLICATE_ITEM,
                        "render target '" + name_ + "' already has a viewport with z-order " + std::to_string(zOrder),
                        "RenderTarget::addViewport");
    auto position = std::lower_bound(viewports_.begin(), viewports_.end(), zOrder,
                                     [](const std::unique_ptr<Viewport>& v, int z) { return v->getZOrder() < z; });
    Viewport* added =
        viewports_.insert(position, std::make_unique<Viewport>(camera, this, zOrder, left, top, width, height))->get();
    std::size_t slot = listeners_.size();
    for (std::size_t i = 0; i < listeners_.size(); ++i) {
        if (std::find_if(viewports_.begin(), viewports_.end(),
                         [&](const std::unique_ptr<Viewport>& v) { return v.get() == listeners_[i]; }) != viewports_.end()) {
            slot = std::min(slot, i);
        }
    }
    std::erase_if(listeners_, [&](RenderTargetListener* l) {
        return std::find_if(viewports_.begin(), viewports_.end(),
                            [&](const std::unique_ptr<Viewport>& v) { return v.get() == l; }) != viewports_.end();
    });
    slot = std::min(slot, listeners_.size());
    for (std::size_t i = 0; i < viewports_.size(); ++i)
        listeners_.insert(listeners_.begin() + static_cast<std::ptrdiff_t>(slot + i), viewports_[i].get());
    return added;
}

Viewport* RenderTarget::getViewport(std::size_t index) const {
    if (index >= viewports_.size())
        VELK_EXCEPT(ERR_INVALIDPARAMS,
                    "render target '" + name_ + "' has no viewport " + std::to_string(index) + " (it has " +
                        std::to_string(viewports_.size()) + ")",
                    "RenderTarget::getViewport");
    return viewports_[index].get();
}

void RenderTarget::removeViewport(int zOrder) {
    const auto it = std::find_if(viewports_.begin(), viewports_.end(),
                                 [zOrder](const std::unique_ptr<Viewport>& v) { return v->getZOrder() == zOrder; });
    if (it == viewports_.end())
        VELK_EXCEPT(ERR_ITEM_NOT_FOUND,
                    "render target '" + name_ + "' has no viewport with z-order " + std::to_string(zOrder),
                    "RenderTarget::removeViewport");
    removeListener(it->get());
    viewports_.erase(it);
}

void RenderTarget::removeAllViewports() {
    for (const auto& viewport : viewports_) removeListener(viewport.get());
    viewports_.clear();
}

} // namespace Velk
