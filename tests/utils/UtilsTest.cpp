#include "utils/Utils.h"

#include <gtest/gtest.h>

using vell::Log;

TEST(Log, ErrorPrefixesAndFormats)
{
    testing::internal::CaptureStdout();
    Log::error("x=%d", 5);
    Log::msg("plain %s", "line");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "ERROR: x=5\nplain line\n");
}

TEST(Log, LongLinesAreCutToTheBuffer)
{
    const std::string longText(2000, 'a');
    testing::internal::CaptureStdout();
    Log::msg("%s", longText.c_str());
    Log::error("%s", longText.c_str());
    const std::string out = testing::internal::GetCapturedStdout();
    const size_t firstEnd = out.find('\n');
    EXPECT_EQ(firstEnd, 511u);
    EXPECT_EQ(out.substr(firstEnd + 1), "ERROR: " + std::string(255, 'a') + "\n");
}

TEST(StringExplode, AppendsNonEmptyTokensOnly)
{
    std::list<std::string> out{"kept"};
    vell::stringExplode("a\n\nb\n", "\n", &out);
    EXPECT_EQ(out, (std::list<std::string>{"kept", "a", "b"}));

    out.clear();
    vell::stringExplode("  x y,,z", " ,", &out);
    EXPECT_EQ(out, (std::list<std::string>{"x", "y", "z"}));

    out.clear();
    vell::stringExplode(",,,", ",", &out);
    EXPECT_TRUE(out.empty());
}
