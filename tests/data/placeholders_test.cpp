#include <gtest/gtest.h>

#include "data/Placeholders.h"

namespace {

Character heroine(std::string name, std::string you) {
    Character c;
    c.name = std::move(name);
    c.you = std::move(you);
    return c;
}

} // namespace

TEST(ReplacePlaceholders, ReplacesEveryOccurrenceOfBoth) {
    const Character aoi = heroine("葵", "先輩");
    EXPECT_EQ(replacePlaceholders("こんにちは", aoi), "こんにちは");
    EXPECT_EQ(replacePlaceholders("<ヒロイン>と<ヒロイン>!", aoi), "葵と葵!");
    EXPECT_EQ(replacePlaceholders("<ヒロイン>、<主人公>", aoi), "葵、先輩");
    EXPECT_EQ(replacePlaceholders("<主人公>、<ヒロイン>", aoi), "先輩、葵");
    EXPECT_EQ(replacePlaceholders("<主人公", aoi), "<主人公");
    EXPECT_EQ(replacePlaceholders("<主人公>の<主人公>", heroine("葵", "")), "の");
}

TEST(ReplacePlaceholders, PlayerWordIsReplacedFirst) {
    // Her word for the player may itself name her.
    EXPECT_EQ(replacePlaceholders("やあ<主人公>", heroine("千佳", "<ヒロイン>の先輩")), "やあ千佳の先輩");
    EXPECT_EQ(replacePlaceholders("<ヒロイン>", heroine("<主人公>", "x")), "<主人公>");
}

TEST(ReplacePlaceholders, WordsHoldingTheirOwnPlaceholderAreInsertedOnce) {
    EXPECT_EQ(replacePlaceholders("a<主人公>b<主人公>", heroine("n", "[<主人公>]")),
              "a[<主人公>]b[<主人公>]");
    EXPECT_EQ(replacePlaceholders("<ヒロイン><ヒロイン>", heroine("<ヒロイン>", "")), "<ヒロイン><ヒロイン>");
}
