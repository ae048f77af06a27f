#pragma once

#include "gl/SwayShader.h" // Required for: kSwayShaderFunctions

#include <string> // Required for: std::string

namespace Velk::GL {

// Shaders of the scene. Attribute locations: 0 position, 1 normal,
// 2 texture coordinates, 3 colour (the packed ARGB colour, read as BGRA bytes),
// 4 sway (wind).
inline constexpr int kMaxLights = 4;

inline const std::string kEntityVertexShader = std::string("#version 330 core\n") + kSwayShaderFunctions + R"(
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec2 uv;
layout(location = 3) in vec4 colour;
uniform mat4 worldViewProj;
uniform mat3 worldRotation;
uniform mat4 world;
uniform bool shadowed;
uniform mat4 shadowMatrix;
uniform float shadowNormalOffset;
uniform vec3 towardsLight[4];
out vec3 fragNormal;
out vec2 fragUv;
out vec4 fragColour;
out vec4 shadowCoord;
void main() {
    vec3 at = swayed(position);
    gl_Position = worldViewProj * vec4(at, 1.0);
    fragNormal = worldRotation * normal;
    fragUv = uv;
    fragColour = colour;
    shadowCoord = vec4(0.0);
    if (shadowed) {
        // Looked up a little off the surface, on the light's side, so that a
        // surface does not shadow itself.
        vec3 n = fragNormal;
        float len = length(n);
        n = len > 0.0 ? n / len : vec3(0.0);
        if (dot(n, towardsLight[0]) < 0.0) n = -n;
        vec4 p = world * vec4(at, 1.0);
        shadowCoord = shadowMatrix * vec4(p.xyz + n * shadowNormalOffset, 1.0);
    }
}
)";

// Lit: texture x vertex colour x (ambient + sum of light x diffuse x max(0, N.L)),
// the first light's term scaled by how much of it the shadow map lets through
// (never below shadowFloor: thin things like leaves let some light through).
// Unlit: texture x vertex colour. Alpha: texture x vertex x diffuse alpha.
// Without culling the back side is lit as a front (its normal flipped).
// Cut-out passes keep the opaque core (alpha from 0.5) and write alpha 1; with
// coverage the alpha is sharpened to half a pixel of edge and becomes the
// share of samples covered. (Coverage masks of equal alpha are the same
// samples, so where two soft edges overlap the background can show through;
// the narrow edge keeps such pixels rare.)
inline const char* const kEntityFragmentShader = R"(#version 330 core
in vec3 fragNormal;
in vec2 fragUv;
in vec4 fragColour;
in vec4 shadowCoord;
uniform sampler2D diffuseMap;
uniform bool textured;
uniform bool lit;
uniform bool twoSided;
uniform vec4 passDiffuse;
uniform vec3 ambient;
uniform int lightCount;
uniform vec3 towardsLight[4];
uniform vec3 lightColour[4];
uniform float alphaCutoff;
uniform int cutOut;
uniform bool shadowed;
uniform sampler2DShadow shadowMap;
uniform float shadowTexel;
uniform float shadowFloor;
out vec4 result;
float lightThrough() {
    vec3 c = shadowCoord.xyz / shadowCoord.w;
    if (c.x <= 0.0 || c.x >= 1.0 || c.y <= 0.0 || c.y >= 1.0) return 1.0;
    float sum = 0.0;
    sum += texture(shadowMap, vec3(c.xy + vec2(-0.5, -0.5) * shadowTexel, c.z));
    sum += texture(shadowMap, vec3(c.xy + vec2(0.5, -0.5) * shadowTexel, c.z));
    sum += texture(shadowMap, vec3(c.xy + vec2(-0.5, 0.5) * shadowTexel, c.z));
    sum += texture(shadowMap, vec3(c.xy + vec2(0.5, 0.5) * shadowTexel, c.z));
    return 0.25 * sum;
}
void main() {
    vec4 base = fragColour;
    if (textured) base *= texture(diffuseMap, fragUv);
    float alpha = base.a * passDiffuse.a;
    if (cutOut == 2) {
        alpha = clamp((alpha - 0.5) / max(0.5 * fwidth(alpha), 0.0001) + 0.5, 0.0, 1.0);
        if (alpha <= 0.0) discard;
    } else if (cutOut == 1) {
        if (alpha < 0.5) discard;
        alpha = 1.0;
    } else if (alpha < alphaCutoff) {
        discard;
    }
    vec3 shade = vec3(1.0);
    if (lit) {
        vec3 n = fragNormal;
        float len = length(n);
        n = len > 0.0 ? n / len : vec3(0.0);
        if (twoSided && !gl_FrontFacing) n = -n;
        shade = ambient;
        for (int i = 0; i < lightCount; ++i) {
            float through = (i == 0 && shadowed) ? mix(shadowFloor, 1.0, lightThrough()) : 1.0;
            shade += lightColour[i] * passDiffuse.rgb * max(0.0, dot(n, towardsLight[i])) * through;
        }
    }
    result = vec4(base.rgb * shade, alpha);
}
)";

// Depth from the light: only positions, and the cut-out test for textured
// alpha-blended passes so that leaves cast the shape of the leaf.
inline const std::string kShadowVertexShader = std::string("#version 330 core\n") + kSwayShaderFunctions + R"(
layout(location = 0) in vec3 position;
layout(location = 2) in vec2 uv;
uniform mat4 worldViewProj;
out vec2 fragUv;
void main() {
    gl_Position = worldViewProj * vec4(swayed(position), 1.0);
    fragUv = uv;
}
)";

inline const char* const kShadowFragmentShader = R"(#version 330 core
in vec2 fragUv;
uniform sampler2D diffuseMap;
uniform bool cutOut;
void main() {
    if (cutOut && texture(diffuseMap, fragUv).a < 0.5) discard;
}
)";

// The sky: a cube around the eye, looked up by direction in the sky's own axes.
inline const char* const kSkyVertexShader = R"(#version 330 core
layout(location = 0) in vec3 position;
uniform mat4 worldViewProj;
out vec3 direction;
void main() {
    gl_Position = worldViewProj * vec4(position, 1.0);
    direction = position;
}
)";

inline const char* const kSkyFragmentShader = R"(#version 330 core
in vec3 direction;
uniform samplerCube sky;
uniform vec4 passDiffuse;
out vec4 result;
void main() {
    result = texture(sky, direction) * vec4(1.0, 1.0, 1.0, passDiffuse.a);
}
)";

} // namespace Velk::GL
