// The per-user store on disk: round trips, the file layout, a corrupt store set aside, failed and
// interrupted writes, and keys that cannot be stored.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/CCUserDefault.h"
#include "ext/Log.h"
#include "ext/Paths.h"

USING_NS_CC;

namespace {

class UserDefaultStore : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/solvane-store-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        _dir = std::string(pattern) + "/";
        ext::setWritablePath(_dir);
        ext::setLogSink([this](const std::string& line) { _log.push_back(line); });
        UserDefault::destroyInstance();
    }
    void TearDown() override {
        UserDefault::destroyInstance();
        ext::setLogSink({});
        ext::setWritablePath("");
        std::error_code ignored;
        std::filesystem::remove_all(_dir, ignored);
    }

    std::string storePath() const { return _dir + "UserDefault.xml"; }
    static UserDefault* store() { return UserDefault::getInstance(); }
    // A fresh instance reading what is on disk.
    static UserDefault* reopen() {
        UserDefault::destroyInstance();
        return UserDefault::getInstance();
    }
    void writeFile(const std::string& path, const std::string& contents) {
        std::ofstream(path, std::ios::binary) << contents;
    }
    static std::string readFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream buffer;
        buffer << in.rdbuf();
        return buffer.str();
    }
    // Names in the store's folder starting with prefix.
    std::vector<std::string> filesStartingWith(const std::string& prefix) const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(_dir)) {
            std::string name = entry.path().filename().string();
            if (name.rfind(prefix, 0) == 0) {
                names.push_back(name);
            }
        }
        return names;
    }
    bool logContains(const std::string& fragment) const {
        for (const auto& line : _log) {
            if (line.find(fragment) != std::string::npos) {
                return true;
            }
        }
        return false;
    }

    std::string _dir;
    std::vector<std::string> _log;
};

} // namespace

TEST_F(UserDefaultStore, ValuesSurviveAFreshInstanceInTheFrameworkLayout) {
    store()->setIntegerForKey("high_score", 42);
    store()->setBoolForKey("isFirstTime", true);
    store()->setFloatForKey("volume", 0.25f);
    store()->setDoubleForKey("tiny", 1e-9);
    store()->setStringForKey("name", "<Ann & \"Bo\">");
    std::string xml = readFile(storePath());
    EXPECT_NE(xml.find("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"), std::string::npos);
    EXPECT_NE(xml.find("<userDefaultRoot>"), std::string::npos);
    EXPECT_NE(xml.find("<high_score>42</high_score>"), std::string::npos);
    EXPECT_NE(xml.find("<isFirstTime>true</isFirstTime>"), std::string::npos);

    UserDefault* fresh = reopen();
    EXPECT_EQ(fresh->getIntegerForKey("high_score"), 42);
    EXPECT_TRUE(fresh->getBoolForKey("isFirstTime"));
    EXPECT_FLOAT_EQ(fresh->getFloatForKey("volume"), 0.25f);
    EXPECT_DOUBLE_EQ(fresh->getDoubleForKey("tiny"), 1e-9);
    EXPECT_EQ(fresh->getStringForKey("name"), "<Ann & \"Bo\">");
    fresh->deleteValueForKey("high_score");
    EXPECT_EQ(reopen()->getIntegerForKey("high_score", -1), -1);
}

