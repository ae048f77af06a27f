#include "JsonMembers.h"

#include <algorithm>         // Required for: std::min
#include <iterator>          // Required for: std::forward_iterator_tag
#include <nlohmann/json.hpp> // Required for: nlohmann::json, nlohmann::json_sax

namespace {

// A pointer into the text that tells where the parser has read to.
class CountingIterator {
public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = const char&;

    CountingIterator(const char* at, const char** furthest) : at_(at), furthest_(furthest) {}
    reference operator*() const { return *at_; }
    CountingIterator& operator++() {
        ++at_;
        if (at_ > *furthest_) *furthest_ = at_;
        return *this;
    }
    CountingIterator operator++(int) {
        CountingIterator before = *this;
        ++*this;
        return before;
    }
    bool operator==(const CountingIterator& other) const { return at_ == other.at_; }
    bool operator!=(const CountingIterator& other) const { return at_ != other.at_; }

private:
    const char* at_;
    const char** furthest_;
};

// Collects the members of the top-level object with their places.
class Collector : public nlohmann::json_sax<nlohmann::json> {
public:
    Collector(std::string_view text, const char** furthest) : text_(text), furthest_(furthest) {}

    std::vector<JsonMember> members;
    size_t objectOffset = 0;
    std::optional<JsonFailure> failure;

    bool null() override { return scalar({JsonScalar::Null, 0.0, "", endOffset() - 4}); }
    bool boolean(bool value) override {
        return scalar({JsonScalar::Boolean, value ? 1.0 : 0.0, "", endOffset() - (value ? 4 : 5)});
    }
    bool number_integer(number_integer_t value) override { return number(double(value)); }
    bool number_unsigned(number_unsigned_t value) override { return number(double(value)); }
    bool number_float(number_float_t value, const string_t&) override { return number(value); }
    bool string(string_t& value) override {
        return scalar({JsonScalar::String, 0.0, value, stringStart()});
    }
    bool binary(binary_t&) override { return false; }
    bool start_object(std::size_t) override {
        const size_t at = endOffset() - 1;
        if (depth_ == 0) {
            objectOffset = at;
            ++depth_;
            return true;
        }
        return nested(at);
    }
    bool key(string_t& value) override {
        if (depth_ != 1) return true; // inside a nested object: reported with its member
        JsonMember& m = members.emplace_back();
        m.key = value;
        m.keyOffset = stringStart();
        return true;
    }
    bool end_object() override {
        --depth_;
        return true;
    }
    bool start_array(std::size_t) override {
        const size_t at = endOffset() - 1;
        if (depth_ == 0) return topLevelNotObject(at);
        if (depth_ == 1) {
            members.back().isArray = true;
            members.back().valueOffset = at;
            ++depth_;
            return true;
        }
        return nested(at);
    }
    bool end_array() override {
        --depth_;
        return true;
    }
    bool parse_error(std::size_t position, const std::string&,
                     const nlohmann::detail::exception& ex) override {
        // The parser counts a read past the end as a character too.
        const size_t at = text_.empty() ? 0 : std::min(position == 0 ? 0 : position - 1, text_.size() - 1);
        std::string detail = ex.what();
        // nlohmann's text reads "[json.exception...] parse error at line L, column C: WHAT".
        if (const size_t colon = detail.find(": "); colon != std::string::npos)
            detail = detail.substr(colon + 2);
        // The member being read when the parser stopped, if any.
        std::string field;
        if (depth_ >= 1 && !members.empty() && members.back().keyOffset < at) field = members.back().key;
        if (ex.id == 406) {
            // A number too large for a double, such as 1e999.
            size_t start = at;
            while (start > 0 && text_[start - 1] != ':' && text_[start - 1] != '[' && text_[start - 1] != ',' &&
                   text_[start - 1] != ' ' && text_[start - 1] != '\n' && text_[start - 1] != '\t')
                --start;
            failure = JsonFailure{start, field, "not a finite number (too large)", true};
            return false;
        }
        if (text_.find_first_not_of(" \t\r\n") == std::string_view::npos)
            failure = JsonFailure{0, "", "the file is empty", false};
        else if (detail.find("unexpected end of input") != std::string::npos)
            failure = JsonFailure{text_.size(), field, "the file ends before its JSON is complete (truncated?)",
                                  false};
        else
            failure = JsonFailure{at, field, "not valid JSON: " + detail, false};
        return false;
    }

private:
    // Bytes the parser has read. A number is only known to end when the
    // character after it was read, so that one may be included.
    size_t endOffset() const { return size_t(*furthest_ - text_.data()); }

