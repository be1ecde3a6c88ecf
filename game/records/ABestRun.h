#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>
#include "platform/math/MVector3.h"

// The ball's way through a game, noted at the clock's ticks, and the best
// run of the maze in play: the way of its best time, kept in the player's
// state folder as best-run-<maze key>, one file a maze.
//
// File: "RVXRUN 1", then one "<ticks> <x> <y> <z>" line a sample, the ticks
// rising from 0.
class ABestRun {
public:
    struct Sample {
        int32_t lTicks;
        MVector3 vWhere;
    };
    // Half an hour of samples a step apart.
    enum : size_t { MaxSamples = 30 * 60 * 64 };
    enum : int32_t { StepTicks = 4 };

    ABestRun();

    // Reads the maze's best run; a damaged file is told on standard error and ignored.
    void Open(uint64_t nMaze);
    bool HasBest() const { return !rgBest.empty(); }
    // Where the best run was after nTicks of the clock; its last place after its end.
    MVector3 At(int32_t nTicks) const;
    int32_t GetBestTicks() const { return HasBest() ? rgBest.back().lTicks : 0; }

    // A new game: the way so far is forgotten.
    void StartRun();
    // Notes where the ball is at nTicks, a step after the last note at the
    // earliest unless fLast; allocates nothing.
    void Note(int32_t nTicks, const MVector3& where, bool fLast = false);
    // The run so far is the best one now, written by Keep.
    void TakeRun();
    // Writes a best run taken since the last Keep; a failure is told on standard error.
    void Keep();

    static std::string Format(const std::vector<Sample>& samples);
    // False when the text is no best run.
    static bool Parse(const std::string& text, std::vector<Sample>& out);

private:
    std::string szPath;
    std::vector<Sample> rgRun;
    std::vector<Sample> rgBest;
    bool fPending = false;
};
