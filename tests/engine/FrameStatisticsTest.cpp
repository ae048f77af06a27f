#include "render/FrameStatistics.h"

#include <gtest/gtest.h> // Required for: TEST, EXPECT_EQ

using Velk::FrameStatistics;

TEST(FrameStatistics, FixedFrameTimeGivesExactRates) {
    FrameStatistics statistics;
    for (int i = 0; i < 100; ++i) statistics.recordFrame(20000, 12);
    const auto& stats = statistics.getStats();
    EXPECT_EQ(stats.lastFPS, 50.0f);
    EXPECT_EQ(stats.avgFPS, 50.0f);
    EXPECT_EQ(stats.bestFPS, 50.0f);
    EXPECT_EQ(stats.worstFPS, 50.0f);
    EXPECT_EQ(stats.bestFrameTime, 20u);
    EXPECT_EQ(stats.worstFrameTime, 20u);
    EXPECT_EQ(stats.triangleCount, 12u);
    EXPECT_EQ(statistics.getFrameCount(), 100u);
}

// One second at 50 fps, then one at 25: last follows the latest second,
// best and worst span the run, the average spans all frames.
TEST(FrameStatistics, LastIsTheLatestSecondBestAndWorstSpanTheRun) {
    FrameStatistics statistics;
    for (int i = 0; i < 50; ++i) statistics.recordFrame(20000, 0);
    for (int i = 0; i < 25; ++i) statistics.recordFrame(40000, 0);
    const auto& stats = statistics.getStats();
    EXPECT_EQ(stats.lastFPS, 25.0f);
    EXPECT_EQ(stats.bestFPS, 50.0f);
    EXPECT_EQ(stats.worstFPS, 25.0f);
    EXPECT_EQ(stats.avgFPS, 37.5f);
    EXPECT_EQ(stats.bestFrameTime, 20u);
    EXPECT_EQ(stats.worstFrameTime, 40u);
}

TEST(FrameStatistics, BeforeTheFirstSecondRatesAreTheRunningAverage) {
    FrameStatistics statistics;
    for (int i = 0; i < 10; ++i) statistics.recordFrame(20000, 0);
    EXPECT_EQ(statistics.getStats().lastFPS, 50.0f);
    EXPECT_EQ(statistics.getStats().bestFPS, 50.0f);
    EXPECT_EQ(statistics.getStats().worstFPS, 50.0f);
}

TEST(FrameStatistics, FrameTimesRoundToMilliseconds) {
    FrameStatistics statistics;
    statistics.recordFrame(16667, 0);
    statistics.recordFrame(16400, 0);
    EXPECT_EQ(statistics.getStats().bestFrameTime, 16u);
    EXPECT_EQ(statistics.getStats().worstFrameTime, 17u);
}

TEST(FrameStatistics, ZeroTimeFramesGiveZeroRatesNotInfinity) {
    FrameStatistics statistics;
    statistics.recordFrame(0, 0);
    EXPECT_EQ(statistics.getStats().avgFPS, 0.0f);
    statistics.reset();
    EXPECT_EQ(statistics.getFrameCount(), 0u);
}
