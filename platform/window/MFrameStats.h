#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// The frame-time report. With RVX_STATS=<file> the game counts its frames,
// drawn and skipped, times each one, measures the process CPU time of the
// update, draw and present parts, and writes the figures to the file when
// the frame loop ends, one line each.
class MFrameStats {
public:
    enum Part { Update, Draw, Present, PartCount };

    explicit MFrameStats(const char* szPath = "");

    void BeginFrame();
    void EndFrame(bool fDrawn);
    void AddFrame(double seconds, bool fDrawn);
    void AddPartTime(Part part, double seconds);
    void Write(FILE* file) const;

    // Adds the process CPU time of its life to a part of the running report.
    class PartTimer {
    public:
        explicit PartTimer(Part part);
        ~PartTimer();
        PartTimer(const PartTimer&) = delete;
        PartTimer& operator=(const PartTimer&) = delete;

    private:
        Part nPart;
        double dStart = 0.0;
        bool fOn = false;
    };

    // The running report, or null when RVX_STATS is not set.
    static MFrameStats* Get();
    // Starts the report when RVX_STATS names a file.
    static void StartFromEnvironment();
    // Writes the running report to its file and ends it.
    static void Finish();

    static double CpuSeconds();
    static double WallSeconds();

private:
    // Frame wall times in bins of 10 microseconds; the last bin takes the longer ones.
    struct Histogram {
        std::vector<uint32_t> rgBins;
        uint64_t nCount = 0;
        double dSum = 0.0;
        double dMax = 0.0; // the longest, in seconds

        void Add(double seconds);
        // Milliseconds at or below which the share q of the times lie.
        double Percentile(double q) const;
        void Write(FILE* file, const char* szName) const;
    };

    Histogram rgFrames[2]; // skipped, drawn
    double rgPartSeconds[PartCount] = {};
    std::string strPath;
    double dFrameStart = 0.0;
    double dWallStart;
    double dCpuStart;
};
