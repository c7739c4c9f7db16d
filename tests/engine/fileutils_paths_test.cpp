// Resolving resource names, reading files, property lists and the per-user folder.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ext/Log.h"
#include "ext/Paths.h"
#include "platform/CCFileUtils.h"

USING_NS_CC;

namespace {

class FileUtilsPaths : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/solvane-files-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        _dir = std::string(pattern) + "/";
        ext::setResourceRoot(_dir + "res");
        ext::setLogSink([this](const std::string& line) { _log.push_back(line); });
        saveEnv("HOME", _home);
        saveEnv("XDG_DATA_HOME", _dataHome);
    }
    void TearDown() override {
        restoreEnv("HOME", _home);
        restoreEnv("XDG_DATA_HOME", _dataHome);
        ext::setLogSink({});
        ext::setResourceRoot("");
        ext::setWritablePath("");
        std::error_code ignored;
        std::filesystem::remove_all(_dir, ignored);
    }

    static FileUtils* files() { return FileUtils::getInstance(); }
    void write(const std::string& relative, const std::string& contents) {
        std::filesystem::path path = _dir + relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << contents;
    }

    std::string _dir;
    std::vector<std::string> _log;

private:
    struct SavedEnv {
        bool set = false;
        std::string value;
    };
    static void saveEnv(const char* name, SavedEnv& saved) {
        const char* value = std::getenv(name);
        saved.set = value != nullptr;
        saved.value = value ? value : "";
    }
    static void restoreEnv(const char* name, const SavedEnv& saved) {
        if (saved.set) {
            setenv(name, saved.value.c_str(), 1);
        } else {
            unsetenv(name);
        }
    }
    SavedEnv _home;
    SavedEnv _dataHome;
};

} // namespace

TEST_F(FileUtilsPaths, AMissingFileResolvesToEmptyWithALogLine) {
    EXPECT_EQ(files()->fullPathForFilename("res/nothing.png"), "");
    ASSERT_EQ(_log.size(), 1u);
    EXPECT_EQ(_log[0],
              "cocos2d: fullPathForFilename: No file found at res/nothing.png. Possible missing file.");
    EXPECT_EQ(files()->fullPathForFilename(""), "");
    EXPECT_FALSE(files()->isFileExist("res/nothing.png"));
    EXPECT_EQ(_log.size(), 1u) << "an existence check is not an error";
    EXPECT_EQ(files()->getStringFromFile("res/nothing.png"), "");
}

TEST_F(FileUtilsPaths, NamesResolveAgainstTheResourceRootIncludingDotSlash) {
    write("res/data/a.json", "{}");
    EXPECT_EQ(files()->fullPathForFilename("data/a.json"), _dir + "res/data/a.json");
    EXPECT_TRUE(files()->isFileExist("./data/a.json"));
    EXPECT_EQ(files()->getStringFromFile("./data/a.json"), "{}");
    const std::string absolute = _dir + "res/data/a.json";
    EXPECT_EQ(files()->fullPathForFilename(absolute), absolute);
    EXPECT_TRUE(files()->isFileExist(absolute));
}

TEST_F(FileUtilsPaths, ADirectoryIsNotAFile) {
    std::filesystem::create_directories(_dir + "res/data/folder.json");
    EXPECT_FALSE(files()->isFileExist("data/folder.json"));
    EXPECT_FALSE(files()->isFileExist(_dir + "res/data/folder.json"));
    EXPECT_EQ(files()->fullPathForFilename("data/folder.json"), "");
    EXPECT_TRUE(files()->isDirectoryExist("data/folder.json"));
    EXPECT_EQ(files()->getStringFromFile("data/folder.json"), "");
}

TEST_F(FileUtilsPaths, SearchPathsAreTriedInOrderWithTheRootLast) {
    write("res/x.txt", "root");
    write("mod/x.txt", "mod");
    write("mod/only.txt", "only");
    EXPECT_EQ(files()->getStringFromFile("x.txt"), "root");
    files()->addSearchPath(_dir + "mod", true);
    EXPECT_EQ(files()->getStringFromFile("x.txt"), "mod");
    files()->setSearchPaths({});
    EXPECT_EQ(files()->getStringFromFile("x.txt"), "root");
    EXPECT_EQ(files()->getStringFromFile("only.txt"), "");
}

