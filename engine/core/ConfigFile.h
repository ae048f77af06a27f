#pragma once

#include <istream> // Required for: std::istream
#include <map>     // Required for: std::multimap
#include <string>  // Required for: std::string

namespace Velk {

// A flat file of key/value settings, one per line. The key ends at the first
// separator character; lines whose first non-blank character is '#' are
// comments. Settings are kept sorted by key, equal keys in file order, and
// remember the line they came from so that later errors can point at it.
class ConfigFile {
public:
    // Where a setting was read: file name and 1-based line.
    struct Origin {
        std::string file;
        long line = 0; // default: unknown
    };

    struct Entry {
        std::string value;
        Origin origin;
    };
    using SettingsMultiMap = std::multimap<std::string, Entry>;

    // Walks the settings in map order: sorted by key, equal keys in file order.
    class SettingsIterator {
    public:
        SettingsIterator(SettingsMultiMap::const_iterator begin, SettingsMultiMap::const_iterator end)
            : current_(begin), end_(end) {}
        bool hasMoreElements() const { return current_ != end_; }
        const std::string& peekNextKey() const { return current_->first; }
        const std::string& peekNextValue() const { return current_->second.value; }
        const Origin& peekNextOrigin() const { return current_->second.origin; }
        // Returns the next value and moves past it.
        const std::string& getNext() { return (current_++)->second.value; }
        void moveNext() { ++current_; }

    private:
        SettingsMultiMap::const_iterator current_;
        SettingsMultiMap::const_iterator end_;
    };

    // Reads a file, adding its settings to those already loaded. A missing
    // file and a line without separator are engine errors.
    void load(const std::string& fileName, const std::string& separators = "\t:=",
              bool trimWhitespace = true);
    // Reads settings from a stream; sourceName names it in errors.
    void load(std::istream& stream, const std::string& sourceName, const std::string& separators = "\t:=",
              bool trimWhitespace = true);

    // The first value of a key, or the default when the key is absent.
    std::string getSetting(const std::string& key, const std::string& defaultValue = {}) const;
    SettingsIterator getSettingsIterator() const { return {settings_.begin(), settings_.end()}; }
    std::size_t size() const { return settings_.size(); }
    void clear() { settings_.clear(); }

private:
    SettingsMultiMap settings_;
};

} // namespace Velk
