#pragma once

#include "MeshView.h"

#include <vector> // Required for: std::vector

// Writes every file or none: each goes to a temporary name beside its
// target first and is renamed only when all were written. Throws
// std::runtime_error naming the file and the reason.
void writeAllOrNothing(const std::vector<OutputFile>& files);
