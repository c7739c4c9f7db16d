// Content is found wherever the game is installed: a folder named for a player called Jöns, or
// one in Japanese, holds the same JSON as any other.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "DataTestSupport.h"
#include "data/JsonFile.h"

using namespace datatest;

TEST(ReadJsonFile, ContentUnderAFolderWithOtherCharactersIsRead) {
    namespace fs = std::filesystem;
    std::random_device random;
    const fs::path root =
        fs::temp_directory_path() / fs::u8path("solvane-Jöns-日本-" + std::to_string(random()));
    fs::create_directories(root / "res");
    std::ofstream(root / "res" / "gal_data.json") << R"({"name": "Jöns", "border": 5})";
    {
        ResourceRoot resources(root.u8string());
        const nlohmann::json value = readJsonFile("res/gal_data.json");
        EXPECT_EQ(value.at("name"), "Jöns");
        EXPECT_EQ(readInt(value.at("border")), 5);
        EXPECT_THROW(readJsonFile("res/missing.json"), nlohmann::json::parse_error);
    }
    std::error_code ignored;
    fs::remove_all(root, ignored);
}
