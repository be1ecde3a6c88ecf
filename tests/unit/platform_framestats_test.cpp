#include <gtest/gtest.h>
#include <cstdio>
#include <string>
#include "platform/window/MFrameStats.h"

namespace {

std::string Report(const MFrameStats& stats)
{
    FILE* file = std::tmpfile();
    stats.Write(file);
    std::rewind(file);
    std::string text;
    for (int c; (c = std::fgetc(file)) != EOF;)
        text += char(c);
    std::fclose(file);
    return text;
}

TEST(FrameStats, ReportsCountsPercentilesAndPartsPerFrame)
{
    MFrameStats stats;
    for (int ms = 1; ms <= 100; ++ms)
        stats.AddFrame(ms / 1000.0, true);
    stats.AddFrame(0.5, false); // beyond the last bin: counted there
    stats.AddPartTime(MFrameStats::Update, 0.101);
    stats.AddPartTime(MFrameStats::Draw, 0.5);
    stats.AddPartTime(MFrameStats::Present, 0.2);
    const std::string text = Report(stats);
    for (const char* line : {"frames: drawn 100 skipped 1,",
                             "drawn frame wall ms: mean 50.50 median 50.00 p95 95.00 p99 99.00 max 100.00\n",
                             "skipped frame wall ms: mean 500.00 median 249.99 p95 249.99 p99 249.99 max 500.00\n",
                             "update cpu ms a frame: 1.000\n", "draw-submit cpu ms a drawn frame: 3.000\n",
                             "present cpu ms a drawn frame: 2.000\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << " not in:\n" << text;
}

} // namespace