TEST_F(FileUtilsPaths, FilesAreReadWhole) {
    const std::string binary("PNG\0\x01\xff tail", 11);
    write("res/blob.bin", binary);
    EXPECT_EQ(files()->getStringFromFile("blob.bin"), binary);
    Data data = files()->getDataFromFile("blob.bin");
    ASSERT_EQ(data.getSize(), 11);
    EXPECT_EQ(data.getBytes()[4], 0x01);
    EXPECT_TRUE(files()->getDataFromFile("missing.bin").isNull());
}

TEST_F(FileUtilsPaths, PropertyListsBecomeValueMaps) {
    write("res/fx.plist", R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict>
  <key>maxParticles</key><integer>120</integer>
  <key>duration</key><real>-1.5</real>
  <key>blend</key><true/>
  <key>textureFileName</key><string>heart.png</string>
  <key>colors</key><array><real>0.5</real><integer>2</integer></array>
</dict></plist>)");
    ValueMap map = files()->getValueMapFromFile("fx.plist");
    EXPECT_EQ(map["maxParticles"].asInt(), 120);
    EXPECT_FLOAT_EQ(map["duration"].asFloat(), -1.5f);
    EXPECT_TRUE(map["blend"].asBool());
    EXPECT_EQ(map["textureFileName"].asString(), "heart.png");
    ASSERT_EQ(map["colors"].asValueVector().size(), 2u);
    EXPECT_EQ(map["colors"].asValueVector()[1].asInt(), 2);
    EXPECT_EQ(map.count("absent"), 0u);

    write("res/broken.plist", "<plist><dict><key>a</key>");
    EXPECT_TRUE(files()->getValueMapFromFile("broken.plist").empty());
    EXPECT_FALSE(_log.empty());
}

TEST_F(FileUtilsPaths, TheWritableFolderFollowsXdgDataHomeAndTreatsEmptyAsUnset) {
    ext::setWritablePath("");
    setenv("XDG_DATA_HOME", (_dir + "xdg/deep").c_str(), 1);
    std::string path = files()->getWritablePath();
    EXPECT_EQ(path, _dir + "xdg/deep/Solvane/");
    EXPECT_TRUE(std::filesystem::is_directory(path)) << "created with its missing parents";

    setenv("XDG_DATA_HOME", "", 1);
    setenv("HOME", (_dir + "home").c_str(), 1);
    EXPECT_EQ(files()->getWritablePath(), _dir + "home/.local/share/Solvane/");
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(files()->getWritablePath(), _dir + "home/.local/share/Solvane/");

    ext::setWritablePath(_dir + "chosen");
    EXPECT_EQ(files()->getWritablePath(), _dir + "chosen/");
    EXPECT_TRUE(std::filesystem::is_directory(_dir + "chosen"));
}

TEST_F(FileUtilsPaths, AFileThatAppearsAfterAMissIsFound) {
    EXPECT_FALSE(files()->isFileExist("later.txt"));
    write("res/later.txt", "here");
    EXPECT_TRUE(files()->isFileExist("later.txt"));
    EXPECT_EQ(files()->getStringFromFile("later.txt"), "here");
}

TEST_F(FileUtilsPaths, WritingAndPathHelpers) {
    const std::string target = _dir + "out/notes.txt";
    EXPECT_FALSE(files()->writeStringToFile("x", target)) << "the folder does not exist";
    EXPECT_TRUE(files()->createDirectory(_dir + "out"));
    EXPECT_TRUE(files()->writeStringToFile("first\nsecond", target));
    EXPECT_EQ(files()->getStringFromFile(target), "first\nsecond");
    EXPECT_EQ(files()->getFileSize(target), 12);
    EXPECT_EQ(files()->getFileExtension("a/b.dir/Image.PNG"), ".png");
    EXPECT_EQ(files()->getFileExtension("a/b.dir/noext"), "");
    EXPECT_EQ(files()->fullPathFromRelativeFile("heart.png", "/x/effect/heart.plist"), "/x/effect/heart.png");
    EXPECT_TRUE(files()->removeFile(target));
    EXPECT_FALSE(files()->isFileExist(target));
}