TEST_F(UserDefaultStore, MissingOrEmptyKeysReadAsDefaultsAndBoolsNeedExactlyTrue) {
    writeFile(storePath(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<userDefaultRoot>"
                           "<shout>TRUE</shout><empty></empty><count>12abc</count></userDefaultRoot>");
    EXPECT_FALSE(store()->getBoolForKey("shout"));
    EXPECT_TRUE(store()->getBoolForKey("empty", true));
    EXPECT_EQ(store()->getIntegerForKey("empty", 7), 7);
    EXPECT_EQ(store()->getIntegerForKey("count"), 12);
    EXPECT_EQ(store()->getIntegerForKey("absent"), 0);
    EXPECT_FALSE(store()->getBoolForKey("absent"));
    EXPECT_EQ(store()->getStringForKey("absent", "dflt"), "dflt");
}

TEST_F(UserDefaultStore, CreatingTheInstanceLogsThePathOnceAndCreatesTheFile) {
    store();
    store();
    int mentions = 0;
    for (const auto& line : _log) {
        mentions += line.find(storePath()) != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(mentions, 1);
    EXPECT_EQ(UserDefault::getXMLFilePath(), storePath());
    EXPECT_TRUE(UserDefault::isXMLFileExist());
}

TEST_F(UserDefaultStore, AGarbageStoreIsSetAsideAndTheGameGoesOnWithDefaults) {
    const std::string garbage = "<?xml version=\"1.0\"?>\n<userDefaultRoot><high_score>9";
    writeFile(storePath(), garbage);
    EXPECT_EQ(store()->getIntegerForKey("high_score"), 0);
    std::vector<std::string> aside = filesStartingWith("UserDefault.xml.corrupt-");
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(readFile(_dir + aside[0]), garbage) << "the damaged file is kept, not deleted";
    EXPECT_TRUE(logContains(aside[0]));

    store()->setIntegerForKey("high_score", 5);
    EXPECT_EQ(reopen()->getIntegerForKey("high_score"), 5);
    EXPECT_EQ(filesStartingWith("UserDefault.xml.corrupt-").size(), 1u);
}

TEST_F(UserDefaultStore, AStoreWithTheWrongRootOrBinaryJunkIsSetAsideToo) {
    writeFile(storePath(), std::string("\0\x01\x02junk", 7));
    EXPECT_FALSE(store()->getBoolForKey("isFirstTime"));
    writeFile(storePath(), "<?xml version=\"1.0\"?><settings><isFirstTime>true</isFirstTime></settings>");
    EXPECT_FALSE(reopen()->getBoolForKey("isFirstTime"));
    EXPECT_EQ(filesStartingWith("UserDefault.xml.corrupt-").size(), 2u);
}

TEST_F(UserDefaultStore, AWriteInterruptedBeforeTheRenameLeavesTheOldValue) {
    store()->setIntegerForKey("high_score", 100);
    // What a crash mid-write leaves behind: a half-written temp file beside the intact store.
    writeFile(storePath() + ".tmp-Ab12Cd", "<?xml version=\"1.0\"?><userDefaultRoot><high_score>2");
    EXPECT_EQ(reopen()->getIntegerForKey("high_score"), 100);
    EXPECT_TRUE(filesStartingWith("UserDefault.xml.corrupt-").empty());
    EXPECT_TRUE(filesStartingWith("UserDefault.xml.tmp-").empty()) << "leftovers are cleared on opening";
}

TEST_F(UserDefaultStore, AFailedWriteIsLoggedKeepsTheValueInMemoryAndFlushRetries) {
    store()->setIntegerForKey("high_score", 100);
    // Make the rename impossible, even for root: a non-empty folder where the store should go.
    std::filesystem::remove(storePath());
    std::filesystem::create_directories(storePath() + "/blocker");
    store()->setIntegerForKey("high_score", 250);
    EXPECT_TRUE(logContains("writing " + storePath() + " failed"));
    EXPECT_EQ(store()->getIntegerForKey("high_score"), 250);
    EXPECT_FALSE(store()->isStoreWritten());
    EXPECT_TRUE(filesStartingWith("UserDefault.xml.tmp-").empty()) << "no temp file left behind";

    std::filesystem::remove_all(storePath());
    store()->flush();
    EXPECT_TRUE(store()->isStoreWritten());
    EXPECT_EQ(reopen()->getIntegerForKey("high_score"), 250);
}

TEST_F(UserDefaultStore, KeysThatAreNotXmlNamesAreRefusedAndTheFileStaysReadable) {
    store()->setIntegerForKey("good-key.v2_x", 1);
    store()->setIntegerForKey("two words", 2);
    store()->setIntegerForKey("1st", 3);
    store()->setBoolForKey("", true);
    store()->setBoolForKey(nullptr, true);
    EXPECT_TRUE(logContains("refused to store 'two words'"));
    EXPECT_TRUE(logContains("refused to store '1st'"));
    UserDefault* fresh = reopen();
    EXPECT_TRUE(filesStartingWith("UserDefault.xml.corrupt-").empty());
    EXPECT_EQ(fresh->getIntegerForKey("good-key.v2_x"), 1);
    EXPECT_EQ(fresh->getIntegerForKey("two words", -1), -1);
    EXPECT_FALSE(fresh->getBoolForKey(nullptr));
}
