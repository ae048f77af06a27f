#pragma once

namespace Velk::GL {

// The wind's sway, shared by every vertex shader that draws entities (the
// scene's and the shadow map's), so that a shadow moves with what casts it.
// Attribute 4 holds four floats per vertex: how far the vertex moves with
// the whole object bending (x), with its branch (y) and as a loose tip such
// as a leaf (z), and the branch's phase in 0..1 (w). A mesh without them
// reads zeros. With the strength 0 the position is returned untouched, so
// a still scene draws exactly as one without any sway data; a still scene's
// programs are built without SWAY and leave positions alone.
inline const char* const kSwayShaderFunctions = R"(
#if SWAY
layout(location = 4) in vec4 sway;
uniform vec3 windDirection; // unit length, horizontal
uniform float windStrength; // 0: still
uniform float windScale;    // size of what sways, in world units
uniform float windTime;     // seconds of animation
vec3 swayOffset(vec3 p) {
    float phase = 6.2831853 * sway.w;
    // The whole object leans with the wind and rocks slowly.
    float bend = sway.x * (0.025 + 0.015 * sin(windTime * 0.9));
    // Each branch swings at its own phase, faster.
    float swing = sway.y * 0.02 * sin(windTime * 2.1 + phase);
    // Tips flutter fastest; where they are sets them apart from their neighbours.
    float flutter = sway.z * 0.006 * sin(windTime * 7.3 + phase + dot(p, vec3(3.1, 1.7, 2.3)));
    vec3 across = vec3(-windDirection.z, 0.0, windDirection.x);
    vec3 up = vec3(0.0, 1.0, 0.0);
    vec3 offset = windDirection * (bend + swing + flutter) + across * (0.4 * swing + 0.5 * flutter) +
                  up * (0.25 * swing + 0.8 * flutter);
    return windStrength * windScale * offset;
}
vec3 swayed(vec3 p) {
    return windStrength > 0.0 ? p + swayOffset(p) : p;
}
#else
vec3 swayed(vec3 p) {
    return p;
}
#endif
)";

} // namespace Velk::GL
