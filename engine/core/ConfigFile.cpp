#include "core/ConfigFile.h"

#include "core/Exception.h"

#include <fstream> // Required for: std::ifstream

namespace Velk {

namespace {
const char* const blanks = " \t\r\n\v\f";

// The text without leading and trailing blanks.
std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}
} // namespace

// Opens the file and parses it; the file name goes into every error.
void ConfigFile::load(const std::string& fileName, const std::string& separators, bool trimWhitespace) {
    std::ifstream file(fileName, std::ios::binary);
    if (!file) {
        VELK_EXCEPT(ERR_FILE_NOT_FOUND, "cannot open the configuration file '" + fileName + "'",
                    "ConfigFile::load");
    }
    load(file, fileName, separators, trimWhitespace);
}

// Parses line by line; the whole stream is checked before anything is kept,
// so a malformed file leaves the settings as they were.
void ConfigFile::load(std::istream& stream, const std::string& sourceName, const std::string& separators,
                      bool trimWhitespace) {
    if (separators.empty()) {
        VELK_EXCEPT(ERR_INVALIDPARAMS, "no separator characters given", "ConfigFile::load");
    }
    SettingsMultiMap parsed;
    std::string line;
    long lineNumber = 0;
    while (std::getline(stream, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto firstVisible = line.find_first_not_of(blanks);
        if (firstVisible == std::string::npos || line[firstVisible] == '#') continue;

        const auto separator = line.find_first_of(separators);
        if (separator == std::string::npos) {
            throw Exception(Exception::ERR_INVALIDPARAMS,
                            "malformed line (expected a key, a separator and a value): '" + line + "'",
                            "ConfigFile::load", sourceName, lineNumber);
        }
        std::string key = line.substr(0, separator);
        const auto valueStart = line.find_first_not_of(separators, separator);
        std::string value = valueStart == std::string::npos ? std::string() : line.substr(valueStart);
        if (trimWhitespace) {
            key = trimmed(key);
            value = trimmed(value);
        }
        if (key.find_first_not_of(blanks) == std::string::npos) {
            throw Exception(Exception::ERR_INVALIDPARAMS, "malformed line (empty key): '" + line + "'",
                            "ConfigFile::load", sourceName, lineNumber);
        }
        // multimap::insert places equal keys after the existing ones: file order.
        parsed.insert({std::move(key), Entry{std::move(value), Origin{sourceName, lineNumber}}});
    }
    if (stream.bad()) {
        VELK_EXCEPT(ERR_FILE_NOT_FOUND, "error while reading '" + sourceName + "'", "ConfigFile::load");
    }
    settings_.merge(parsed);
}

// First value in file order for this key.
std::string ConfigFile::getSetting(const std::string& key, const std::string& defaultValue) const {
    const auto found = settings_.lower_bound(key);
    return found == settings_.end() || found->first != key ? defaultValue : found->second.value;
}

} // namespace Velk
