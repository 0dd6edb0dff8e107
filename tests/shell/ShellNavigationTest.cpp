#include "GLViewController.h"
#include "LaunchOptions.h"
#include "NavigationBar.h"
#include "RootViewController.h"
#include "framework/EffectFactory.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Hit = RootViewController::Hit;

bool parse(std::vector<const char*> args, LaunchOptions* options, std::string* error)
{
    args.insert(args.begin(), "quenfold");
    return options->parse(static_cast<int>(args.size()), args.data(), error);
}

// Middle of a row's text and of its disclosure mark, with the list unscrolled.
int rowY(int row)
{
    return NavigationBar::kHeight + row * RootViewController::kRowHeight + RootViewController::kRowHeight / 2;
}
constexpr int kTextX = 100;
constexpr int kMarkX = 457;

std::unique_ptr<GLViewController> tap(RootViewController& list, int x, int y)
{
    list.touchesBegan(x, y);
    return list.touchesEnded(x, y);
}

} // namespace

TEST(LaunchOptions, EffectNamesAreCheckedAgainstTheRegistry)
{
    const EffectFactory* factory = EffectFactory::getInstance();
    ASSERT_GT(factory->getNumEffects(), 0);
    LaunchOptions ok;
    std::string error;
    ASSERT_TRUE(parse({"--dev", "--effect", factory->getEffectName(0), "--frame-log", "frames.txt", "--scale", "4",
                       "--present", "cpu"},
                      &ok, &error))
        << error;
    EXPECT_EQ(ok.effectName, factory->getEffectName(0));
    EXPECT_TRUE(ok.developer);
    EXPECT_EQ(ok.frameLog, "frames.txt");
    EXPECT_EQ(ok.scale, 4);
    EXPECT_EQ(ok.present, PresenterChoice::Request::Cpu);
    LaunchOptions plain;
    ASSERT_TRUE(parse({}, &plain, &error));
    EXPECT_EQ(plain.scale, 0) << "chosen at start";
    EXPECT_EQ(plain.present, PresenterChoice::Request::Default);

    LaunchOptions unknown;
    EXPECT_FALSE(parse({"--effect", "NoSuchEffect"}, &unknown, &error));
    EXPECT_NE(error.find("NoSuchEffect"), std::string::npos) << error;
    for (int i = 0; i < factory->getNumEffects(); ++i)
        EXPECT_NE(error.find(factory->getEffectName(i)), std::string::npos) << error;

    for (const std::vector<const char*>& bad :
         {std::vector<const char*>{"--effect"}, {"--effect", ""}, {"--frame-log"}, {"--frame-log", ""},
          {"--fullscreen"}, {"LandRain"}, {"--scale"}, {"--scale", ""}, {"--scale", "0"}, {"--scale", "5"},
          {"--scale", "02"}, {"--scale", "2.0"}, {"--scale", " 2"}, {"--scale", "-1"}, {"--scale", "2x"},
          {"--present"}, {"--present", ""}, {"--present", "GL"}, {"--present", "gl "}, {"--present", "vulkan"}}) {
        LaunchOptions o;
        error.clear();
        EXPECT_FALSE(parse(bad, &o, &error)) << bad.back();
        EXPECT_FALSE(error.empty());
    }
    LaunchOptions five;
    EXPECT_FALSE(parse({"--scale", "5"}, &five, &error));
    EXPECT_EQ(error, "--scale needs a whole number from 1 to 4, not '5'");
    // Outside input comes back escaped, the message on one line.
    LaunchOptions control;
    EXPECT_FALSE(parse({"--effect", "A\nB\x1b"}, &control, &error));
    EXPECT_EQ(error.find("unknown effect 'A\\nB\\x1b'"), 0u) << error;
    LaunchOptions notUtf8;
    EXPECT_FALSE(parse({"--effect", "A\xff\xc3"}, &notUtf8, &error));
    EXPECT_EQ(error.find("unknown effect 'A\\xff\\xc3'"), 0u) << error;
}

