#pragma once

#include <string> // Required for: std::string

namespace Velk::GL {

// The GL_RENDERER string of a short-lived surfaceless context, or "" when
// none can be made. Lets settings that depend on the driver get their
// default before the window (and its sample count) exists.
std::string probeRendererName();

// Whether the renderer draws on the CPU (Mesa's llvmpipe, softpipe, swrast).
bool isSoftwareRenderer(const std::string& rendererName);

} // namespace Velk::GL
