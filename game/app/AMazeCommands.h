#pragma once
#include <cstdint>
#include <cstdio>

// The command line's maze options, answered from the archive and the
// player's state without opening a window.
class AMazeCommands {
public:
    // One line a maze: number, name, best time or "-", and "locked" when it
    // is. 0, or 1 after a line on standard error when the archive cannot be read.
    static int List(FILE* out);
    // 0 when maze n is there and unlocked; otherwise one line on standard
    // error and 2 (1 when the archive cannot be read).
    static int CheckStart(int32_t nMaze);
};
