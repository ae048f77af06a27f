#include "LeafTilts.h"

#include "Random.h"
#include "math/Math.h"

float leafTiltOf(const TreeParameters& p, uint8_t level, int32_t s) {
    // A variation of zero draws nothing and varies by nothing.
    const float downV = p.downAngleV[level];
    const float tiltVar = downV != 0.0f ? randVarOf(s, downV) : 0.0f;
    const double down = double(p.downAngle[level]) + tiltVar;
    return static_cast<float>(down * Velk::Math::fDeg2Rad);
}

LeafTilts::LeafTilts(const TreeParameters& p, uint8_t level, int32_t leaves) {
    const float downV = p.downAngleV[level];
    if (downV < 0.0f || leaves < MIN_LEAVES) return;
    halves_.resize(2 * DRAW_MAX + 1);
    for (int32_t s = -DRAW_MAX; s <= DRAW_MAX; ++s)
        halves_[static_cast<std::size_t>(s + DRAW_MAX)] = halfAngleOf(leafTiltOf(p, level, s));
}
