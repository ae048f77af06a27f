#include "TempFolder.h"

#include <gtest/gtest.h> // Required for: ::testing::UnitTest

#include <fstream>  // Required for: std::ofstream, std::ifstream
#include <iterator> // Required for: std::istreambuf_iterator
#include <unistd.h> // Required for: getpid

// Named after the test and the process so parallel tests never share files.
TempFolder::TempFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info != nullptr ? std::string(info->test_suite_name()) + "." + info->name() : "test";
    for (char& c : name)
        if (c == '/') c = '_';
    folder_ = std::filesystem::temp_directory_path() / ("velk-" + name + "-" + std::to_string(getpid()));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

std::string TempFolder::path(const std::string& name) const { return (folder_ / name).string(); }

std::string TempFolder::write(const std::string& name, const std::string& content) const {
    const std::string file = path(name);
    std::filesystem::create_directories(std::filesystem::path(file).parent_path());
    std::ofstream(file, std::ios::binary) << content;
    return file;
}

std::string TempFolder::read(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
