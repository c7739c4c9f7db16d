#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "DataTestSupport.h"
#include "TestErrors.h"
#include "data/CharacterLoader.h"
#include "data/Filter.h"
#include "data/Verdict.h"

using namespace datatest;
using nlohmann::json;
using testing::ElementsAre;
using testing::HasSubstr;

namespace {

Character withAttributes(std::set<std::string> attributes, std::string name = "Aoi") {
    Character c;
    c.name = std::move(name);
    c.attribute = std::move(attributes);
    return c;
}

Character withParameters(int value) {
    Character c;
    for (const char* key : kParameterKeys) {
        c.parameter[key] = value;
    }
    return c;
}

json bounds(int value) {
    json b = json::object();
    for (const char* key : kParameterKeys) {
        b[key] = value;
    }
    return b;
}

json range(int lo, int hi) {
    return {{"min", bounds(lo)}, {"max", bounds(hi)}};
}

} // namespace

TEST(LoadFilter, KindsAcceptTheRightHeroinesAndLogTheirLine) {
    LogCapture log;
    const auto any = loadFilter(json::parse(R"({"type": "Any", "personal": 5})"));
    const auto personal = loadFilter(json::parse(R"({"type": "Personal", "personal": "Aoi"})"));
    const auto attribute = loadFilter(json::parse(R"({"type": "Attribute", "attributes": ["a", "b"]})"));
    const auto none = loadFilter(json::parse(R"({"type": "Attribute", "attributes": []})"));
    EXPECT_THAT(log.lines, ElementsAre("loadFilter: Any", "loadFilter: Personal(Aoi)",
                                       "loadFilter: Attributes", "loadFilter: Attributes"));

    EXPECT_TRUE(any(withAttributes({})));
    EXPECT_TRUE(personal(withAttributes({}, "Aoi")));
    EXPECT_FALSE(personal(withAttributes({}, "aoi")));
    EXPECT_FALSE(personal(withAttributes({}, "Aoi ")));
    EXPECT_TRUE(attribute(withAttributes({"b", "c"})));
    EXPECT_FALSE(attribute(withAttributes({"c"})));
    EXPECT_FALSE(none(withAttributes({"a", "b"})));
}

TEST(LoadFilter, UnreadableKindsFallBackToEveryone) {
    for (const char* text :
         {R"({"type": null})", R"({"type": "any"})", R"({"type": "Attributes"})", R"({"type": 3})",
          R"({"type": ["Any"]})", R"({"type": "Personal", "personal": null})",
          R"({"type": "Attribute", "attributes": null})"}) {
        LogCapture log;
        const auto filter = loadFilter(json::parse(text));
        EXPECT_TRUE(filter(withAttributes({}))) << text;
        EXPECT_THAT(log.lines, ElementsAre("loadFilter: Failed to load filter")) << text;
    }
}

TEST(LoadFilter, MalformedObjectsAreLoadErrors) {
    LogCapture quiet;
    EXPECT_THAT(errorOf([] { loadFilter(json::object()); }), HasSubstr("key 'type' not found"));
    EXPECT_THAT(errorOf([] { loadFilter(json("Any")); }), HasSubstr("cannot use at() with string"));
    EXPECT_THAT(errorOf([] { loadFilter(json::parse(R"({"type": "Personal"})")); }),
                HasSubstr("key 'personal' not found"));
    EXPECT_THAT(errorOf([] { loadFilter(json::parse(R"({"type": "Attribute", "attributes": "a"})")); }),
                HasSubstr("type must be array, but is string"));
    EXPECT_THAT(errorOf([] { loadFilter(json::parse(R"({"type": "Attribute", "attributes": ["a", 1]})")); }),
                HasSubstr("type must be string, but is number"));
    EXPECT_THAT(errorOf([] { loadFilter(json::parse(R"({"type": "Personal", "personal": 2})")); }),
                HasSubstr("type must be string, but is number"));
}

TEST(RangeVerdict, BoundsAreInclusiveOnEveryKey) {
    const auto judge = makeRangeVerdict(range(3, 7));
    EXPECT_TRUE(judge(withParameters(3)));
    EXPECT_TRUE(judge(withParameters(7)));
    EXPECT_FALSE(judge(withParameters(2)));
    EXPECT_FALSE(judge(withParameters(8)));

    Character c = withParameters(5);
    c.parameter["S"] = 8; // only the last key out of band
    EXPECT_FALSE(judge(c));
    EXPECT_FALSE(makeRangeVerdict(range(7, 3))(withParameters(5)));
}

TEST(RangeVerdict, BoundsReadLikeEveryOtherNumber) {
    json r = range(0, 10);
    r["min"]["kind"] = 2.9;
    r["max"]["kind"] = true;
    Character c = withParameters(1);
    EXPECT_FALSE(makeRangeVerdict(r)(c)); // kind 1 is below 2
    c.parameter["kind"] = 2;
    EXPECT_FALSE(makeRangeVerdict(r)(c)); // and 2 above 1
    r["max"]["kind"] = 2.99;
    EXPECT_TRUE(makeRangeVerdict(r)(c));
}

TEST(RangeVerdict, StopsAtTheFirstFailingKeyAndRaisesOnlyForKeysReached) {
    json r = range(0, 10);
    r["max"].erase("S");
    Character low = withParameters(5);
    low.parameter["twisted"] = 11;
    EXPECT_FALSE(makeRangeVerdict(r)(low)); // "S" is never read
    EXPECT_THAT(errorOf([&] { makeRangeVerdict(r)(withParameters(5)); }), HasSubstr("key 'S' not found"));

    r = range(0, 10);
    r["min"]["s"] = r["min"]["S"]; // lower case is another key
    r["min"].erase("S");
    EXPECT_THAT(errorOf([&] { makeRangeVerdict(r)(withParameters(5)); }), HasSubstr("key 'S' not found"));

    EXPECT_THAT(errorOf([] { makeRangeVerdict(nullptr)(withParameters(5)); }),
                HasSubstr("cannot use at() with null"));
    r = range(0, 10);
    r["max"]["age"] = "10";
    EXPECT_THAT(errorOf([&] { makeRangeVerdict(r)(withParameters(5)); }),
                HasSubstr("type must be number, but is string"));
    EXPECT_THROW(makeRangeVerdict(range(0, 10))(Character{}), std::out_of_range);
}
