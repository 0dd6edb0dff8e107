#include "FrameCapture.h"
#include "GLViewController.h"
#include "HostClock.h"
#include "ImageFile.h"
#include "MusicPlayer.h"
#include "NavigationBar.h"
#include "RootViewController.h"
#include "OverlayState.h"
#include "framework/EffectFactory.h"
#include "framework/GLApp.h"
#include "demo/Mirande.h"
#include "demo/PinkSky.h"
#include "demo/QuadLand2.h"
#include "demo/TarskFade.h"
#include "support/EffectHarness.h"
#include "support/HeadlessGL.h"
#include "support/ScaledFrames.h"
#include "toolkit/Canvas.h"
#include "utils/Platform.h"
#include "utils/Timer.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <unistd.h>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

// Points XDG_PICTURES_DIR at a fresh temporary folder for one test.
class PicturesFolder {
public:
    PicturesFolder() : dir(fs::temp_directory_path() / ("quenfold-pictures-" + std::to_string(getpid())))
    {
        fs::remove_all(dir);
        setenv("XDG_PICTURES_DIR", dir.c_str(), 1);
    }
    ~PicturesFolder()
    {
        unsetenv("XDG_PICTURES_DIR");
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    std::vector<fs::path> pictures() const
    {
        std::vector<fs::path> found;
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(dir / "Quenfold", ec))
            found.push_back(entry.path());
        return found;
    }
    const fs::path dir;
};

using ShellScreensTest = HeadlessGLTest;

} // namespace

TEST_F(ShellScreensTest, CapturedFrameKeepsTheScreensTopRowOnTopAndNeverOverwrites)
{
    PicturesFolder folder;
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 160, 480, 160); // GL rows count from the bottom: this is the top half
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glScissor(0, 0, 480, 160);
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);

    testing::internal::CaptureStdout();
    ASSERT_TRUE(FrameCapture::captureToPhotoAlbum());
    ASSERT_TRUE(FrameCapture::captureToPhotoAlbum());
    const std::string log = testing::internal::GetCapturedStdout();
    const std::vector<fs::path> saved = folder.pictures();
    ASSERT_EQ(saved.size(), 2u) << "the second capture has a file of its own";
    EXPECT_NE(log.find("saved frame to " + saved[0].string()), std::string::npos) << log;

    std::vector<uint8_t> rgba;
    int w = 0, h = 0;
    ASSERT_TRUE(ImageFile::read(saved[0].string(), &rgba, &w, &h));
    ASSERT_EQ(w, 480);
    ASSERT_EQ(h, 320);
    for (int y : {0, 159}) // red on top
        EXPECT_EQ(pixel(rgba, 10, y), (std::array<uint8_t, 4>{255, 0, 0, 255})) << y;
    for (int y : {160, 319})
        EXPECT_EQ(pixel(rgba, 470, y), (std::array<uint8_t, 4>{0, 0, 255, 255})) << y;
}

TEST_F(ShellScreensTest, CaptureIntoAnUnwritableFolderIsOneLogLine)
{
    PicturesFolder folder;
    fs::create_directories(folder.dir);
    std::ofstream(folder.dir / "Quenfold") << "a file where the folder should be";
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    EXPECT_FALSE(FrameCapture::captureToPhotoAlbum());
    const std::string log = testing::internal::GetCapturedStdout() + testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
    EXPECT_EQ(log, "ERROR: cannot save the frame in '" + (folder.dir / "Quenfold").string() + "': Not a directory\n");

    // A control character in the folder's name comes back escaped.
    std::ofstream(folder.dir / "a\nb") << "a file";
    setenv("XDG_PICTURES_DIR", (folder.dir / "a\nb").c_str(), 1);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(FrameCapture::captureToPhotoAlbum());
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "ERROR: cannot save the frame in '" + folder.dir.string() + "/a\\nb/Quenfold': Not a directory\n");

    // Without XDG_PICTURES_DIR the pictures go under the home folder.
    unsetenv("XDG_PICTURES_DIR");
    const char* home = getenv("HOME");
    if (home && home[0]) {
        EXPECT_EQ(FrameCapture::picturesDirectory(), (fs::path(home) / "Pictures" / "Quenfold").string());
    }
}

TEST_F(ShellScreensTest, DisclosureScreenRunsTheEffectAloneAsItsHarnessDoes)
{
    const EffectFactory::EffectInfo* info = EffectFactory::getInstance()->find("QuadLand2");
    ASSERT_NE(info, nullptr);
    std::vector<uint8_t> shown;
    {
        GLViewController screen(info);
        screen.loadView();
        ASSERT_NE(screen.application(), nullptr);
        for (int i = 0; i < 30; ++i) {
            HostClock::advance();
            screen.drawView();
        }
        shown = readFrame();
        screen.freeGLApp();
        EXPECT_EQ(screen.application(), nullptr);
        testing::internal::CaptureStdout();
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "GLView dealloc\n");
    EffectHarness alone(info->create());
    alone.runFrames(30);
    const std::vector<uint8_t> expected = alone.frame();
    EXPECT_EQ(shown, expected);
    EXPECT_NE(shown, std::vector<uint8_t>(shown.size(), 0)) << "the effect drew something";
}

