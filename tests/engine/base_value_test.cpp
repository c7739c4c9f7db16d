// Value: the conversions property-list readers rely on, and copies that do not share containers.

#include <gtest/gtest.h>

#include "base/CCValue.h"

USING_NS_CC;

TEST(BaseValue, ScalarsConvertBetweenKinds) {
    EXPECT_EQ(Value("42").asInt(), 42);
    EXPECT_FLOAT_EQ(Value("0.5").asFloat(), 0.5f);
    EXPECT_EQ(Value(3.9).asInt(), 3);
    EXPECT_TRUE(Value("true").asBool());
    EXPECT_FALSE(Value("false").asBool());
    EXPECT_FALSE(Value("0").asBool());
    EXPECT_EQ(Value(true).asString(), "true");
    EXPECT_EQ(Value(7).asString(), "7");
    EXPECT_TRUE(Value().isNull());
    EXPECT_EQ(Value().asInt(), 0);
    EXPECT_EQ(Value(ValueVector{Value(1)}).asInt(), 0);
}

TEST(BaseValue, CopiesAreDeepAndMovesLeaveNull) {
    ValueMap inner;
    inner["n"] = Value(1);
    Value original(ValueVector{Value(inner), Value("s")});
    Value copy = original;
    copy.asValueVector()[0].asValueMap()["n"] = Value(2);
    copy.asValueVector().push_back(Value(3));
    EXPECT_EQ(original.asValueVector().size(), 2u);
    EXPECT_EQ(original.asValueVector()[0].asValueMap().at("n").asInt(), 1);
    EXPECT_NE(copy, original);

    Value moved = std::move(copy);
    EXPECT_EQ(moved.asValueVector().size(), 3u);
    EXPECT_EQ(moved.getType(), Value::Type::VECTOR);

    const Value scalar(5);
    EXPECT_TRUE(scalar.asValueMap().empty()) << "a scalar read as a map is an empty map";
    Value reassigned(5);
    reassigned = ValueMap{{"k", Value("v")}};
    EXPECT_EQ(reassigned.asValueMap().at("k").asString(), "v");
}
