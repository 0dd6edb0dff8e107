#include "anim/Anim.h"
#include "utils/Timer.h"

#include <gtest/gtest.h>

using vell::vec3;
using vell::vec4;

namespace {

// The registry writes these fields until they are forgotten, so they live for good.
float fadeLevel;
float sharedTrack;
vec3 position;
vec3 dropped;
vec4 tint;
int stage;
bool visible;

void updateAt(float time)
{
    vell::Timer::getInstance()->setTime(time);
    Anim::update();
}

} // namespace

TEST(Anim, FluentKeysDriveFieldsAtTheDemoTime)
{
    Anim::var(&fadeLevel).add(0.0f, 1.0f, 1).add(4.0f, 5.0f, 0);
    Anim::var(&stage).add(0.0f, 0, 0).add(1.0f, 2, 0).add(3.0f, 4, 0);
    Anim::var(&tint).add(0.0f, vec4(0, 0, 0, 0), 1).add(4.0f, vec4(1, 1, 1, 1), 0);
    Anim::var(&visible).add(1.0f, true).add(5.0f, false);
    updateAt(2.0f);
    EXPECT_FLOAT_EQ(fadeLevel, 3.0f);
    EXPECT_EQ(stage, 2);
    EXPECT_FLOAT_EQ(tint.w, 0.5f);
    EXPECT_TRUE(visible);
}

TEST(Anim, TwoHelpersOnOneAddressShareOneTrack)
{
    Anim::var(&sharedTrack).add(0.0f, 1.0f, 1);
    Anim::var(&sharedTrack).add(4.0f, 5.0f, 0);
    updateAt(2.0f);
    EXPECT_FLOAT_EQ(sharedTrack, 3.0f);
}

TEST(Anim, LaterTypesWinWhereAddressesOverlap)
{
    Anim::var(&position.x).add(0.0f, 100.0f, 0).add(10.0f, 100.0f, 0);
    Anim::var(&position).add(0.0f, vec3(1, 2, 3), 0).add(10.0f, vec3(1, 2, 3), 0);
    updateAt(5.0f);
    EXPECT_EQ(position.x, 1.0f) << "vec3 tracks are written after float tracks";
}

TEST(Anim, ForgottenVariablesLoseTheirTracksOfEveryType)
{
    Anim::var(&dropped.x).add(0.0f, 7.0f, 0);
    Anim::var(&dropped).add(0.0f, vec3(1, 2, 3), 0);
    Anim::var(&fadeLevel).add(0.0f, 4.0f, 0);
    const std::size_t bound = Anim::trackCount();
    Anim::forget(&dropped);
    EXPECT_EQ(Anim::trackCount(), bound - 2);
    dropped = vec3(0, 0, 0);
    updateAt(1.0f);
    EXPECT_EQ(dropped.x, 0.0f);
    EXPECT_EQ(fadeLevel, 4.0f) << "other variables are still written";
    Anim::forget(&dropped); // nothing left to forget
    EXPECT_EQ(Anim::trackCount(), bound - 2);
}
