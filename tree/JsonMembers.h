#pragma once

#include <cstddef>     // Required for: size_t
#include <optional>    // Required for: std::optional
#include <string>      // Required for: std::string
#include <string_view> // Required for: std::string_view
#include <vector>      // Required for: std::vector

// The top-level members of a JSON object, each with the byte offsets where
// its key and value start, so that a reader can point at the exact place of
// anything it refuses. Values are scalars or arrays of scalars; anything
// nested deeper is only marked.

// One scalar with the offset where it starts.
struct JsonScalar {
    enum Kind { Number, String, Boolean, Null } kind = Null;
    double number = 0.0;
    std::string text;
    size_t offset = 0;
};

// One top-level member: a scalar or an array of scalars.
struct JsonMember {
    std::string key;
    size_t keyOffset = 0;
    bool isArray = false;
    bool hasNested = false;  // an object, or an array inside the array
    size_t nestedOffset = 0; // where the first such one starts
    size_t valueOffset = 0;
    JsonScalar scalar;
    std::vector<JsonScalar> elements;

    // Where a value of the wrong shape starts: the object or inner array if
    // there is one, else the value itself.
    size_t placeOfValue() const { return hasNested ? nestedOffset : valueOffset; }
};

// Why the text is not one JSON object.
struct JsonFailure {
    size_t offset;
    std::string field;      // the member being read, "" if none
    std::string problem;
    bool numberTooLarge;    // a number beyond the range of a double, such as 1e999
};

// The members of the text's object, in file order, or why there are none.
struct JsonMembers {
    std::vector<JsonMember> members;
    size_t objectOffset = 0; // the opening brace
    std::optional<JsonFailure> failure;
};

// Parses `text` as one JSON object.
JsonMembers readJsonMembers(std::string_view text);

// A place in a text: line and column, both counted from 1.
struct TextPlace {
    size_t line = 0;
    size_t column = 0;
};

// The line and column of byte `offset` of `text`; columns count characters, not bytes.
TextPlace placeOf(std::string_view text, size_t offset);
// The offset of the first byte that is not part of well-formed UTF-8, or npos.
size_t firstInvalidUtf8(std::string_view text);