TEST(DoubleTap, TwoTouchDownsUnderThreeTenthsOfASecondToggleTheBar)
{
    GLViewController quick;
    EXPECT_FALSE(quick.touchesBegan(10, 10, 1, 5.0f)) << "a single tap";
    EXPECT_TRUE(quick.touchesBegan(10, 10, 1, 5.2f)) << "0.2 s after the first";
    EXPECT_TRUE(quick.touchesBegan(10, 10, 1, 5.4f)) << "a third tap 0.2 s later toggles back";

    GLViewController slow;
    EXPECT_FALSE(slow.touchesBegan(10, 10, 1, 5.0f));
    EXPECT_FALSE(slow.touchesBegan(10, 10, 1, 5.4f)) << "0.4 s apart";

    // The previous touch starts at time 0: a first touch toggles only before 0.3 s.
    EXPECT_TRUE(GLViewController().touchesBegan(10, 10, 1, 0.1f));
    EXPECT_FALSE(GLViewController().touchesBegan(10, 10, 1, 0.3f));
}

TEST(RootViewController, RowsFollowTheRegistryAndScrollWithinTheList)
{
    const EffectFactory* factory = EffectFactory::getInstance();
    RootViewController list;
    EXPECT_STREQ(list.title(), "Fx");
    const int rows = list.numberOfRows();
    ASSERT_EQ(rows, factory->getNumEffects());
    ASSERT_EQ(rows, 22);
    EXPECT_STREQ(list.rowText(0), "LandRain");
    EXPECT_STREQ(list.rowText(21), "LutDistort");

    EXPECT_EQ(list.hitTest(kTextX, rowY(0)), (Hit{Hit::Row, 0}));
    EXPECT_EQ(list.hitTest(kMarkX, rowY(0)), (Hit{Hit::Disclosure, 0}));
    EXPECT_EQ(list.hitTest(kTextX, NavigationBar::kHeight - 1).kind, Hit::None) << "the bar";

    const int visible = 320 - NavigationBar::kHeight;
    const int expectedMax = std::max(0, rows * RootViewController::kRowHeight - visible);
    list.scrollBy(-50);
    EXPECT_EQ(list.scrollOffset(), 0);
    list.scrollBy(100000);
    EXPECT_EQ(list.scrollOffset(), expectedMax);
    // Scrolled to the end, the last row ends at the window's bottom edge;
    // a short list leaves empty space below its last row.
    const Hit bottom = list.hitTest(kTextX, 319);
    if (rows * RootViewController::kRowHeight >= visible) {
        EXPECT_EQ(bottom, (Hit{Hit::Row, rows - 1}));
    } else {
        EXPECT_EQ(bottom.kind, Hit::None);
    }
}

TEST(RootViewController, SelectingARowRecordsItAndOpensTheDemo)
{
    EffectFactory* factory = EffectFactory::getInstance();
    const int rows = factory->getNumEffects();
    ASSERT_GT(rows, 0);
    const int row = rows > 1 ? 1 : 0;
    factory->setSelectedEffect(-1);
    RootViewController list;

    testing::internal::CaptureStdout();
    std::unique_ptr<GLViewController> screen = tap(list, kTextX, rowY(row));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), std::string(factory->getEffectName(row)) + "\n");
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->effectName(), nullptr) << "a row runs the demo, whatever was chosen";
    EXPECT_EQ(factory->getSelectedEffect(), row);
    EXPECT_EQ(factory->getNumEffects(), rows);

    // The disclosure mark runs the row's effect alone and selects nothing.
    screen = tap(list, kMarkX, rowY(0));
    ASSERT_NE(screen, nullptr);
    EXPECT_STREQ(screen->effectName(), factory->getEffectName(0));
    EXPECT_EQ(factory->getSelectedEffect(), row);
}

TEST(RootViewController, DragsAndMovedPressesOpenNothing)
{
    RootViewController list;
    list.touchesBegan(kTextX, rowY(2));
    list.touchesMoved(kTextX, rowY(2) - 40);
    EXPECT_EQ(list.touchesEnded(kTextX, rowY(2) - 40), nullptr) << "a drag scrolls";
    EXPECT_EQ(list.pressedHit().kind, Hit::None);

    RootViewController fresh;
    fresh.touchesBegan(kTextX, rowY(0));
    EXPECT_EQ(fresh.touchesEnded(kMarkX, rowY(0)), nullptr) << "released on another target";
    fresh.touchesBegan(kTextX, 10);
    EXPECT_EQ(fresh.touchesEnded(kTextX, 10), nullptr) << "the bar is no row";
}
