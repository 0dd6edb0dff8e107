#include "anim/Animator.h"
#include "math/Vec.h"

#include <gtest/gtest.h>

using vell::vec3;

namespace {

constexpr float kUntouched = -99.0f;

// Value of a float track at time, starting from kUntouched.
float floatAt(const Animator<float>& animator, float* variable, float time)
{
    *variable = kUntouched;
    animator.update(time);
    return *variable;
}

} // namespace

TEST(Animator, FloatSegmentsByMode)
{
    float value = 0;
    for (int mode : {1, 2, 3}) {
        Animator<float> a;
        a.add(&value, 0.0f, 0.0f, mode);
        a.add(&value, 2.0f, 10.0f, 0);
        const float expectedAtOne[] = {0, 5.0f, 1.25f, 8.75f};
        EXPECT_FLOAT_EQ(floatAt(a, &value, 1.0f), expectedAtOne[mode]) << "mode " << mode;
        EXPECT_EQ(floatAt(a, &value, 3.0f), 10.0f) << "holds the last key";
        EXPECT_EQ(floatAt(a, &value, -1.0f), kUntouched) << "before the first key";
        EXPECT_EQ(floatAt(a, &value, 2.0f), kUntouched) << "exactly at the last key";
    }
    Animator<float> linear;
    linear.add(&value, 0.0f, 0.0f, 1);
    linear.add(&value, 2.0f, 10.0f, 1);
    EXPECT_FLOAT_EQ(floatAt(linear, &value, 0.5f), 2.5f);
}

TEST(Animator, InnerKeyStartsItsOwnSegmentAtTZero)
{
    float value = 0;
    Animator<float> a;
    a.add(&value, 0.0f, 0.0f, 1);
    a.add(&value, 1.0f, 4.0f, 1);
    a.add(&value, 2.0f, 8.0f, 1);
    EXPECT_EQ(floatAt(a, &value, 1.0f), 4.0f);
    EXPECT_FLOAT_EQ(floatAt(a, &value, 1.5f), 6.0f);
}

TEST(Animator, StepAndUnknownModes)
{
    float value = 0;
    Animator<float> a;
    a.add(&value, 0.0f, 3.0f, 0);
    a.add(&value, 1.0f, 5.0f, 7); // not a mode: its segment writes nothing
    a.add(&value, 2.0f, 9.0f, 0);
    EXPECT_EQ(floatAt(a, &value, 0.9f), 3.0f);
    EXPECT_EQ(floatAt(a, &value, 1.5f), kUntouched);
}

TEST(Animator, SingleKeyWritesOnlyAfterItsTime)
{
    float value = 0;
    Animator<float> a;
    a.add(&value, 1.0f, 2.0f, 1);
    EXPECT_EQ(floatAt(a, &value, 1.0f), kUntouched);
    EXPECT_EQ(floatAt(a, &value, 1.01f), 2.0f);
}

TEST(Animator, IntsInterpolateAsFloatsAndTruncate)
{
    int value = -1;
    Animator<int> a;
    a.add(&value, 0.0f, 0, 1);
    a.add(&value, 1.0f, 3, 0);
    a.update(0.5f);
    EXPECT_EQ(value, 1);
    a.update(0.9f);
    EXPECT_EQ(value, 2);
    a.update(1.0f);
    EXPECT_EQ(value, 2) << "left alone at the last key";
    a.update(1.1f);
    EXPECT_EQ(value, 3);

    Animator<int> down; // truncation is toward zero
    down.add(&value, 0.0f, 0, 1);
    down.add(&value, 1.0f, -3, 0);
    down.update(0.5f);
    EXPECT_EQ(value, -1);
}

TEST(Animator, BoolsStepFromEachKeyOn)
{
    bool value = false;
    Animator<bool> a;
    a.add(&value, 1.0f, true, 0);
    a.add(&value, 5.0f, false, 0);
    a.update(0.5f);
    EXPECT_FALSE(value);
    a.update(1.0f);
    EXPECT_TRUE(value);
    a.update(4.9f);
    EXPECT_TRUE(value);
    a.update(5.0f);
    EXPECT_TRUE(value) << "at exactly the last key nothing is written";
    a.update(5.1f);
    EXPECT_FALSE(value);
}

TEST(Animator, VectorsInterpolateComponentWise)
{
    vec3 v;
    Animator<vec3> a;
    a.add(&v, 0.0f, vec3(0, 10, -4), 1);
    a.add(&v, 4.0f, vec3(4, 30, 4), 0);
    a.update(1.0f);
    EXPECT_FLOAT_EQ(v.x, 1.0f);
    EXPECT_FLOAT_EQ(v.y, 15.0f);
    EXPECT_FLOAT_EQ(v.z, -2.0f);
}
