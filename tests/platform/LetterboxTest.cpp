#include "Letterbox.h"

#include <gtest/gtest.h>

TEST(Letterbox, KeepsThreeToTwoCentred)
{
    const Letterbox::Rect exact = Letterbox::fit(960, 640);
    EXPECT_EQ((std::array<int, 4>{exact.x, exact.y, exact.width, exact.height}),
              (std::array<int, 4>{0, 0, 960, 640}));

    const Letterbox::Rect wide = Letterbox::fit(1920, 1080); // bars left and right
    EXPECT_EQ((std::array<int, 4>{wide.x, wide.y, wide.width, wide.height}),
              (std::array<int, 4>{150, 0, 1620, 1080}));

    const Letterbox::Rect tall = Letterbox::fit(600, 800); // bars top and bottom
    EXPECT_EQ((std::array<int, 4>{tall.x, tall.y, tall.width, tall.height}),
              (std::array<int, 4>{0, 200, 600, 400}));

    const Letterbox::Rect none = Letterbox::fit(0, 0);
    EXPECT_EQ(none.width, 0);
    EXPECT_EQ(none.height, 0);
}
