#include "platform/Cp1252.h"

#include <gtest/gtest.h>

namespace marquill::platform {
namespace {

TEST(Cp1252, RoundTripsTheSpecialUpperRangeAndLatin1) {
    const std::string utf8 =
        "\xE2\x82\xAC \xC3\xA9t\xC3\xA9 \xE2\x80\x9Cq\xE2\x80\x9D";  // € été “q”
    const std::string cp = utf8ToCp1252(utf8);
    EXPECT_EQ(cp, "\x80 \xE9t\xE9 \x93q\x94");
    EXPECT_EQ(cp1252ToUtf8(cp), utf8);
}

TEST(Cp1252, UnrepresentableAndInvalidBecomeQuestionMarks) {
    EXPECT_EQ(utf8ToCp1252("\xE6\x97\xA5x"), "?x");   // a CJK character
    EXPECT_EQ(utf8ToCp1252("\xC3"), "?");             // cut sequence
    EXPECT_EQ(utf8ToCp1252("\xC0\xAF"), "??");        // overlong form
    EXPECT_EQ(cp1252ToUtf8("\x81"), "\xEF\xBF\xBD");  // unassigned byte
}

TEST(Cp1252, LenientKeepsValidUtf8AndConvertsTheRest) {
    EXPECT_EQ(toUtf8Lenient("caf\xC3\xA9"), "caf\xC3\xA9");
    EXPECT_EQ(toUtf8Lenient("caf\xE9"), "caf\xC3\xA9");
}

}  // namespace
}  // namespace marquill::platform
