#include "core/ResourceManager.h"

#include "TempFolder.h"
#include "core/Exception.h"

#include <gtest/gtest.h> // Required for: TEST, EXPECT_EQ

#include <filesystem> // Required for: std::filesystem::create_directories

using Velk::ConfigFile;
using Velk::Exception;
using Velk::ResourceManager;

TEST(ResourceManager, FindsAResourceByFileNameInRegisteredFolders) {
    TempFolder folder;
    folder.write("first/bark.jpg", "a");
    folder.write("second/leaves.tga", "b");
    ResourceManager manager;
    ResourceManager::addCommonArchiveEx(folder.path("first"), "FileSystem");
    ResourceManager::addCommonArchiveEx(folder.path("second"), "FileSystem");
    EXPECT_EQ(ResourceManager::findResource("leaves.tga"), folder.path("second") + "/leaves.tga");
    EXPECT_TRUE(ResourceManager::resourceExists("bark.jpg"));
    EXPECT_FALSE(ResourceManager::resourceExists("missing.png"));
}

TEST(ResourceManager, EarlierLocationWins) {
    TempFolder folder;
    folder.write("a/same.txt", "a");
    folder.write("b/same.txt", "b");
    ResourceManager manager;
    ResourceManager::addCommonArchiveEx(folder.path("b"), "FileSystem");
    ResourceManager::addCommonArchiveEx(folder.path("a"), "FileSystem");
    EXPECT_EQ(TempFolder::read(ResourceManager::findResource("same.txt")), "b");
}

TEST(ResourceManager, MissingResourceIsAnError) {
    ResourceManager manager;
    try {
        ResourceManager::findResource("tree_bark.jpg");
        FAIL() << "no exception";
    } catch (const Exception& error) {
        EXPECT_EQ(error.getNumber(), Exception::ERR_FILE_NOT_FOUND);
        EXPECT_NE(error.getDescription().find("tree_bark.jpg"), std::string::npos);
    }
}

// The error points at the configuration line that named the folder.
TEST(ResourceManager, MissingFolderNamesTheLineItCameFrom) {
    ResourceManager manager;
    try {
        ResourceManager::addCommonArchiveEx("/no/such/media", "FileSystem", ConfigFile::Origin{"resources.cfg", 3});
        FAIL() << "no exception";
    } catch (const Exception& error) {
        EXPECT_EQ(error.getNumber(), Exception::ERR_FILE_NOT_FOUND);
        EXPECT_EQ(error.getFile(), "resources.cfg");
        EXPECT_EQ(error.getLine(), 3);
        EXPECT_NE(error.getDescription().find("/no/such/media"), std::string::npos);
    }
    EXPECT_TRUE(ResourceManager::getLocations().empty());
}

TEST(ResourceManager, UnknownArchiveTypeNamesTheLineItCameFrom) {
    TempFolder folder;
    ResourceManager manager;
    try {
        ResourceManager::addCommonArchiveEx(folder.path(""), "Zip", ConfigFile::Origin{"resources.cfg", 7});
        FAIL() << "no exception";
    } catch (const Exception& error) {
        EXPECT_EQ(error.getNumber(), Exception::ERR_INVALIDPARAMS);
        EXPECT_EQ(error.getLine(), 7);
        EXPECT_NE(error.getDescription().find("'Zip'"), std::string::npos);
    }
}

// The whole resources.cfg path: load, walk in map order, register.
TEST(ResourceManager, RegistersEveryLineOfAResourceFileGroupedByType) {
    TempFolder folder;
    folder.write("textures/t.png", "");
    folder.write("scripts/s.material", "");
    const std::string cfg = folder.write("resources.cfg", "# media\nFileSystem=" + folder.path("textures") +
                                                              "\nFileSystem:" + folder.path("scripts") + "\n");
    ConfigFile file;
    file.load(cfg, "\t:=", true);
    ResourceManager manager;
    for (auto i = file.getSettingsIterator(); i.hasMoreElements(); i.moveNext())
        ResourceManager::addCommonArchiveEx(i.peekNextValue(), i.peekNextKey(), i.peekNextOrigin());
    ASSERT_EQ(ResourceManager::getLocations().size(), 2u);
    EXPECT_EQ(ResourceManager::getLocations()[0].name, folder.path("textures"));
    EXPECT_EQ(ResourceManager::getLocations()[1].name, folder.path("scripts"));
    EXPECT_EQ(ResourceManager::getLocations()[1].origin.line, 3);
    EXPECT_TRUE(ResourceManager::resourceExists("s.material"));
}

TEST(ResourceManager, StaticCallsWithoutAnEngineAreAnError) {
    try {
        ResourceManager::findResource("x");
        FAIL() << "no exception";
    } catch (const Exception& error) {
        EXPECT_EQ(error.getNumber(), Exception::ERR_INVALID_STATE);
    }
}

TEST(ResourceManager, OnlyOneAtATime) {
    ResourceManager manager;
    EXPECT_THROW(ResourceManager second, Exception);
}
