// Start-up: the size class and content scale of the frame, an existing view kept, and a
// broken data file stopping the real program with a message before any scene.

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>

#include "app/AppDelegate.h"
#include "app/StartupLoad.h"
#include "cocos2d.h"
#include "ext/Headless.h"
#include "ext/Paths.h"

USING_NS_CC;
namespace fs = std::filesystem;

namespace {

const std::string kGameplayFixtures = std::string(SOLVANE_FIXTURES_DIR) + "/gameplay";

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        ext::resetAll();
        store = fs::temp_directory_path() / ("solvane-startup-" + std::to_string(::getpid()));
        fs::create_directories(store);
        ext::setWritablePath(store.string());
        ext::setResourceRoot(kGameplayFixtures);
    }
    void TearDown() override {
        ext::resetAll();
        ext::setResourceRoot("");
        ext::setWritablePath("");
        fs::remove_all(store);
    }
    fs::path store;
};

TEST(ResolutionClass, ChosenByFrameHeightWithStrictComparisons) {
    EXPECT_TRUE(resolutionClassForFrameHeight(320).equals(smallResolutionSize));
    EXPECT_TRUE(resolutionClassForFrameHeight(321).equals(mediumResolutionSize));
    EXPECT_TRUE(resolutionClassForFrameHeight(720).equals(mediumResolutionSize));
    EXPECT_TRUE(resolutionClassForFrameHeight(721).equals(largeResolutionSize));
}

TEST_F(StartupTest, ContentScaleFollowsTheFrameAndAnExistingViewIsKept) {
    const std::array<std::pair<int, float>, 4> cases = {
        {{320, 0.375f}, {321, 1.0f}, {720, 1.0f}, {721, 1.6f}}};
    for (const auto& [height, scale] : cases) {
        ext::resetAll();
        ext::startHeadless(1280, height);
        GLView* before = Director::getInstance()->getOpenGLView();
        AppDelegate app;
        ASSERT_TRUE(app.applicationDidFinishLaunching());
        auto director = Director::getInstance();
        EXPECT_EQ(director->getOpenGLView(), before) << "no second view is created";
        EXPECT_FLOAT_EQ(director->getContentScaleFactor(), scale) << "frame height " << height;
        EXPECT_NEAR(director->getAnimationInterval(), 1.0f / 60.0f, 1e-7);
        EXPECT_EQ(before->getResolutionPolicy(), ResolutionPolicy::NO_BORDER);
        EXPECT_TRUE(before->getDesignResolutionSize().equals(Size(1280, 720)));
        ext::step(0.0f);
        EXPECT_NE(director->getRunningScene(), nullptr) << "the logo runs";
    }
}

TEST_F(StartupTest, BackgroundHooksOnlyStopAndStartDrawing) {
    ext::startHeadless(1280, 720);
    AppDelegate app;
    ASSERT_TRUE(app.applicationDidFinishLaunching());
    ext::step(1.0f / 60, 2);
    app.applicationDidEnterBackground();
    const unsigned before = Director::getInstance()->getTotalFrames();
    ext::step(1.0f / 60, 3);
    app.applicationWillEnterForeground();
    ext::step(1.0f / 60, 3);
    EXPECT_GT(Director::getInstance()->getTotalFrames(), before);
}

TEST(StartupFailure, TextNamesTheFile) {
    EXPECT_EQ(startupFailureText("res/gal/gal_data.json", "key 'me' not found"),
              "Solvane: cannot start: res/gal/gal_data.json: key 'me' not found");
}

// Runs the real game binary next to a Resources folder whose heroine file lacks a key.
TEST(StartupFailure, RealProgramReportsAndExitsWithOne) {
    const fs::path binary = fs::path(SOLVANE_BIN_DIR) / "solvane";
    if (!fs::exists(binary)) {
        GTEST_SKIP() << "solvane was not built";
    }
    const fs::path dir = fs::temp_directory_path() / ("solvane-broken-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::copy_file(binary, dir / "solvane");
    fs::permissions(dir / "solvane", fs::perms::owner_all, fs::perm_options::add);
    fs::copy(kGameplayFixtures, dir / "Resources", fs::copy_options::recursive);
    {
        std::ofstream broken(dir / "Resources/res/gal/gal_data.json", std::ios::trunc);
        broken << R"([{"id": 0, "border": 5, "file": "res/gal/a.png", "attribute": [], "name": "Aoi",
                      "you": "senpai", "parameter": null}])";
    }
    const std::string command =
        "cd '" + dir.string() + "' && env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=dummy " +
        "SDL_AUDIODRIVER=dummy XDG_DATA_HOME='" + dir.string() + "' ./solvane 2>stderr.txt >stdout.txt";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    std::ifstream err(dir / "stderr.txt");
    std::string line;
    std::getline(err, line);
    EXPECT_EQ(line, "Solvane: cannot start: res/gal/gal_data.json: "
                    "[json.exception.out_of_range.403] key 'me' not found");
    fs::remove_all(dir);
}

} // namespace

namespace {
// Runs the real game in its own bin folder with that environment; the status and stderr.
std::pair<int, std::string> runWithoutWindow(const std::string& environment, double* seconds) {
    const fs::path binary = fs::path(SOLVANE_BIN_DIR) / "solvane";
    const fs::path err = fs::temp_directory_path() / ("solvane-nodisplay-" + std::to_string(::getpid()));
    // The sanitizers' leak report would add its own lines to stderr.
    const std::string command =
        "cd '" + std::string(SOLVANE_BIN_DIR) + "' && env -u DISPLAY -u WAYLAND_DISPLAY " + environment +
        " LSAN_OPTIONS=\"$LSAN_OPTIONS:print_suppressions=0\"" + " SDL_AUDIODRIVER=dummy XDG_DATA_HOME='" +
        err.string() + ".store' XDG_RUNTIME_DIR='" + err.string() + ".store' timeout 20 ./solvane 2>'" +
        err.string() + "' >/dev/null";
    fs::create_directories(err.string() + ".store"); // a session's runtime folder, as a desktop has
    const auto started = std::chrono::steady_clock::now();
    const int status = std::system(command.c_str());
    *seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::ifstream in(err);
    std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    fs::remove(err);
    fs::remove_all(err.string() + ".store");
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, all};
}
} // namespace

// Started where no window can open: one line that names the display, status 1, and no process
// left behind (the timeout would report 124).
TEST(StartupFailure, NoDisplayIsReportedInOneLineAndEndsWithOne) {
    if (!fs::exists(fs::path(SOLVANE_BIN_DIR) / "solvane")) {
        GTEST_SKIP() << "solvane was not built";
    }
    double seconds = 0;
    auto [status, err] = runWithoutWindow("", &seconds);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(err,
              "Solvane: cannot start: display: none is set (DISPLAY and WAYLAND_DISPLAY are empty), so the "
              "game window cannot open\n");
    EXPECT_LT(seconds, 10.0);

    std::tie(status, err) = runWithoutWindow("DISPLAY=:4093", &seconds);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(err, "Solvane: cannot start: display \":4093\": the game window could not be opened on it\n");
    EXPECT_LT(seconds, 10.0);
}