TEST_F(ShellScreensTest, BarOverAFrameLeavesTheApplicationsGLStateAsItWas)
{
    // State a demo frame may leave for the next one.
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    glEnable(GL_STENCIL_TEST);
    glViewport(10, 20, 100, 50);
    Canvas canvas(480, 320);
    {
        OverlayState saved;
        GLint viewport[4] = {};
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[2], 480) << "the bar is laid over the whole frame";
        EXPECT_FALSE(glIsEnabled(GL_STENCIL_TEST)) << "no mask of the demo clips the bar";
        canvas.begin();
        NavigationBar::draw(canvas, "", "Fx");
        canvas.end();
    }
    GLint viewport[4] = {}, src = 0, dst = 0;
    GLboolean depthMask = GL_TRUE;
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetIntegerv(GL_BLEND_SRC_RGB, &src);
    glGetIntegerv(GL_BLEND_DST_RGB, &dst);
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthMask);
    EXPECT_EQ(std::vector<GLint>(viewport, viewport + 4), (std::vector<GLint>{10, 20, 100, 50}));
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(src, GL_ONE);
    EXPECT_EQ(dst, GL_ONE);
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_EQ(depthMask, GL_FALSE);
    EXPECT_TRUE(glIsEnabled(GL_STENCIL_TEST));

    // The bar's top band: (0.16, 0.18, 0.24) of full scale.
    const std::vector<uint8_t> frame = readFrame();
    const auto top = pixel(frame, 240, 1);
    EXPECT_NEAR(top[0], 41, 1);
    EXPECT_NEAR(top[1], 46, 1);
    EXPECT_NEAR(top[2], 61, 1);
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
    glDisable(GL_STENCIL_TEST);
}

TEST_F(ShellScreensTest, ChosenRowRunsTheDemoAgainFromItsStart)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    // An earlier screen's demo was far along, its music too.
    vell::Timer::getInstance()->setTimeShift(100);
    osPlayMp3("2010-04-03.mp3", 100);
    RootViewController list;
    testing::internal::CaptureStdout();
    std::unique_ptr<GLViewController> screen = list.didSelectRow(0);
    screen->loadView();
    testing::internal::GetCapturedStdout();
    auto* demo = dynamic_cast<Mirande*>(screen->application());
    ASSERT_NE(demo, nullptr);
    if (MusicPlayer::position() >= 0) { // where music was generated: it starts again at 0
        EXPECT_NEAR(MusicPlayer::position(), 0, 0.25);
    }
    for (int i = 0; i < 30; ++i) {
        HostClock::advance();
        screen->drawView();
    }
    // The first frame reads time 0, the 30th 29/60 s: the landscape and the
    // fade draw, the sky not yet.
    EXPECT_NEAR(vell::Timer::getInstance()->getTime(), 29.0f / 60, 1e-4f);
    EXPECT_TRUE(demo->quadLand2->enabled);
    EXPECT_TRUE(demo->tarskFade->enabled);
    EXPECT_FALSE(demo->pinkSky->enabled);
}

TEST_F(ShellScreensTest, NewContentScaleRemakesTheDemoAtItsTimePausedAsItWas)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    GLViewController screen;
    testing::internal::CaptureStdout();
    screen.loadView();
    for (int i = 0; i < 3; ++i) {
        HostClock::advance();
        screen.drawView();
    }
    screen.playback().seekTo(7.25f);
    screen.playback().togglePause();
    HostClock::advance();
    screen.drawView();
    {
        ScaleScope twice(2);
        screen.reloadView();
        for (int i = 0; i < 3; ++i) {
            HostClock::advance();
            screen.drawView();
        }
        GLint colour = 0, width = 0, height = 0;
        glGetIntegerv(GL_RENDERBUFFER_BINDING, &colour); // the frame just presented
        glBindRenderbuffer(GL_RENDERBUFFER, static_cast<GLuint>(colour));
        glGetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_WIDTH, &width);
        glGetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_HEIGHT, &height);
        EXPECT_EQ(width, 960);
        EXPECT_EQ(height, 640);
        EXPECT_NE(screen.demo(), nullptr);
        EXPECT_TRUE(screen.playback().isPaused());
        EXPECT_EQ(vell::Timer::getInstance()->getTime(), 7.25f);
        if (MusicPlayer::position() >= 0) { // where music was generated
            EXPECT_NEAR(MusicPlayer::position(), 7.25, 0.05);
        }
    }
    screen.playback().togglePause();
    testing::internal::GetCapturedStdout();
}
