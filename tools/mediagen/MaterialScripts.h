#pragma once

#include <string> // Required for: std::string

// Writes the program's material scripts into `folder`: "Examples.material"
// with the sky box material "Examples/BlueSkyBox" over the six bluesky faces.
void writeMaterialScripts(const std::string& folder);
