// Files and the store in folders whose names are not ASCII (a player called Jöns, a Windows user
// folder in Japanese): every path the engine takes is UTF-8, on every platform.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "base/CCUserDefault.h"
#include "ext/Log.h"
#include "ext/Paths.h"
#include "platform/CCFileUtils.h"

USING_NS_CC;
namespace stdfs = std::filesystem;

namespace {

class UnicodePaths : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        _root = stdfs::temp_directory_path() / stdfs::u8path("solvane-Jöns-日本-" + std::to_string(random()));
        _dir = asUtf8(_root) + "/Spieler ünd 名前/";
        ASSERT_TRUE(FileUtils::getInstance()->createDirectory(_dir)) << _dir;
        ext::setWritablePath(_dir);
        ext::setLogSink([this](const std::string& line) { _log.push_back(line); });
        UserDefault::destroyInstance();
    }
    void TearDown() override {
        UserDefault::destroyInstance();
        ext::setLogSink({});
        ext::setWritablePath("");
        std::error_code ignored;
        stdfs::remove_all(_root, ignored);
    }
    static std::string asUtf8(const stdfs::path& path) {
        std::string text = path.u8string();
        for (char& c : text) {
            c = c == '\\' ? '/' : c;
        }
        return text;
    }
    std::vector<std::string> namesInStoreFolder() const {
        std::vector<std::string> names;
        for (const auto& entry : stdfs::directory_iterator(stdfs::u8path(_dir))) {
            names.push_back(entry.path().filename().u8string());
        }
        return names;
    }

    stdfs::path _root;
    std::string _dir;
    std::vector<std::string> _log;
};

} // namespace

TEST_F(UnicodePaths, TheStoreIsWrittenReplacedAndReadBackThere) {
    UserDefault* store = UserDefault::getInstance();
    for (int score = 1; score <= 25; ++score) {
        store->setIntegerForKey("high_score", score * 100);
    }
    store->setStringForKey("name", "Jöns");
    EXPECT_TRUE(store->isStoreWritten());
    EXPECT_EQ(UserDefault::getXMLFilePath(), _dir + "UserDefault.xml");

    // Every write replaced the file whole: no temp file is left beside it.
    EXPECT_EQ(namesInStoreFolder(), std::vector<std::string>{"UserDefault.xml"});

    UserDefault::destroyInstance();
    store = UserDefault::getInstance();
    EXPECT_EQ(store->getIntegerForKey("high_score"), 2500);
    EXPECT_EQ(store->getStringForKey("name"), "Jöns");
    for (const std::string& line : _log) {
        EXPECT_EQ(line.rfind("UserDefault: store at ", 0), 0u) << line;
    }
}

TEST_F(UnicodePaths, ACorruptStoreIsSetAsideBesideItAndTheGameStartsAfresh) {
    FileUtils::getInstance()->writeStringToFile("<userDefaultRoot><high_score>", _dir + "UserDefault.xml");
    UserDefault* store = UserDefault::getInstance();
    EXPECT_EQ(store->getIntegerForKey("high_score", -1), -1);
    std::vector<std::string> names = namesInStoreFolder();
    ASSERT_EQ(names.size(), 2u);
    EXPECT_NE(std::find_if(names.begin(), names.end(),
                           [](const std::string& n) { return n.rfind("UserDefault.xml.corrupt-", 0) == 0; }),
              names.end());
}

TEST_F(UnicodePaths, FileUtilsReadsWritesMeasuresAndRemovesFilesThere) {
    FileUtils* files = FileUtils::getInstance();
    const std::string path = _dir + "ärger – 怒り.txt";
    ASSERT_TRUE(files->writeStringToFile("über 9000", path));
    EXPECT_TRUE(files->isFileExist(path));
    EXPECT_EQ(files->getFileSize(path), static_cast<long>(std::string("über 9000").size()));
    EXPECT_EQ(files->getStringFromFile(path), "über 9000");
    EXPECT_EQ(files->fullPathForFilename(path), path);
    EXPECT_TRUE(files->isDirectoryExist(_dir));
    EXPECT_EQ(files->getFileSize(_dir), -1);

    EXPECT_TRUE(files->removeFile(path));
    EXPECT_FALSE(files->isFileExist(path));
    EXPECT_EQ(files->getFileSize(path), -1);
    EXPECT_FALSE(files->removeFile(path));
}

TEST_F(UnicodePaths, NestedFoldersAreCreatedInOneCall) {
    const std::string deep = _dir + "eins/zwei/三/";
    EXPECT_TRUE(FileUtils::getInstance()->createDirectory(deep));
    EXPECT_TRUE(stdfs::is_directory(stdfs::u8path(deep)));
    // Asking again for a folder that exists is fine; a path through a file is not.
    EXPECT_TRUE(FileUtils::getInstance()->createDirectory(deep));
    ASSERT_TRUE(FileUtils::getInstance()->writeStringToFile("x", _dir + "datei"));
    EXPECT_FALSE(FileUtils::getInstance()->createDirectory(_dir + "datei/unter"));
}
