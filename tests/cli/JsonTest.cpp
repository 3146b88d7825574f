#include "cli/Json.h"

#include <gtest/gtest.h>

#include "cli/Args.h"

namespace marquill::cli {
namespace {

TEST(Json, NestsAndSeparatesValues) {
    Json j;
    j.beginObject().field("a", 1).key("b").beginArray().value("x").value(true).null().endArray();
    j.field("c", -2.5).endObject();
    EXPECT_EQ(j.str(), R"({"a":1,"b":["x",true,null],"c":-2.5})");
}

TEST(Json, EscapesControlsAndConvertsGameText) {
    EXPECT_EQ(Json::quote("a\"b\\\r\n"), R"("a\"b\\\u000d\u000a")");
    EXPECT_EQ(Json::quote("\xE9"), "\"\xC3\xA9\"");
}

TEST(Args, SplitsOptionsFlagsAndPositionals) {
    std::string error;
    auto a = Args::parse({"FILE", "--json", "--language", "3", "--put=STR#:1", "DATA"}, {"json"},
                         &error);
    ASSERT_TRUE(a.has_value()) << error;
    EXPECT_EQ(a->positional(), (std::vector<std::string>{"FILE", "DATA"}));
    EXPECT_TRUE(a->has("json"));
    EXPECT_EQ(a->value("language"), "3");
    EXPECT_EQ(a->value("put"), "STR#:1");
    EXPECT_FALSE(Args::parse({"--language"}, {}, &error).has_value());
}

}  // namespace
}  // namespace marquill::cli
