#include "TreeParameters.h"

TreeParameters::TreeParameters(uint8_t levels_) : levels(levels_) {
    forEachArray([&](auto& array) { array.assign(levels, 0); });
}

template <class F> void TreeParameters::forEachArray(TreeParameters& o, F&& f) {
    f(downAngle, o.downAngle);
    f(downAngleV, o.downAngleV);
    f(rotate, o.rotate);
    f(rotateV, o.rotateV);
    f(length, o.length);
    f(lengthV, o.lengthV);
    f(taper, o.taper);
    f(branches, o.branches);
    f(segSplits, o.segSplits);
    f(splitAngle, o.splitAngle);
    f(splitAngleV, o.splitAngleV);
    f(curveRes, o.curveRes);
    f(curve, o.curve);
    f(curveBack, o.curveBack);
    f(curveV, o.curveV);
    f(ringVertices, o.ringVertices);
}

template <class F> void TreeParameters::forEachArray(F&& f) {
    forEachArray(*this, [&](auto& mine, auto&) { f(mine); });
}

void TreeParameters::setLevels(uint8_t count) {
    if (count == levels) return;
    // resize() keeps the first min(levels, count) entries and zero-fills the rest.
    forEachArray([&](auto& array) {
        array.resize(count, 0);
        array.shrink_to_fit();
    });
    levels = count;
}

std::unique_ptr<TreeParameters> TreeParameters::clone() const {
    // Every field, arrays included, is a value: the copy shares nothing.
    return std::make_unique<TreeParameters>(*this);
}
