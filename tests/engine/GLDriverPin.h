#pragma once

// Mesa unloads its driver when the last GL display closes. Allocations the
// driver keeps for the whole process then show up in LeakSanitizer's report
// under an unknown module, and the suppressions by library name cannot match
// them. Loading the driver once more, never to be unloaded, keeps its name.
void pinGLDriver();
