#include "core/StringConverter.h"

#include <algorithm> // Required for: std::transform
#include <cctype>    // Required for: std::tolower
#include <charconv>  // Required for: std::from_chars
#include <cmath>     // Required for: std::isfinite
#include <sstream>   // Required for: std::ostringstream

namespace Velk {

namespace {
// Formats one value through a stream configured like the caller asked.
template <typename T>
std::string format(T value, int precision, unsigned short width, char fill, std::ios::fmtflags flags) {
    std::ostringstream stream;
    if (precision >= 0) stream.precision(precision);
    stream.width(width);
    stream.fill(fill);
    // Grouped flags (base, alignment, notation) replace the default of their group.
    for (const std::ios::fmtflags group : {std::ios::basefield, std::ios::adjustfield, std::ios::floatfield}) {
        if (flags & group) stream.setf(flags & group, group);
        flags &= ~group;
    }
    if (flags) stream.setf(flags);
    stream << value;
    return stream.str();
}

// Parses the whole text with from_chars; trailing characters make it fail.
template <typename T>
bool parseWhole(const std::string& text, T& value) {
    T parsed{};
    const char* first = text.data();
    const char* last = text.data() + text.size();
    const auto result = std::from_chars(first, last, parsed);
    if (result.ec != std::errc() || result.ptr != last || text.empty()) return false;
    value = parsed;
    return true;
}
} // namespace

// Float in default notation with the given significant digits.
std::string StringConverter::toString(float value, unsigned short precision, unsigned short width, char fill,
                                      std::ios::fmtflags flags) {
    return format(value, precision, width, fill, flags);
}

// Double in default notation with the given significant digits.
std::string StringConverter::toString(double value, unsigned short precision, unsigned short width, char fill,
                                      std::ios::fmtflags flags) {
    return format(value, precision, width, fill, flags);
}

// Signed integer, decimal unless the flags say otherwise.
std::string StringConverter::toString(int value, unsigned short width, char fill, std::ios::fmtflags flags) {
    return format(value, -1, width, fill, flags);
}

// Unsigned integer.
std::string StringConverter::toString(unsigned int value, unsigned short width, char fill,
                                      std::ios::fmtflags flags) {
    return format(value, -1, width, fill, flags);
}

// Signed long.
std::string StringConverter::toString(long value, unsigned short width, char fill, std::ios::fmtflags flags) {
    return format(value, -1, width, fill, flags);
}

// Unsigned long (frame times, sizes).
std::string StringConverter::toString(unsigned long value, unsigned short width, char fill,
                                      std::ios::fmtflags flags) {
    return format(value, -1, width, fill, flags);
}

// Truth value as words.
std::string StringConverter::toString(bool value, bool yesNo) {
    if (yesNo) return value ? "yes" : "no";
    return value ? "true" : "false";
}

// Vector as three floats separated by spaces.
std::string StringConverter::toString(const Vector3& value) {
    return toString(value.x) + " " + toString(value.y) + " " + toString(value.z);
}

// Quaternion as w, x, y, z separated by spaces.
std::string StringConverter::toString(const Quaternion& value) {
    return toString(value.w) + " " + toString(value.x) + " " + toString(value.y) + " " + toString(value.z);
}

// Whole-text signed integer.
bool StringConverter::parseInt(const std::string& text, int& value) { return parseWhole(text, value); }

// Whole-text unsigned integer (no sign accepted).
bool StringConverter::parseUnsignedInt(const std::string& text, unsigned int& value) {
    return parseWhole(text, value);
}

// Whole-text float in plain or scientific notation.
// NaN and infinity are not numbers a setting or script can use: accepting
// them would let them pass every later range check (comparisons with NaN are
// false) and reach conversions whose result is undefined. A value too large
// for a float fails in from_chars already.
bool StringConverter::parseReal(const std::string& text, float& value) {
    float parsed = 0.0f;
    if (!parseWhole(text, parsed) || !std::isfinite(parsed)) return false;
    value = parsed;
    return true;
}

// Common spellings of a truth value.
bool StringConverter::parseBool(const std::string& text, bool& value) {
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower == "true" || lower == "yes" || lower == "1" || lower == "on") {
        value = true;
        return true;
    }
    if (lower == "false" || lower == "no" || lower == "0" || lower == "off") {
        value = false;
        return true;
    }
    return false;
}

} // namespace Velk
