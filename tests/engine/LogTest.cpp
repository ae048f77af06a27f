#include "core/Log.h"

#include "TempFolder.h"
#include "core/Exception.h"

#include <gtest/gtest.h> // Required for: TEST, EXPECT_EQ

#include <regex> // Required for: std::regex

using Velk::Exception;
using Velk::Log;

TEST(Log, WritesTimestampedLines) {
    TempFolder folder;
    {
        Log log(folder.path("Velk.log"));
        log.logMessage("first line");
        Log::message("second line");
    }
    const std::string text = TempFolder::read(folder.path("Velk.log"));
    const std::regex line(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3}: first line\n)"
                          R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3}: second line\n)");
    EXPECT_TRUE(std::regex_match(text, line)) << text;
}

TEST(Log, MessageWithoutALogDoesNothing) {
    EXPECT_EQ(Log::getSingletonPtr(), nullptr);
    Log::message("nobody listens");
}

TEST(Log, RecordsEveryEngineException) {
    TempFolder folder;
    {
        Log log(folder.path("Velk.log"));
        Exception error(Exception::ERR_ITEM_NOT_FOUND, "no such overlay", "OverlayManager::getByName");
    }
    EXPECT_NE(TempFolder::read(folder.path("Velk.log")).find("Exception: OverlayManager::getByName: no such overlay"),
              std::string::npos);
}

TEST(Log, UnwritableFileIsAnError) {
    EXPECT_THROW(Log("/nonexistent/folder/Velk.log"), Exception);
}
