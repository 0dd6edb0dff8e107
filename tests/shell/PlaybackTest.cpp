#include "HostClock.h"
#include "MusicPlayer.h"
#include "Playback.h"
#include "ResourceFiles.h"
#include "utils/Timer.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace {

// Frames on the fixed-step clock, as the frame loop advances them.
void runFrames(int count)
{
    for (int i = 0; i < count; ++i) {
        HostClock::advance();
        vell::Timer::getInstance()->update();
    }
}

float demoTime()
{
    return vell::Timer::getInstance()->getTime();
}

} // namespace

TEST(Playback, PauseAndSeekKeepClockAndMusicTogether)
{
    HostClock::useFixedStep(1.0 / 60.0);
    HostClock::set(0);
    vell::Timer::getInstance()->reset();
    std::string reason;
    ASSERT_TRUE(MusicPlayer::play(ResourceFiles::directory() + "/2010-04-03.mp3", 0, &reason)) << reason;

    Playback controls(true);
    runFrames(60);
    controls.togglePause();
    ASSERT_TRUE(controls.isPaused());
    controls.seekBy(Playback::kSeekSeconds);
    runFrames(1);
    const float seeked = demoTime();
    EXPECT_NEAR(seeked, 1.0f + 5.0f, 0.02f);
    EXPECT_NEAR(MusicPlayer::position(), seeked, 0.05);

    // Paused, frames go on but neither clock nor music moves.
    runFrames(30);
    SDL_Delay(300);
    EXPECT_EQ(demoTime(), seeked);
    EXPECT_NEAR(MusicPlayer::position(), seeked, 0.05);

    // Seeking back past the start stops at 0, for both.
    controls.seekBy(-100);
    runFrames(1);
    EXPECT_EQ(demoTime(), 0.0f);
    EXPECT_NEAR(MusicPlayer::position(), 0.0, 0.05);

    // A pause that comes a while after the last frame: the seek still shows its target.
    controls.togglePause();
    HostClock::advance();
    controls.togglePause();
    controls.seekTo(20);
    runFrames(1);
    EXPECT_NEAR(demoTime(), 20.0f, 1e-4f);
    controls.seekTo(0);
    runFrames(1);

    controls.togglePause();
    EXPECT_FALSE(controls.isPaused());
    runFrames(30);
    EXPECT_NEAR(demoTime(), 0.5f, 0.02f);
    // The audio thread may be slow to run on a busy machine: wait up to 10 s.
    for (int i = 0; i < 100 && MusicPlayer::position() <= 0.2; ++i)
        SDL_Delay(100);
    EXPECT_GT(MusicPlayer::position(), 0.2) << "the music plays on";
}
