#include "anim/Anim.h"
#include "framework/Effect.h"
#include "timeline/ScriptTimeline.h"

#include <gtest/gtest.h>

namespace {

// The registry keeps these addresses until they are forgotten, so they live for good.
Effect keyed;
Effect constant;
float level = 7;
int unnamedStage;

const ScriptTimeline::Row* row(const ScriptTimeline& timeline, const std::string& name)
{
    for (const ScriptTimeline::Row& r : timeline.rows)
        if (r.name == name)
            return &r;
    return nullptr;
}

} // namespace

TEST(ScriptTimeline, LanesFollowEnabledFrameByFrameAndRowsAreNamedFromTheTable)
{
    Anim::var(&keyed.enabled).add(1.0f, true).add(2.0f, false);
    constant.enabled = true;
    Anim::var(&level).add(1.0f, 0.0f, 1).add(3.0f, 10.0f, 0);
    Anim::var(&unnamedStage).add(0.5f, 2, 0);
    const std::vector<AnimatedField> names = {{"Keyed.enabled", &keyed.enabled}, {"Test.level", &level}};

    const ScriptTimeline timeline = ScriptTimeline::read({&keyed, &constant}, names, 3.0, 10);
    Anim::forget(&keyed.enabled); // what was read stays readable
    Anim::forget(&level);
    Anim::forget(&unnamedStage);

    ASSERT_EQ(timeline.lanes.size(), 2u);
    EXPECT_EQ(timeline.lanes[0].name, "Keyed");
    // At 2.0 s, the last key's own time, nothing is written: the frame there is still enabled.
    ASSERT_EQ(timeline.lanes[0].spans.size(), 1u);
    EXPECT_DOUBLE_EQ(timeline.lanes[0].spans[0].first, 1.0);
    EXPECT_DOUBLE_EQ(timeline.lanes[0].spans[0].second, 2.1);
    EXPECT_FALSE(timeline.lanes[0].enabledAt(0.9));
    EXPECT_TRUE(timeline.lanes[0].enabledAt(2.0));
    EXPECT_FALSE(timeline.lanes[0].enabledAt(2.1));
    EXPECT_EQ(timeline.lanes[1].name, "effect 2") << "no enabled track: no name in the table either";
    EXPECT_TRUE(timeline.lanes[1].enabledAt(0) && timeline.lanes[1].enabledAt(2.95));

    const ScriptTimeline::Row* named = row(timeline, "Test.level");
    ASSERT_NE(named, nullptr);
    EXPECT_STREQ(named->track->typeName(), "float");
    // Before the first key the value read from the field; halfway; held after the last key.
    EXPECT_EQ(named->track->sample({0, 2, 4}), (std::vector<std::vector<float>>{{7}, {5}, {10}}));
    ASSERT_EQ(named->track->keys().size(), 2u);
    EXPECT_EQ(named->track->keys()[0].mode, 1);

    const auto unnamed = std::find_if(timeline.rows.begin(), timeline.rows.end(), [](const auto& r) {
        return r.track->address() == &unnamedStage;
    });
    ASSERT_NE(unnamed, timeline.rows.end());
    EXPECT_EQ(unnamed->name.rfind("int at ", 0), 0u) << unnamed->name;
    EXPECT_GT(unnamed - timeline.rows.begin(), named - timeline.rows.data()) << "unnamed rows come last";

}
