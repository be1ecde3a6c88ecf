#include "platform/MStrings.h"
#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

TEST(IntToTextTest, SignDigitsAndNoLeadingZeros)
{
    char buffer[16];
    EXPECT_STREQ(IntToText(-305, buffer), "-305");
    EXPECT_STREQ(IntToText(0, buffer), "0");
    EXPECT_STREQ(IntToText(1000, buffer), "1000");
    EXPECT_STREQ(IntToText(9, buffer), "9");
    EXPECT_STREQ(IntToText(10, buffer), "10");
    EXPECT_STREQ(IntToText(2147483647, buffer), "2147483647");
    EXPECT_STREQ(IntToText(-2147483647 - 1, buffer), "-2147483648");
}

TEST(MStringsTest, CompareGivesMinusOneZeroOrOne)
{
    const MStrings strings;
    EXPECT_EQ(strings.Compare("abc", "abd"), -1);
    EXPECT_EQ(strings.Compare("b", "a"), 1);
    EXPECT_EQ(strings.Compare("same", "same"), 0);
    EXPECT_EQ(strings.Compare("ab", "abc"), -1);
    EXPECT_EQ(strings.Compare("\xE9", "z"), 1); // bytes compare as unsigned
}

TEST(MStringsTest, CopyNPadsWithNulsAndAddsNoneWhenFull)
{
    const MStrings strings;
    char buffer[6];
    std::memset(buffer, 'x', sizeof buffer);
    strings.CopyN(buffer, "ab", 4);
    EXPECT_EQ(std::string(buffer, 6), std::string("ab\0\0xx", 6));
    strings.CopyN(buffer, "abcdef", 3);
    EXPECT_EQ(std::string(buffer, 6), std::string("abc\0xx", 6));
}

} // namespace
