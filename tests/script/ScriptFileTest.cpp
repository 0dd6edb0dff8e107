#include "anim/Anim.h"
#include "script/ScriptFile.h"
#include "script/ScriptTracks.h"
#include "utils/Timer.h"

#include <gtest/gtest.h>

#include <cstring>

using vell::vec4;

namespace {

// The registry writes these fields until they are forgotten, so they live for good.
float alpha = 0.25f; // its built-in keys: 107 -> 0 linear, 108 -> 1 step
vec4 fill;
bool shown;
int stage;

std::vector<AnimatedField> table()
{
    return {{"Stars.alpha", &alpha}, {"Piramid.fillColor", &fill}, {"PinkSky.enabled", &shown},
            {"Rings.stage", &stage}};
}

// Binds the fields above with their built-in keys; unbinds them when it goes.
struct BuiltIn {
    BuiltIn()
    {
        Anim::var(&alpha).add(107.0f, 0.0f, 1).add(108.0f, 1.0f, 0);
        Anim::var(&fill).add(74.0f, vec4(1, 1, 1, 1), 1);
        Anim::var(&shown).add(11.0f, true).add(27.0f, false);
    }
    ~BuiltIn()
    {
        for (void* field : {static_cast<void*>(&alpha), static_cast<void*>(&fill), static_cast<void*>(&shown),
                            static_cast<void*>(&stage)})
            Anim::forget(field);
    }
};

// The one-line fault of reading text as s.txt and giving it to the table above
// ("" when it is taken).
std::string fault(const std::string& text)
{
    BuiltIn builtIn;
    ScriptFile file;
    std::string error;
    if (!ScriptFile::parse(text, "s.txt", &file, &error))
        return error;
    ScriptTracks tracks(table());
    return tracks.apply(file, &error) ? "" : error;
}

} // namespace

