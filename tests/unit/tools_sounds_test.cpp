// The sounds as the archive ships them.
#include "tools/content/check/ArchiveChunks.h"
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr float kFull = 32768.0f;

std::vector<float> Samples(uint32_t entry, size_t index, size_t count)
{
    ArchiveChunks archive(RVX_ARCHIVE_FILE);
    WaveFacts facts = ParseWave(archive.Group(entry, count).at(index).data);
    EXPECT_TRUE(facts.valid);
    std::vector<float> out;
    for (int16_t s : facts.samples)
        out.push_back(float(s) / kFull);
    return out;
}

float Rms(const std::vector<float>& s, size_t from, size_t count)
{
    double sum = 0;
    for (size_t i = from; i < from + count; ++i)
        sum += double(s[i]) * s[i];
    return float(std::sqrt(sum / double(count)));
}

float Peak(const std::vector<float>& s)
{
    float peak = 0;
    for (float v : s)
        peak = std::max(peak, std::fabs(v));
    return peak;
}

// Zero crossings per second: low for a thud, high for a knock.
float Crossings(const std::vector<float>& s, size_t count)
{
    int n = 0;
    for (size_t i = 1; i < std::min(count, s.size()); ++i)
        n += (s[i - 1] < 0) != (s[i] < 0);
    return float(n) * 22050.0f / float(std::min(count, s.size()));
}

TEST(Sounds, RollingLoopJoinsWithoutAJump)
{
    std::vector<float> roll = Samples(12, 0, 4);
    ASSERT_GT(roll.size(), 22050u);
    double steps = 0;
    for (size_t i = 1; i < roll.size(); ++i)
        steps += std::fabs(roll[i] - roll[i - 1]);
    float meanStep = float(steps / double(roll.size() - 1));
    EXPECT_LE(std::fabs(roll.front() - roll.back()), 3 * meanStep);
    // No change of level across the wrap either.
    size_t window = 1100;
    float head = Rms(roll, 0, window), tail = Rms(roll, roll.size() - window, window);
    EXPECT_GT(head, 0.01f);
    EXPECT_LT(std::max(head, tail) / std::min(head, tail), 2.0f);
}

TEST(Sounds, OneShotsAreLoudButUnclippedAndEndInSilence)
{
    const std::pair<uint32_t, size_t> shots[] = {{1, 0}, {1, 1}, {1, 2}, {12, 1}, {12, 2}, {12, 3}};
    for (const auto& [entry, index] : shots) {
        std::vector<float> s = Samples(entry, index, entry == 1 ? 3 : 4);
        ASSERT_FALSE(s.empty());
        EXPECT_GT(Peak(s), 0.5f) << entry << "/" << index;
        EXPECT_LT(Peak(s), 0.99f) << entry << "/" << index;
        EXPECT_LT(std::fabs(s.front()), 0.05f) << entry << "/" << index;
        EXPECT_LT(std::fabs(s.back()), 0.001f) << entry << "/" << index;
    }
}

TEST(Sounds, BumpIsAShortKnockAndDropEndALowThud)
{
    std::vector<float> bump = Samples(12, 3, 4);
    std::vector<float> thud = Samples(12, 2, 4);
    EXPECT_LT(bump.size(), size_t(22050 * 0.3));
    EXPECT_LT(Crossings(thud, 2205), 400.0f);
    EXPECT_GT(Crossings(bump, 2205), 800.0f);
    // The knock dies within a tenth of a second.
    EXPECT_LT(Rms(bump, 2205, 1000), Rms(bump, 0, 400) * 0.05f);
}

} // namespace
