#include "toolkit/StrUtil.h"

#include <gtest/gtest.h>

using Tokens = std::vector<std::string>;

TEST(StrUtil, ExplodeSkipsRunsOfDelimiters)
{
    EXPECT_EQ(strUtil::explode(" /", "f 1/2/3 4//6"), (Tokens{"f", "1", "2", "3", "4", "6"}));
    EXPECT_EQ(strUtil::explode(" ", "  lead and trail  "), (Tokens{"lead", "and", "trail"}));
    EXPECT_EQ(strUtil::explode(" ", "x"), (Tokens{"x"}));
}

TEST(StrUtil, ExplodeOfNothingIsEmpty)
{
    EXPECT_TRUE(strUtil::explode(" ", "").empty());
    EXPECT_TRUE(strUtil::explode(" /", " // /").empty());
}

TEST(StrUtil, NumbersFollowTheCLibrary)
{
    EXPECT_EQ(strUtil::toFloat("1.5e2"), 150.0f);
    EXPECT_EQ(strUtil::toFloat("  -0.25xyz"), -0.25f);
    EXPECT_EQ(strUtil::toFloat("abc"), 0.0f);
    EXPECT_EQ(strUtil::toInt("12abc"), 12);
    EXPECT_EQ(strUtil::toInt(" -7"), -7);
    EXPECT_EQ(strUtil::toInt(""), 0);
}
