#pragma once

namespace Velk::GL {

// Shaders of the scene. Attribute locations: 0 position, 1 normal,
// 2 texture coordinates, 3 colour (the packed ARGB colour, read as BGRA bytes).
inline constexpr int kMaxLights = 4;

inline const char* const kEntityVertexShader = R"(#version 330 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec2 uv;
layout(location = 3) in vec4 colour;
uniform mat4 worldViewProj;
uniform mat3 worldRotation;
out vec3 fragNormal;
out vec2 fragUv;
out vec4 fragColour;
void main() {
    gl_Position = worldViewProj * vec4(position, 1.0);
    fragNormal = worldRotation * normal;
    fragUv = uv;
    fragColour = colour;
}
)";

// Lit: texture x vertex colour x (ambient + sum of light x diffuse x max(0, N.L)).
// Unlit: texture x vertex colour. Alpha: texture x vertex x diffuse alpha.
// Without culling the back side is lit as a front (its normal flipped).
inline const char* const kEntityFragmentShader = R"(#version 330 core
in vec3 fragNormal;
in vec2 fragUv;
in vec4 fragColour;
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
out vec4 result;
void main() {
    vec4 base = fragColour;
    if (textured) base *= texture(diffuseMap, fragUv);
    float alpha = base.a * passDiffuse.a;
    if (alpha < alphaCutoff) discard;
    vec3 shade = vec3(1.0);
    if (lit) {
        vec3 n = fragNormal;
        float len = length(n);
        n = len > 0.0 ? n / len : vec3(0.0);
        if (twoSided && !gl_FrontFacing) n = -n;
        shade = ambient;
        for (int i = 0; i < lightCount; ++i)
            shade += lightColour[i] * passDiffuse.rgb * max(0.0, dot(n, towardsLight[i]));
    }
    result = vec4(base.rgb * shade, alpha);
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
