#pragma once

#include "MeshView.h"

// Encodes the program's bark and leaf textures, made exactly as the build
// makes its media.
ExportTextures makeExportTextures();
