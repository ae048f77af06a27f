#include "core/ConfigFile.h"

#include "TempFolder.h"
#include "core/Exception.h"

#include <gtest/gtest.h> // Required for: TEST, EXPECT_EQ

#include <sstream> // Required for: std::istringstream
#include <utility> // Required for: std::pair
#include <vector>  // Required for: std::vector

using Velk::ConfigFile;
using Velk::Exception;

namespace {
using Pairs = std::vector<std::pair<std::string, std::string>>;

// All settings in the order the iterator gives them.
Pairs settingsOf(const ConfigFile& file) {
    Pairs pairs;
    for (auto i = file.getSettingsIterator(); i.hasMoreElements();) {
        const std::string key = i.peekNextKey();
        pairs.emplace_back(key, i.getNext());
    }
    return pairs;
}

ConfigFile parse(const std::string& text, const std::string& separators = "\t:=", bool trim = true) {
    ConfigFile file;
    std::istringstream stream(text);
    file.load(stream, "test.cfg", separators, trim);
    return file;
}
} // namespace

// Two lines of one type both stay, grouped by type in file order.
TEST(ConfigFile, ResourceListGroupsEqualKeysInFileOrder) {
    const ConfigFile file = parse("FileSystem=media/b\nZip=packs/x.zip\nFileSystem=media/a\n");
    EXPECT_EQ(settingsOf(file), (Pairs{{"FileSystem", "media/b"}, {"FileSystem", "media/a"}, {"Zip", "packs/x.zip"}}));
}

TEST(ConfigFile, SortsByKey) {
    const ConfigFile file = parse("b=2\na=1\nc=3\n");
    EXPECT_EQ(settingsOf(file), (Pairs{{"a", "1"}, {"b", "2"}, {"c", "3"}}));
}

TEST(ConfigFile, AcceptsTabColonAndEqualsAsSeparators) {
    const ConfigFile file = parse("Tab\tone\nColon:two\nEquals=three\n");
    EXPECT_EQ(settingsOf(file), (Pairs{{"Colon", "two"}, {"Equals", "three"}, {"Tab", "one"}}));
}

// Only the first separator ends the key; a path with a colon stays whole.
TEST(ConfigFile, ValueKeepsLaterSeparators) {
    const ConfigFile file = parse("FileSystem=C:/media\n");
    EXPECT_EQ(file.getSetting("FileSystem"), "C:/media");
}

TEST(ConfigFile, TrimsWhitespaceAroundKeyAndValue) {
    const ConfigFile file = parse("   Key  =  value with spaces  \n");
    EXPECT_EQ(settingsOf(file), (Pairs{{"Key", "value with spaces"}}));
}

TEST(ConfigFile, KeepsWhitespaceWhenNotTrimming) {
    const ConfigFile file = parse(" Key = value \n", "=", false);
    EXPECT_EQ(settingsOf(file), (Pairs{{" Key ", " value "}}));
}

TEST(ConfigFile, SkipsCommentsAndBlankLines) {
    const ConfigFile file = parse("# FileSystem=hidden\n\n   # indented comment\n \t \nFileSystem=shown\n");
    EXPECT_EQ(settingsOf(file), (Pairs{{"FileSystem", "shown"}}));
}

TEST(ConfigFile, EmptyFileHasNoSettings) {
    const ConfigFile file = parse("");
    EXPECT_EQ(file.size(), 0u);
    EXPECT_FALSE(file.getSettingsIterator().hasMoreElements());
}

TEST(ConfigFile, WindowsLineEndingsAreRead) {
    const ConfigFile file = parse("A=1\r\nB=2\r\n");
    EXPECT_EQ(settingsOf(file), (Pairs{{"A", "1"}, {"B", "2"}}));
}

TEST(ConfigFile, MissingFileIsAClearError) {
    ConfigFile file;
    try {
        file.load("/nonexistent/folder/resources.cfg");
        FAIL() << "no exception";
    } catch (const Exception& error) {
        EXPECT_EQ(error.getNumber(), Exception::ERR_FILE_NOT_FOUND);
        EXPECT_EQ(error.getSource(), "ConfigFile::load");
        EXPECT_NE(error.getDescription().find("/nonexistent/folder/resources.cfg"), std::string::npos);
    }
}

TEST(ConfigFile, MalformedLineNamesFileAndLine) {
    TempFolder folder;
    const std::string name = folder.write("resources.cfg", "FileSystem=media\n\n# comment\nno separator here\n");
    ConfigFile file;
    try {
        file.load(name);
        FAIL() << "no exception";
    } catch (const Exception& error) {
        EXPECT_EQ(error.getNumber(), Exception::ERR_INVALIDPARAMS);
        EXPECT_EQ(error.getFile(), name);
        EXPECT_EQ(error.getLine(), 4);
        EXPECT_NE(error.getFullDescription().find("resources.cfg:4"), std::string::npos);
        EXPECT_NE(error.getDescription().find("no separator here"), std::string::npos);
    }
    EXPECT_EQ(file.size(), 0u) << "a malformed file adds nothing";
}

TEST(ConfigFile, EmptyKeyIsMalformed) {
    try {
        parse("A=1\n=value\n");
        FAIL() << "no exception";
    } catch (const Exception& error) {
        EXPECT_EQ(error.getLine(), 2);
    }
}

TEST(ConfigFile, SectionHeaderIsMalformed) {
    EXPECT_THROW(parse("[General]\nA=1\n"), Exception);
}

TEST(ConfigFile, GetSettingGivesFirstValueOrDefault) {
    const ConfigFile file = parse("k=first\nk=second\n");
    EXPECT_EQ(file.getSetting("k"), "first");
    EXPECT_EQ(file.getSetting("missing", "fallback"), "fallback");
}

TEST(ConfigFile, RemembersWhereEachSettingCameFrom) {
    const ConfigFile file = parse("# header\nB=2\nA=1\n");
    auto i = file.getSettingsIterator();
    EXPECT_EQ(i.peekNextKey(), "A");
    EXPECT_EQ(i.peekNextOrigin().file, "test.cfg");
    EXPECT_EQ(i.peekNextOrigin().line, 3);
    i.moveNext();
    EXPECT_EQ(i.peekNextOrigin().line, 2);
}

TEST(ConfigFile, LoadingTwiceAddsAfterExistingSettings) {
    ConfigFile file;
    std::istringstream first("k=1\n");
    std::istringstream second("k=2\n");
    file.load(first, "one.cfg");
    file.load(second, "two.cfg");
    EXPECT_EQ(settingsOf(file), (Pairs{{"k", "1"}, {"k", "2"}}));
}
