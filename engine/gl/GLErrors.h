#pragma once

namespace Velk::GL {

// Reads every pending GL error; if there was one, throws an engine error
// naming the operation that was running. Called at the end of each drawing
// step so that a mistake is reported where it happened, not frames later.
void checkErrors(const char* operation);

} // namespace Velk::GL
