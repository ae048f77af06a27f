#pragma once

#include "MeshView.h"

#include <iterator> // Required for: std::begin, std::end (used by the generated definition)

// The bark and leaf textures of an export as the build encoded them (the
// media generator's output, compiled into the program): the same bytes
// makeExportTextures() gives, without the cost of making and encoding them
// on every run.
ExportTextures builtExportTextures();
