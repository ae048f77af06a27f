#pragma once

#include <exception> // Required for: std::exception
#include <string>    // Required for: std::string

namespace Velk {

// The engine's one error type: what failed, in which operation, and where.
class Exception : public std::exception {
public:
    enum Code {
        ERR_INVALID_STATE,
        ERR_INVALIDPARAMS,
        ERR_DUPLICATE_ITEM,
        ERR_ITEM_NOT_FOUND,
        ERR_FILE_NOT_FOUND,
        ERR_CANNOT_WRITE_TO_FILE,
        ERR_RENDERINGAPI_ERROR,
        ERR_INTERNAL_ERROR,
        ERR_NOT_IMPLEMENTED,
    };

    // description: what failed and why; source: the operation that failed;
    // file/line: the source of the content that caused it (a script, a
    // config file) or of the code, when known.
    Exception(Code code, std::string description, std::string source,
              std::string file = {}, long line = 0);

    Code getNumber() const { return code_; }
    const std::string& getDescription() const { return description_; }
    const std::string& getSource() const { return source_; }
    const std::string& getFile() const { return file_; }
    long getLine() const { return line_; }
    // One line: "<source>: <description> (at <file>:<line>)".
    const std::string& getFullDescription() const { return full_; }
    const char* what() const noexcept override { return full_.c_str(); }

private:
    Code code_;
    std::string description_;
    std::string source_;
    std::string file_;
    long line_;
    std::string full_;
};

} // namespace Velk

// Throws a Velk::Exception that records the C++ source position.
#define VELK_EXCEPT(code, desc, src) \
    throw ::Velk::Exception(::Velk::Exception::code, (desc), (src), __FILE__, __LINE__)
