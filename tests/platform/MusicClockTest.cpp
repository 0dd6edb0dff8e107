// The page's demo clock following its music (the page's host, built here).
#include "HostClock.h"
#include "web/MusicClock.h"

#include <gtest/gtest.h>

TEST(MusicClock, HoldsUntilTheMusicPlaysThenCatchesUpWhenItLeads)
{
    HostClock::useFixedStep(0.1);
    HostClock::set(5);
    MusicClock::started(10);
    EXPECT_TRUE(HostClock::isPaused()) << "held until the page hears the music";
    HostClock::resume();

    MusicClock::follow(10.4); // the music played 0.4 s before the page heard of it
    EXPECT_NEAR(HostClock::now(), 5.4, 1e-9);
    HostClock::advance();
    MusicClock::follow(10.5 + MusicClock::kLead / 2); // a lead within the tolerance
    EXPECT_NEAR(HostClock::now(), 5.5, 1e-9);
    MusicClock::follow(10.3); // music behind: the clock never goes back
    MusicClock::follow(-1);   // no music
    EXPECT_NEAR(HostClock::now(), 5.5, 1e-9);

    HostClock::pause(); // waiting for data
    MusicClock::follow(12);
    EXPECT_NEAR(HostClock::now(), 5.5, 1e-9) << "a held clock waits for the music to play again";
    HostClock::useMonotonic();
}
