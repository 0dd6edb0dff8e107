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

TEST(PrintableText, EscapesControlsAndMalformedUtf8ByteByByte)
{
    const std::pair<std::string, std::string> cases[] = {
        {"plain é € \xf0\x9f\x98\x80", "plain é € \xf0\x9f\x98\x80"},
        {"\xc2\xa0 \xf4\x8f\xbf\xbf", "\xc2\xa0 \xf4\x8f\xbf\xbf"}, // U+00A0 and U+10FFFF are printable
        {"a\nb\tc\x1b[2J\x7f", "a\\nb\\tc\\x1b[2J\\x7f"},
        {"\xc2\x9b", "\\xc2\\x9b"},                                  // U+009B, a C1 control
        {"\xff\x80", "\\xff\\x80"},                                  // no lead byte, a stray continuation
        {"\xc3(", "\\xc3("},                                         // continuation missing
        {"x\xe2\x82", "x\\xe2\\x82"},                                // cut short at the end
        {"\xc0\xaf", "\\xc0\\xaf"},                                  // overlong '/'
        {"\xed\xa0\x80", "\\xed\\xa0\\x80"},                         // surrogate U+D800
        {"\xf4\x90\x80\x80", "\\xf4\\x90\\x80\\x80"},                // U+110000
    };
    for (const auto& [text, printable] : cases)
        EXPECT_EQ(vell::printableText(text), printable) << printable;
}
