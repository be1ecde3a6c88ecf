#pragma once
#include <cstdint>
#include <string>
#include "platform/io/MStateFile.h"

// The best time of the maze in play, kept between runs in the player's state
// folder, one line per maze named by its key (the digest of its board and frame meshes).
class ABestTime {
public:
    enum : int32_t { None = -1 };

    ABestTime();

    // Reads the best time kept for the maze.
    void Open(uint64_t nMaze);
    // Seconds, or None while the maze has no best time.
    int32_t Get() const { return lBest; }
    // A win after nSeconds: true when it is the first or beats the best time;
    // it is then the best time and kept.
    bool OfferWin(int32_t nSeconds);

private:
    MStateFile file;
    std::string szMaze;
    int32_t lBest = None;
};
