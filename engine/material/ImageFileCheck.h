#pragma once

#include <string>      // Required for: std::string
#include <string_view> // Required for: std::string_view

namespace Velk {

// The format of an encoded image, told by its first bytes (TGA, which has
// no signature, by the file's extension): "PNG", "JPEG", "TGA", "BMP" or
// "image" when it is none of these.
std::string imageFormatName(std::string_view bytes, const std::string& fileName);

// Why the encoded image cannot be whole ("" when nothing is missing). The
// image decoder fills missing data with zeros and reports success, so a file
// that was cut short is caught here: a TGA shorter than its header promises,
// a JPEG without its end-of-image marker, a PNG without its end chunk.
std::string findMissingImageData(std::string_view bytes, const std::string& fileName);

} // namespace Velk
