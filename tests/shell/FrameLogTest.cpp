#include "FrameLog.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

double monotonic()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

} // namespace

TEST(FrameLog, OneLinePerFrameOnTheMonotonicClock)
{
    const std::string path = testing::TempDir() + "frames-" + std::to_string(getpid()) + ".txt";
    std::string error;
    double before = 0, after = 0;
    {
        FrameLog log;
        ASSERT_TRUE(log.open(path, &error)) << error;
        before = monotonic();
        log.record(1.5f, 0.0025);
        log.record(1.5166f, 0.0);
        after = monotonic();
    } // closed
    {
        std::ifstream in(path);
        std::string header, line;
        std::getline(in, header);
        EXPECT_EQ(header, "# shown demo cpu present");
        std::vector<std::vector<std::string>> rows;
        while (std::getline(in, line)) {
            std::istringstream fields(line);
            rows.emplace_back();
            for (std::string f; fields >> f;)
                rows.back().push_back(f);
        }
        ASSERT_EQ(rows.size(), 2u);
        ASSERT_EQ(rows[0].size(), 4u);
        // Shown on the clock another process reads too, between the readings around it.
        EXPECT_GE(std::stod(rows[0][0]), before - 1e-6);
        EXPECT_LE(std::stod(rows[1][0]), after + 1e-6);
        EXPECT_LE(std::stod(rows[0][0]), std::stod(rows[1][0]));
        EXPECT_EQ(rows[0][1], "1.5000");
        EXPECT_EQ(rows[1][1], "1.5166");
        EXPECT_GT(std::stod(rows[0][2]), 0.0) << "this process has run";
        EXPECT_LE(std::stod(rows[0][2]), std::stod(rows[1][2]));
        EXPECT_EQ(rows[0][3], "2.500") << "milliseconds";
    }
    std::remove(path.c_str());

    FrameLog nowhere;
    EXPECT_FALSE(nowhere.open("/nonexistent-folder/frames.txt", &error));
    EXPECT_EQ(error.find("cannot write the frame log '/nonexistent-folder/frames.txt': "), 0u) << error;
    nowhere.record(1, 0); // nothing, and no crash
    EXPECT_FALSE(nowhere.open("/nonexistent-folder/a\nb", &error));
    EXPECT_EQ(error.find("cannot write the frame log '/nonexistent-folder/a\\nb': "), 0u) << "on one line: " << error;
}

TEST(FrameLog, AFailedWriteIsReportedOnceAndEndsTheLog)
{
    FrameLog log;
    std::string error;
    ASSERT_TRUE(log.open("/dev/full", &error)) << error;
    testing::internal::CaptureStderr();
    for (int i = 0; i < 1000; ++i) // more than a buffer's worth
        log.record(static_cast<float>(i) / 60, 0.001);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(log.isOpen());
    EXPECT_EQ(said, "quenfold: the frame log '/dev/full' could not be written (No space left on device); it stops "
                    "here\n");
}
