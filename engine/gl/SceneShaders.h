#pragma once

#include "gl/SwayShader.h" // Required for: kSwayShaderFunctions

#include <string> // Required for: std::string

namespace Velk::GL {

// Shaders of the scene. Attribute locations: 0 position, 1 normal,
// 2 texture coordinates, 3 colour (the packed ARGB colour, read as BGRA bytes),
// 4 sway (wind).
inline constexpr int kMaxLights = 4;

// What a draw asks of the entity program. Every combination is compiled as
// a program of its own: a CPU renderer runs both sides of a branch on a
// uniform, so a feature a draw does not use would still cost per pixel.
enum EntityFeature : unsigned {
    EF_TEXTURED = 1u << 0,  // the pass's texture modulates the vertex colour
    EF_LIT = 1u << 1,       // ambient plus the directional lights
    EF_TWO_SIDED = 1u << 2, // back faces lit as fronts
    EF_SHADOWED = 1u << 3,  // the first light through the shadow map
    EF_SWAY = 1u << 4,      // the wind moves the vertices
    // How alpha is tested, two bits: not at all (opaque), below a cut-off
    // (blended), the opaque core of a cut-out, or a cut-out's coverage.
    EF_ALPHA_CUTOFF = 1u << 5,
    EF_CUT_OUT = 2u << 5,
    EF_COVERAGE = 3u << 5,
};
inline constexpr unsigned kAlphaTestBits = 3u << 5;
inline constexpr unsigned kEntityVariants = 1u << 7;

// The first lines of both stages of an entity variant.
inline std::string entityShaderHeader(unsigned features) {
    const auto flag = [&](const char* name, bool on) { return std::string("#define ") + name + (on ? " 1\n" : " 0\n"); };
    return std::string("#version 330 core\n") + flag("TEXTURED", (features & EF_TEXTURED) != 0) +
           flag("LIT", (features & EF_LIT) != 0) + flag("TWO_SIDED", (features & EF_TWO_SIDED) != 0) +
           flag("SHADOWED", (features & EF_SHADOWED) != 0) + flag("SWAY", (features & EF_SWAY) != 0) +
           "#define ALPHA_TEST " + std::to_string((features & kAlphaTestBits) >> 5) + "\n";
}

// Only what the variant uses is passed on to the fragments: a CPU renderer
// sets up every output of every triangle.
inline const std::string kEntityVertexShader = std::string(kSwayShaderFunctions) + R"(
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec2 uv;
layout(location = 3) in vec4 colour;
uniform mat4 worldViewProj;
uniform mat3 worldRotation;
uniform mat4 world;
uniform mat4 shadowMatrix;
uniform float shadowNormalOffset;
uniform vec3 towardsLight[4];
#if LIT
out vec3 fragNormal;
#endif
#if TEXTURED || ALPHA_TEST >= 2
out vec2 fragUv;
#endif
out vec4 fragColour;
#if SHADOWED
out vec4 shadowCoord;
#endif
void main() {
    vec3 at = swayed(position);
    gl_Position = worldViewProj * vec4(at, 1.0);
    vec3 turned = worldRotation * normal;
#if LIT
    fragNormal = turned;
#endif
#if TEXTURED || ALPHA_TEST >= 2
    fragUv = uv;
#endif
    fragColour = colour;
#if SHADOWED
    // Looked up a little off the surface, on the light's side, so that a
    // surface does not shadow itself.
    vec3 n = turned;
    float len = length(n);
    n = len > 0.0 ? n / len : vec3(0.0);
    if (dot(n, towardsLight[0]) < 0.0) n = -n;
    vec4 p = world * vec4(at, 1.0);
    shadowCoord = shadowMatrix * vec4(p.xyz + n * shadowNormalOffset, 1.0);
#endif
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
inline const char* const kEntityFragmentShader = R"(
#if LIT
in vec3 fragNormal;
#endif
#if TEXTURED || ALPHA_TEST >= 2
in vec2 fragUv;
#endif
in vec4 fragColour;
#if SHADOWED
in vec4 shadowCoord;
#endif
uniform sampler2D diffuseMap;
uniform vec4 passDiffuse;
uniform vec3 ambient;
uniform int lightCount;
uniform vec3 towardsLight[4];
uniform vec3 lightColour[4];
uniform float alphaCutoff;
uniform sampler2DShadow shadowMap;
uniform float shadowTexel;
uniform float shadowFloor;
out vec4 result;
#if SHADOWED
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
#endif
void main() {
    vec4 base = fragColour;
#if TEXTURED
    base *= texture(diffuseMap, fragUv);
#endif
    float alpha = base.a * passDiffuse.a;
#if ALPHA_TEST == 3
    alpha = clamp((alpha - 0.5) / max(0.5 * fwidth(alpha), 0.0001) + 0.5, 0.0, 1.0);
    if (alpha <= 0.0) discard;
#elif ALPHA_TEST == 2
    if (alpha < 0.5) discard;
    alpha = 1.0;
#elif ALPHA_TEST == 1
    if (alpha < alphaCutoff) discard;
#endif
    vec3 shade = vec3(1.0);
#if LIT
    vec3 n = fragNormal;
    float len = length(n);
    n = len > 0.0 ? n / len : vec3(0.0);
#if TWO_SIDED
    if (!gl_FrontFacing) n = -n;
#endif
    shade = ambient;
#if SHADOWED
    // Outside the loop: inside it would be worked out for every light.
    float shadowed = mix(shadowFloor, 1.0, lightThrough());
#endif
    for (int i = 0; i < lightCount; ++i) {
#if SHADOWED
        float through = i == 0 ? shadowed : 1.0;
#else
        float through = 1.0;
#endif
        shade += lightColour[i] * passDiffuse.rgb * max(0.0, dot(n, towardsLight[i])) * through;
    }
#endif
    result = vec4(base.rgb * shade, alpha);
}
)";

// Depth from the light: only positions, and for cut-outs the texture's alpha
// so that leaves cast the shape of the leaf. Variants: ALPHA_TEST 2 (cut out)
// or 0, SWAY.
inline const std::string kShadowVertexShader = std::string(kSwayShaderFunctions) + R"(
layout(location = 0) in vec3 position;
layout(location = 2) in vec2 uv;
uniform mat4 worldViewProj;
#if ALPHA_TEST == 2
out vec2 fragUv;
#endif
void main() {
    gl_Position = worldViewProj * vec4(swayed(position), 1.0);
#if ALPHA_TEST == 2
    fragUv = uv;
#endif
}
)";

inline const char* const kShadowFragmentShader = R"(
#if ALPHA_TEST == 2
in vec2 fragUv;
uniform sampler2D diffuseMap;
#endif
void main() {
#if ALPHA_TEST == 2
    if (texture(diffuseMap, fragUv).a < 0.5) discard;
#endif
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
