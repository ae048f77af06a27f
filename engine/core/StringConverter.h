#pragma once

#include "math/Quaternion.h" // Required for: Quaternion
#include "math/Vector3.h"    // Required for: Vector3

#include <ios>    // Required for: std::ios::fmtflags
#include <string> // Required for: std::string

namespace Velk {

// Text forms of numbers and math types, as shown in overlays and logs, and
// the parsing of settings. Width, fill and flags act as on a std::ostream.
class StringConverter {
public:
    // Float with at most `precision` significant digits (default notation).
    static std::string toString(float value, unsigned short precision = 6, unsigned short width = 0,
                                char fill = ' ', std::ios::fmtflags flags = std::ios::fmtflags(0));
    static std::string toString(double value, unsigned short precision = 6, unsigned short width = 0,
                                char fill = ' ', std::ios::fmtflags flags = std::ios::fmtflags(0));
    static std::string toString(int value, unsigned short width = 0, char fill = ' ',
                                std::ios::fmtflags flags = std::ios::fmtflags(0));
    static std::string toString(unsigned int value, unsigned short width = 0, char fill = ' ',
                                std::ios::fmtflags flags = std::ios::fmtflags(0));
    static std::string toString(long value, unsigned short width = 0, char fill = ' ',
                                std::ios::fmtflags flags = std::ios::fmtflags(0));
    static std::string toString(unsigned long value, unsigned short width = 0, char fill = ' ',
                                std::ios::fmtflags flags = std::ios::fmtflags(0));
    // "true"/"false", or "yes"/"no".
    static std::string toString(bool value, bool yesNo = false);
    // "x y z", each component as a float above.
    static std::string toString(const Vector3& value);
    // "w x y z", each component as a float above.
    static std::string toString(const Quaternion& value);

    // Whole text as a number; returns false (value untouched) when it is not
    // one. Reals must be finite: "nan", "inf" and values beyond a float fail.
    static bool parseInt(const std::string& text, int& value);
    static bool parseUnsignedInt(const std::string& text, unsigned int& value);
    static bool parseReal(const std::string& text, float& value);
    // "true", "yes", "1", "on" and their opposites, any case.
    static bool parseBool(const std::string& text, bool& value);
};

} // namespace Velk
