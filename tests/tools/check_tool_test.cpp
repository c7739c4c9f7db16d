// Runs the solvane-check program the build puts beside the tests.

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <regex>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "data/DataTestSupport.h"

using namespace datatest;
using testing::HasSubstr;
using testing::StartsWith;

namespace {

struct CheckRun {
    int status = -1;
    std::vector<std::string> lines;
};

CheckRun runCheck(const std::string& root) {
    CheckRun run;
    const std::string command = std::string(SOLVANE_BIN_DIR) + "/solvane-check '" + root + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    std::string output;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, n);
    }
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::size_t start = 0;
    for (std::size_t end; (end = output.find('\n', start)) != std::string::npos; start = end + 1) {
        run.lines.push_back(output.substr(start, end - start));
    }
    return run;
}

std::string labelFont() {
    const std::string shipped =
        std::string(SOLVANE_SOURCE_DIR) + "/Resources/fonts/NotoSans/NotoSansCJKjp-Regular.otf";
    if (std::filesystem::exists(shipped)) {
        return shipped;
    }
    return "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc";
}

// Gives a scratch copy of the valid fixture data everything the checker asks for: it reports
// each missing medium, and the test supplies a stand-in until the report is clean.
void supplyMedia(const ScratchRoot& scratch) {
    const std::regex missing(R"(^error: (\S+): (?:.*'([^']+)': )?file not found$)");
    for (int round = 0; round < 2; ++round) {
        for (const auto& line : runCheck(scratch.path()).lines) {
            std::smatch m;
            if (!std::regex_match(line, m, missing)) {
                continue;
            }
            const std::string path = m[2].matched ? m[2].str() : m[1].str();
            std::filesystem::create_directories(std::filesystem::path(scratch.file(path)).parent_path());
            if (path.find("fonts/") == 0) {
                std::filesystem::copy_file(labelFont(), scratch.file(path));
            } else {
                std::ofstream(scratch.file(path))
                    << (path.size() > 6 && path.substr(path.size() - 6) == ".plist"
                            ? "<plist><dict><key>textureImageData</key><string>AA==</string></dict></plist>"
                            : "stand-in");
            }
        }
    }
}

class CheckTool : public testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(std::string(SOLVANE_BIN_DIR) + "/solvane-check")) {
            GTEST_SKIP() << "solvane-check is not built";
        }
        supplyMedia(scratch);
    }
    ScratchRoot scratch{fixture("valid/")};
};

} // namespace

TEST_F(CheckTool, CompleteContentIsOk) {
    const CheckRun run = runCheck(scratch.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_THAT(run.lines, testing::ElementsAre("ok: 3 heroines, 3 scenarios, 3 confessions, 3 profiles"));
}

TEST_F(CheckTool, EachBrokenFileGivesExactlyOneLineNamingIt) {
    const std::string files[] = {"res/gal/gal_data.json", "res/scenario/scenario.json",
                                 "res/confession/confession.json", "res/gal/gal_info.json",
                                 "res/tutorial/strings.json"};
    for (const std::string& file : files) {
        for (const char* source : {"broken/truncated.json", "broken/random.bin", "broken/empty.json", ""}) {
            ScratchRoot broken(scratch.path());
            if (*source == '\0') {
                broken.makeDirectory(file);
            } else {
                broken.replace(file, fixture(source));
            }
            const CheckRun run = runCheck(broken.path());
            EXPECT_EQ(run.status, 1) << file << " " << source;
            ASSERT_EQ(run.lines.size(), 1u) << file << " " << source;
            EXPECT_THAT(run.lines[0], StartsWith("error: " + file + ": ")) << source;
        }
    }
}

TEST_F(CheckTool, LibraryMessagesPassThroughUnchanged) {
    std::ofstream(scratch.file("res/confession/confession.json"))
        << R"([{"target": "葵", "message": 1, "success": "s", "failure": "f"}])";
    const CheckRun run = runCheck(scratch.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.lines,
                testing::ElementsAre("error: res/confession/confession.json: "
                                     "[json.exception.type_error.302] type must be string, but is number"));
}

TEST_F(CheckTool, MissingMediaAndGlyphsAreReported) {
    std::filesystem::remove(scratch.file("res/gal/beni.png"));
    std::ofstream(scratch.file("res/gal/gal_info.json")) << R"([{"id": 1, "info": "\uE000 private use"}])";
    const CheckRun run = runCheck(scratch.path());
    EXPECT_EQ(run.status, 1);
    ASSERT_EQ(run.lines.size(), 2u);
    EXPECT_EQ(run.lines[0],
              "error: res/gal/gal_data.json: heroine 2 (紅): picture 'res/gal/beni.png': file not found");
    EXPECT_THAT(run.lines[1], StartsWith("error: res/gal/gal_info.json: characters missing from "));
    EXPECT_THAT(run.lines[1], HasSubstr("U+E000 (profile 1)"));
}

// An expression swaps in for her base picture, keeping its rectangle: each must be there, decode,
// and match the base picture's size. One line for each that does not.
TEST_F(CheckTool, ExpressionPicturesMustExistDecodeAndMatchTheBaseSize) {
    const std::string shipped = std::string(SOLVANE_SOURCE_DIR) + "/Resources/";
    const auto copy = [&](const std::string& from, const std::string& to) {
        std::filesystem::copy_file(shipped + from, scratch.file(to),
                                   std::filesystem::copy_options::overwrite_existing);
    };
    copy("res/icon/LV1.png", "res/gal/beni.png");           // 200 x 200
    copy("res/icon/LV2.png", "res/gal/beni_surprised.png"); // the same size: fine
    copy("maru.png", "res/gal/beni_happy.png");             // 512 x 512
    std::ofstream(scratch.file("res/gal/beni_angry.png")) << "not a picture";

    nlohmann::json heroines = nlohmann::json::parse(std::ifstream(scratch.file("res/gal/gal_data.json")));
    for (auto& h : heroines) {
        if (h.at("id") == 2) {
            h["expressions"] = {{"Normal", "res/gal/beni.png"},
                                {"Surprised", "res/gal/beni_surprised.png"},
                                {"Happy", "res/gal/beni_happy.png"},
                                {"Angry", "res/gal/beni_angry.png"},
                                {"Sad", "res/gal/beni_sad.png"}};
        }
    }
    std::ofstream(scratch.file("res/gal/gal_data.json")) << heroines.dump();

    const CheckRun run = runCheck(scratch.path());
    EXPECT_EQ(run.status, 1);
    const std::string owner = "error: res/gal/gal_data.json: heroine 2 (紅): ";
    EXPECT_THAT(run.lines,
                testing::UnorderedElementsAre(
                    owner + "Angry expression 'res/gal/beni_angry.png': does not decode as a picture",
                    owner + "Happy expression 'res/gal/beni_happy.png': 512x512, not 200x200 like "
                            "'res/gal/beni.png'",
                    owner + "Sad expression 'res/gal/beni_sad.png': file not found"));
}
