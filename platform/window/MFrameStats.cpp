#include "platform/window/MFrameStats.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>

namespace {

constexpr double kBinSeconds = 1e-5;
constexpr size_t kBinCount = 25000;

MFrameStats* g_pStats = nullptr;

double MillisecondsEach(double seconds, uint64_t count) { return count ? seconds * 1000.0 / double(count) : 0.0; }

} // namespace

MFrameStats::MFrameStats(const char* szPath)
    : strPath(szPath), dWallStart(WallSeconds()), dCpuStart(CpuSeconds())
{
    for (Histogram& h : rgFrames)
        h.rgBins.assign(kBinCount, 0);
}

double MFrameStats::CpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

double MFrameStats::WallSeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void MFrameStats::BeginFrame() { dFrameStart = WallSeconds(); }

void MFrameStats::EndFrame(bool fDrawn) { AddFrame(WallSeconds() - dFrameStart, fDrawn); }

void MFrameStats::AddFrame(double seconds, bool fDrawn) { rgFrames[fDrawn ? 1 : 0].Add(seconds); }

void MFrameStats::AddPartTime(Part part, double seconds) { rgPartSeconds[part] += seconds; }

void MFrameStats::Histogram::Add(double seconds)
{
    dMax = std::max(dMax, seconds);
    const double bin = std::max(seconds, 0.0) / kBinSeconds;
    ++rgBins[std::min(size_t(bin), kBinCount - 1)];
    ++nCount;
    dSum += seconds;
}

double MFrameStats::Histogram::Percentile(double q) const
{
    const uint64_t rank = std::max<uint64_t>(1, uint64_t(q * double(nCount) + 0.999999));
    uint64_t seen = 0;
    for (size_t i = 0; i < rgBins.size(); ++i) {
        seen += rgBins[i];
        if (seen >= rank)
            return double(i) * kBinSeconds * 1000.0;
    }
    return 0.0;
}

void MFrameStats::Histogram::Write(FILE* file, const char* szName) const
{
    std::fprintf(file, "%s frame wall ms: mean %.2f median %.2f p95 %.2f p99 %.2f max %.2f\n", szName,
                 MillisecondsEach(dSum, nCount), Percentile(0.5), Percentile(0.95), Percentile(0.99), dMax * 1000.0);
}

void MFrameStats::Write(FILE* file) const
{
    const double wall = WallSeconds() - dWallStart;
    const double cpu = CpuSeconds() - dCpuStart;
    const uint64_t drawn = rgFrames[1].nCount;
    const uint64_t all = drawn + rgFrames[0].nCount;
    std::fprintf(file, "frames: drawn %llu skipped %llu, %.1f drawn a second\n", static_cast<unsigned long long>(drawn),
                 static_cast<unsigned long long>(rgFrames[0].nCount), wall > 0 ? double(drawn) / wall : 0.0);
    rgFrames[1].Write(file, "drawn");
    rgFrames[0].Write(file, "skipped");
    std::fprintf(file, "update cpu ms a frame: %.3f\n", MillisecondsEach(rgPartSeconds[Update], all));
    std::fprintf(file, "draw-submit cpu ms a drawn frame: %.3f\n",
                 MillisecondsEach(rgPartSeconds[Draw] - rgPartSeconds[Present], drawn));
    std::fprintf(file, "present cpu ms a drawn frame: %.3f\n", MillisecondsEach(rgPartSeconds[Present], drawn));
    std::fprintf(file, "process cpu: %.2f s in %.2f s, %.0f%% of one core\n", cpu, wall,
                 wall > 0 ? 100.0 * cpu / wall : 0.0);
}

MFrameStats::PartTimer::PartTimer(Part part) : nPart(part)
{
    if (g_pStats)
        dStart = CpuSeconds();
    fOn = g_pStats != nullptr;
}

MFrameStats::PartTimer::~PartTimer()
{
    if (fOn && g_pStats)
        g_pStats->AddPartTime(nPart, CpuSeconds() - dStart);
}

MFrameStats* MFrameStats::Get() { return g_pStats; }

void MFrameStats::StartFromEnvironment()
{
    const char* path = std::getenv("RVX_STATS");
    if (!g_pStats && path && *path)
        g_pStats = new MFrameStats(path);
}

void MFrameStats::Finish()
{
    if (!g_pStats)
        return;
    if (FILE* file = std::fopen(g_pStats->strPath.c_str(), "w")) {
        g_pStats->Write(file);
        std::fclose(file);
    } else {
        std::fprintf(stderr, "Rollavex: cannot write the frame report to %s\n", g_pStats->strPath.c_str());
    }
    delete g_pStats;
    g_pStats = nullptr;
}
