#pragma once
#include <cstdint>
#include "platform/io/MStateFile.h"

// How far the player has come: the mazes unlocked (1 to n) and the maze
// played last, kept between runs in the player's state folder.
class AProgress {
public:
    AProgress();

    // Reads the progress for a set of nMazes. A damaged or unreadable file is
    // told on standard error and read as maze 1 unlocked; one naming more
    // mazes than the set holds is cut to the set.
    void Read(int32_t nMazes);
    int32_t GetUnlocked() const { return nUnlocked; }
    int32_t GetLast() const { return nLast; }
    bool IsUnlocked(int32_t nMaze) const { return nMaze >= 1 && nMaze <= nUnlocked; }
    // A win of maze n unlocks the next one, kept by Keep.
    void Won(int32_t nMaze);
    // Writes what a win changed; the game calls it after the winning frame is shown.
    void Keep();
    bool IsKeepPending() const { return fPending; }
    void Played(int32_t nMaze);

private:
    bool IsSound(MStateFile::ReadResult result);
    void Write();

    MStateFile file;
    int32_t nMazes = 1;
    int32_t nUnlocked = 1;
    int32_t nLast = 1;
    bool fPending = false;
};
