#pragma once

#include <istream> // Required for: std::istream
#include <string>  // Required for: std::string
#include <vector>  // Required for: std::vector

namespace Velk {

// One token of an overlay script.
struct OverlayToken {
    enum class Kind {
        Word,      // a run of characters without blanks, quotes or braces
        String,    // a quoted text, quotes removed and escapes resolved
        Open,      // {
        Close,     // }
        EndOfLine, // statements end at the end of a line
        End,       // end of the script
    };
    Kind kind = Kind::End;
    std::string text;
    long line = 0; // 1-based
};

// Splits an overlay script into tokens. '#' or "//" start a comment that
// runs to the end of the line; strings are in double quotes with \" \\ and
// \n escapes. An unterminated string is an engine error naming the line.
std::vector<OverlayToken> tokenizeOverlayScript(std::istream& stream, const std::string& sourceName);

// How a token reads in an error message.
std::string describeToken(const OverlayToken& token);

} // namespace Velk
