#include "platform/text/MStrings.h"
#include <gtest/gtest.h>
#include <string>

TEST(MStringsTest, IntToTextCompareAndCopyNAtTheirEdges)
{
    char buffer[16];
    for (int32_t n : {0, 9, 10, -305, 2147483647, -2147483647 - 1})
        EXPECT_EQ(std::string(IntToText(n, buffer)), std::to_string(n));
    const MStrings strings;
    EXPECT_EQ(strings.Compare("ab", "abc"), -1);
    EXPECT_EQ(strings.Compare("b", "a"), 1);
    EXPECT_EQ(strings.Compare("same", "same"), 0);
    EXPECT_EQ(strings.Compare("\xE9", "z"), 1); // bytes compare as unsigned
    char copy[6] = {'x', 'x', 'x', 'x', 'x', 'x'};
    strings.CopyN(copy, "ab", 4);
    EXPECT_EQ(std::string(copy, 6), std::string("ab\0\0xx", 6));
    strings.CopyN(copy, "abcdef", 3);
    EXPECT_EQ(std::string(copy, 6), std::string("abc\0xx", 6));
}
