#pragma once

#include <filesystem> // Required for: std::filesystem::path
#include <string>     // Required for: std::string

// A fresh folder for one test's files, removed again at the end of the test.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Full path of a file in the folder, as text.
    std::string path(const std::string& name) const;
    // Writes a file in the folder and returns its path.
    std::string write(const std::string& name, const std::string& content) const;
    // Whole content of a file (in the folder or anywhere).
    static std::string read(const std::string& fileName);

private:
    std::filesystem::path folder_;
};
