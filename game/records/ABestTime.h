#pragma once
#include <cstdint>
#include <string>
#include "platform/io/MStateFile.h"

// The best time of the maze in play, in hundredths of a second, kept between
// runs in the player's state folder under the maze's key (the digest of its
// board and frame meshes): "<key>.h <hundredths>". Older files kept whole
// seconds as "<key> <seconds>"; such a line still reads, as that second exactly.
class ABestTime {
public:
    enum : int32_t { None = -1 };

    ABestTime();

    // Reads the best time kept for the maze.
    void Open(uint64_t nMaze);
    // Hundredths, or None while the maze has no best time.
    int32_t Get() const { return lBest; }
    // The best before the last new one (None when that was the first).
    int32_t GetPrevious() const { return lPrevious; }
    // A win after nHundredths: true when it is the first or beats the best
    // time (an equal time does not); it is then the best time, kept by Keep.
    bool OfferWin(int32_t nHundredths);
    // Writes a new best time offered since the last Keep; a failure is told
    // on standard error. The game calls it after the winning frame is shown.
    void Keep();
    bool IsKeepPending() const { return fPending; }

    // "01:23.45": minutes, seconds and hundredths.
    static void Format(char* out, size_t nSize, int32_t nHundredths);
    // "-0.42" or "+1.83": a time less another.
    static void FormatDifference(char* out, size_t nSize, int32_t nDelta);

private:
    MStateFile file;
    std::string szMaze;
    int32_t lBest = None;
    int32_t lPrevious = None;
    bool fPending = false;
};
