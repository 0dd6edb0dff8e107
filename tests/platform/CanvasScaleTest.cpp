// The content scale the page picks for its canvas (the page's host, built here).
#include "web/CanvasScale.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(CanvasScale, LargestWholeScaleThatFitsTheCanvasInDevicePixels)
{
    struct Case {
        double width, height, ratio;
        int scale;
        const char* what;
    };
    const Case cases[] = {
        {480, 320, 1, 1, "the frame's own size"},
        {480, 320, 2, 2, "a screen of twice the density"},
        {479.99, 319.99, 2, 2, "a box a fraction short snaps to whole device pixels"},
        {691, 461, 2, 2, "1382x922 device pixels: 3x would not fit"},
        {720, 480, 2, 3, "1440x960 exactly"},
        {640, 427, 1.5, 2, "a fractional ratio: 960x641"},
        {480, 320, 1.25, 1, "600x400"},
        {1000, 721, 1, 2, "a large canvas is drawn sharp at ratio 1 too"},
        {2000, 400, 1, 1, "the height limits a wide box"},
        {1920, 1080, 2, 4, "capped at 4"},
        {300, 200, 1, 1, "smaller than the frame: at least 1"},
        {0, 0, 2, 1, "a hidden canvas"},
        {NAN, 320, 1, 1, "no size"},
        {480, 320, -2, 1, "a nonsense ratio"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CanvasScale::fitting(c.width, c.height, c.ratio), c.scale) << c.what;
}