TEST(ScriptFile, EachFaultIsRefusedWithItsFileAndLine)
{
    const std::string start = "# tuned\nfield Stars.alpha float\n";
    const struct {
        std::string text;
        std::string error;
    } cases[] = {
        {start + "  107 0 linear\n  108 1 step\n", ""},
        {"\nfield Stars.alpah float\n  1 0 step\n", "s.txt:2: unknown field 'Stars.alpah'"},
        {"field Stars.alpha vec4\n  1 0 0 0 1 step\n", "s.txt:1: Stars.alpha is float, not vec4"},
        {"field Piramid.fillColor vec4\n  74 1 1 1 linear\n",
         "s.txt:2: Piramid.fillColor is vec4: a key holds 4 numbers, not 3"},
        {start + "  108 1 step\n  107.5 0 linear\n", "s.txt:4: times out of order: 107.5 after 108"},
        {start + "  inf 0 linear\n", "s.txt:3: the time is not finite"},
        {start + "  nan 0 linear\n", "s.txt:3: the time is not finite"},
        {start + "  107 nan linear\n", "s.txt:3: Stars.alpha is float: 'nan' is no finite number"},
        {start + "  107 0 lin\n", "s.txt:3: unknown mode 'lin' (step, linear, ease-in or ease-out)"},
        {start + "  107 0\n", "s.txt:3: no mode after the value (step, linear, ease-in or ease-out)"},
        {start + "  1 0 step\nfield Stars.alpha float\n  2 0 step\n",
         "s.txt:4: duplicate field 'Stars.alpha' (first at line 2)"},
        {"  1 0 step\n", "s.txt:1: a key before any 'field' line"},
        {start + "field PinkSky.enabled bool\n  1 true\n", "s.txt:2: field 'Stars.alpha' has no keys"},
        {"field Stars.alpha double\n", "s.txt:1: unknown type 'double' (bool, int, float, vec3 or vec4)"},
        {"field PinkSky.enabled bool\n  11 true linear\n", "s.txt:2: bool keys are step keys, not linear"},
        {"field PinkSky.enabled bool\n  11 yes\n", "s.txt:2: PinkSky.enabled is bool: a key holds true or false, "
                                                  "not 'yes'"},
        {"field Rings.stage int\n  142 1.5 step\n", "s.txt:2: Rings.stage is int: '1.5' is no whole number in range"},
        {"field Rings.stage int\n  142 0x10 step\n", "s.txt:2: Rings.stage is int: '0x10' is no whole number in range"},
        {start + "  1e400 0 step\n", "s.txt:3: the time is not finite"},
        {start + "  0x10 0 step\n", "s.txt:3: bad time '0x10'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fault(c.text), c.error) << c.text;
}

TEST(ScriptFile, AFileThatCannotBeReadIsNamed)
{
    ScriptFile file;
    std::string error;
    EXPECT_FALSE(ScriptFile::load("/nonexistent/s.txt", &file, &error));
    EXPECT_EQ(error, "/nonexistent/s.txt: cannot read it: No such file or directory");
    EXPECT_FALSE(ScriptFile::load("/tmp", &file, &error));
    EXPECT_EQ(error, "/tmp: cannot read it: not a regular file");
}

TEST(ScriptFile, TextReadsBackToTheSameKeysBitForBit)
{
    BuiltIn builtIn;
    Anim::var(&stage).add(142.0f, 1, 0).add(149.0f, -2, 0);
    ScriptTracks tracks(table());
    const ScriptFile exported = tracks.current();
    ASSERT_EQ(exported.fields.size(), 4u); // in the table's order
    const std::string text = exported.text();
    EXPECT_NE(text.find("field Stars.alpha float\n  107 0 linear\n  108 1 step\n"), std::string::npos) << text;
    EXPECT_NE(text.find("field Piramid.fillColor vec4\n  74 1 1 1 1 linear\n"), std::string::npos) << text;
    EXPECT_NE(text.find("field PinkSky.enabled bool\n  11 true\n  27 false\n"), std::string::npos) << text;
    EXPECT_NE(text.find("field Rings.stage int\n  142 1 step\n  149 -2 step\n"), std::string::npos) << text;

    ScriptFile read;
    std::string error;
    ASSERT_TRUE(ScriptFile::parse(text, "x", &read, &error)) << error;
    EXPECT_EQ(read.text(), text);
    // Floats that need nine digits keep every bit.
    const float awkward[] = {0.1f, 114.08f, 1.0f / 3, -0.0f, 3.4e38f, 1e-7f};
    for (float v : awkward) {
        ScriptFile one;
        one.fields.push_back({"Stars.alpha", 2, 0, {{v, ScriptFile::Value(v), 1, 0}}});
        ASSERT_TRUE(ScriptFile::parse(one.text(), "x", &read, &error)) << one.text();
        EXPECT_EQ(std::memcmp(&read.fields[0].keys[0].time, &v, sizeof v), 0) << one.text();
        EXPECT_EQ(std::memcmp(&std::get<float>(read.fields[0].keys[0].value), &v, sizeof v), 0) << one.text();
    }
}

TEST(ScriptFile, KeysSwapInPlaceAndFieldsLeftOutGetTheirOwnBack)
{
    alpha = 0.25f;
    BuiltIn builtIn;
    ScriptTracks tracks(table());
    ScriptFile file;
    std::string error;
    // Stars.alpha starts earlier: halfway at 106.5 s where its own keys write nothing yet.
    ASSERT_TRUE(ScriptFile::parse("field Stars.alpha float\n  105 0 linear\n  108 1 step\n"
                                  "field PinkSky.enabled bool\n  11 true\n  27 false\n",
                                  "s.txt", &file, &error));
    ASSERT_TRUE(tracks.apply(file, &error)) << error;
    EXPECT_EQ(tracks.changed(), std::set<std::string>{"Stars.alpha"}); // the other is as built in
    EXPECT_EQ(tracks.source(), "s.txt");
    vell::Timer::getInstance()->setTime(106.5f);
    Anim::update();
    EXPECT_EQ(alpha, 0.5f); // (106.5 - 105) / 3

    // The file no longer names it: back to its own keys, and to its value before any key.
    ASSERT_TRUE(ScriptFile::parse("field PinkSky.enabled bool\n  11 true\n", "s.txt", &file, &error));
    ASSERT_TRUE(tracks.apply(file, &error)) << error;
    EXPECT_EQ(tracks.changed(), std::set<std::string>{"PinkSky.enabled"});
    Anim::update();
    EXPECT_EQ(alpha, 0.25f);

    // A refused file changes nothing.
    const std::string before = tracks.current().text();
    ASSERT_TRUE(ScriptFile::parse("field PinkSky.enabled bool\n  1 true\nfield Nope.x float\n  1 1 step\n",
                                  "t.txt", &file, &error));
    EXPECT_FALSE(tracks.apply(file, &error));
    EXPECT_EQ(tracks.current().text(), before);
    EXPECT_EQ(tracks.source(), "s.txt");
}
