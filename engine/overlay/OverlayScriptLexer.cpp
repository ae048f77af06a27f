#include "overlay/OverlayScriptLexer.h"

#include "core/Exception.h"

namespace Velk {

namespace {
// Characters that end a word.
bool endsWord(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '"' || c == '{' || c == '}'; }

// A quoted string starting after the opening quote at `pos`; leaves `pos`
// after the closing quote.
std::string readString(const std::string& line, std::size_t& pos, const std::string& sourceName, long lineNumber) {
    std::string text;
    while (pos < line.size()) {
        const char c = line[pos++];
        if (c == '"') return text;
        if (c == '\\' && pos < line.size()) {
            const char escaped = line[pos++];
            text += escaped == 'n' ? '\n' : escaped;
        } else {
            text += c;
        }
    }
    throw Exception(Exception::ERR_INVALIDPARAMS, "expected a closing '\"' before the end of the line",
                    "OverlayScriptParser::parse", sourceName, lineNumber);
}
} // namespace

// Line by line, so that every token knows its line.
std::vector<OverlayToken> tokenizeOverlayScript(std::istream& stream, const std::string& sourceName) {
    using Kind = OverlayToken::Kind;
    std::vector<OverlayToken> tokens;
    std::string line;
    long lineNumber = 0;
    while (std::getline(stream, line)) {
        ++lineNumber;
        std::size_t pos = 0;
        while (pos < line.size()) {
            const char c = line[pos];
            if (c == ' ' || c == '\t' || c == '\r') {
                ++pos;
            } else if (c == '#' || line.compare(pos, 2, "//") == 0) {
                break;
            } else if (c == '{' || c == '}') {
                tokens.push_back({c == '{' ? Kind::Open : Kind::Close, std::string(1, c), lineNumber});
                ++pos;
            } else if (c == '"') {
                ++pos;
                tokens.push_back({Kind::String, readString(line, pos, sourceName, lineNumber), lineNumber});
            } else {
                const std::size_t start = pos;
                while (pos < line.size() && !endsWord(line[pos])) ++pos;
                tokens.push_back({Kind::Word, line.substr(start, pos - start), lineNumber});
            }
        }
        tokens.push_back({Kind::EndOfLine, {}, lineNumber});
    }
    tokens.push_back({Kind::End, {}, lineNumber});
    return tokens;
}

// Quoted as written, or named for the structural tokens.
std::string describeToken(const OverlayToken& token) {
    switch (token.kind) {
    case OverlayToken::Kind::Word: return "'" + token.text + "'";
    case OverlayToken::Kind::String: return "\"" + token.text + "\"";
    case OverlayToken::Kind::Open: return "'{'";
    case OverlayToken::Kind::Close: return "'}'";
    case OverlayToken::Kind::EndOfLine: return "the end of the line";
    case OverlayToken::Kind::End: return "the end of the file";
    }
    return "?";
}

} // namespace Velk