    // The opening quote of the string that just ended.
    size_t stringStart() const {
        size_t i = endOffset() - 1; // the closing quote
        while (i > 0) {
            --i;
            if (text_[i] != '"') continue;
            size_t slashes = 0;
            while (i > slashes && text_[i - 1 - slashes] == '\\') ++slashes;
            if (slashes % 2 == 0) return i;
        }
        return 0;
    }

    bool number(double value) {
        size_t i = endOffset();
        auto isNumberChar = [](char c) {
            return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == 'e' || c == 'E';
        };
        if (i > 0 && !isNumberChar(text_[i - 1])) --i; // the character after the number
        while (i > 0 && isNumberChar(text_[i - 1])) --i;
        return scalar({JsonScalar::Number, value, "", i});
    }

    bool scalar(JsonScalar s) {
        if (depth_ == 0) return topLevelNotObject(s.offset);
        JsonMember& m = members.back();
        if (depth_ == 1) {
            m.scalar = std::move(s);
            m.valueOffset = m.scalar.offset;
        } else if (depth_ == 2) {
            m.elements.push_back(std::move(s));
        }
        return true;
    }

    bool nested(size_t at) {
        JsonMember& m = members.back();
        if (!m.hasNested) m.nestedOffset = at;
        m.hasNested = true;
        ++depth_;
        return true;
    }

    bool topLevelNotObject(size_t at) {
        failure = JsonFailure{at, "", "the file holds no JSON object", false};
        return false;
    }

    std::string_view text_;
    const char** furthest_;
    int depth_ = 0;
};

} // namespace

JsonMembers readJsonMembers(std::string_view text) {
    const char* furthest = text.data();
    Collector collector(text, &furthest);
    const CountingIterator first(text.data(), &furthest), last(text.data() + text.size(), &furthest);
    const bool parsed = nlohmann::json::sax_parse(first, last, &collector);
    JsonMembers result;
    result.members = std::move(collector.members);
    result.objectOffset = collector.objectOffset;
    result.failure = collector.failure;
    if (!parsed && !result.failure) result.failure = JsonFailure{0, "", "not valid JSON", false};
    return result;
}

TextPlace placeOf(std::string_view text, size_t offset) {
    TextPlace place{1, 1};
    offset = std::min(offset, text.size());
    for (size_t i = 0; i < offset; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\n') {
            ++place.line;
            place.column = 1;
        } else if ((c & 0xC0) != 0x80) {
            ++place.column;
        }
    }
    return place;
}

size_t firstInvalidUtf8(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        size_t extra;
        uint32_t code;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1;
            code = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
            code = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3;
            code = c & 0x07;
        } else {
            return i;
        }
        if (extra >= text.size() - i) return i;
        for (size_t k = 1; k <= extra; ++k) {
            const unsigned char d = static_cast<unsigned char>(text[i + k]);
            if ((d & 0xC0) != 0x80) return i;
            code = (code << 6) | (d & 0x3F);
        }
        // Overlong forms, UTF-16 surrogates and values past U+10FFFF.
        static constexpr uint32_t kSmallest[4] = {0, 0x80, 0x800, 0x10000};
        if (code < kSmallest[extra] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return i;
        i += 1 + extra;
    }
    return std::string_view::npos;
}
