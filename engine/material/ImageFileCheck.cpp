#include "material/ImageFileCheck.h"

#include <algorithm> // Required for: std::transform
#include <cctype>    // Required for: std::tolower
#include <cstdint>   // Required for: std::uint64_t

namespace Velk {

namespace {

// Byte `i` as an unsigned value.
unsigned byteAt(std::string_view bytes, std::size_t i) { return static_cast<unsigned char>(bytes[i]); }

// The lower-case extension of a file name, with its dot.
std::string extensionOf(const std::string& fileName) {
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string::npos || fileName.find('/', dot) != std::string::npos) return {};
    std::string extension = fileName.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

// "cut short: N bytes, at least M needed".
std::string shortBy(std::size_t have, std::uint64_t need) {
    return "the file is cut short (" + std::to_string(have) + " bytes, at least " + std::to_string(need) +
           " needed)";
}

// TGA: an 18-byte header, an identification field, a colour map, then the
// pixels, stored whole or as run-length packets.
std::string checkTga(std::string_view bytes) {
    constexpr std::size_t headerSize = 18;
    if (bytes.size() < headerSize) return shortBy(bytes.size(), headerSize);
    const unsigned idLength = byteAt(bytes, 0);
    const unsigned mapType = byteAt(bytes, 1);
    const unsigned imageType = byteAt(bytes, 2);
    const unsigned mapLength = byteAt(bytes, 5) | (byteAt(bytes, 6) << 8);
    const unsigned mapBits = byteAt(bytes, 7);
    const std::uint64_t width = byteAt(bytes, 12) | (byteAt(bytes, 13) << 8);
    const std::uint64_t height = byteAt(bytes, 14) | (byteAt(bytes, 15) << 8);
    const unsigned pixelBytes = (byteAt(bytes, 16) + 7) / 8;
    std::uint64_t offset = headerSize + idLength + (mapType != 0 ? std::uint64_t(mapLength) * ((mapBits + 7) / 8) : 0);
    const std::uint64_t pixels = width * height;
    if (imageType >= 1 && imageType <= 3) {
        const std::uint64_t need = offset + pixels * pixelBytes;
        return bytes.size() < need ? shortBy(bytes.size(), need) : std::string();
    }
    if (imageType >= 9 && imageType <= 11) {
        // Each packet: a count byte, then one pixel repeated or `count` pixels.
        std::uint64_t done = 0;
        while (done < pixels) {
            if (offset >= bytes.size()) return "the file is cut short (run-length data ends early)";
            const unsigned packet = byteAt(bytes, static_cast<std::size_t>(offset));
            const std::uint64_t count = (packet & 0x7F) + 1;
            offset += 1 + ((packet & 0x80) != 0 ? pixelBytes : count * pixelBytes);
            done += count;
        }
        return bytes.size() < offset ? "the file is cut short (run-length data ends early)" : std::string();
    }
    return {};
}

// JPEG: the end-of-image marker after the first scan. Inside the scan data a
// 0xFF byte is always followed by 0x00 or a restart marker, so FF D9 is the end.
std::string checkJpeg(std::string_view bytes) {
    const std::size_t scan = bytes.find("\xFF\xDA");
    const std::size_t end = bytes.rfind("\xFF\xD9");
    if (scan == std::string_view::npos || end == std::string_view::npos || end < scan)
        return "the file is cut short (no end-of-image marker)";
    return {};
}

// PNG: the end chunk "IEND" must be there.
std::string checkPng(std::string_view bytes) {
    if (bytes.find("IEND") == std::string_view::npos) return "the file is cut short (no IEND chunk)";
    return {};
}

} // namespace

// Signatures first; TGA has none, so its extension decides.
std::string imageFormatName(std::string_view bytes, const std::string& fileName) {
    if (bytes.size() >= 8 && bytes.substr(0, 8) == "\x89PNG\r\n\x1A\n") return "PNG";
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xFF\xD8\xFF") return "JPEG";
    if (bytes.size() >= 2 && bytes.substr(0, 2) == "BM") return "BMP";
    if (extensionOf(fileName) == ".tga") return "TGA";
    return "image";
}

std::string findMissingImageData(std::string_view bytes, const std::string& fileName) {
    if (bytes.empty()) return "the file is empty";
    const std::string format = imageFormatName(bytes, fileName);
    if (format == "TGA") return checkTga(bytes);
    if (format == "JPEG") return checkJpeg(bytes);
    if (format == "PNG") return checkPng(bytes);
    return {};
}

} // namespace Velk
