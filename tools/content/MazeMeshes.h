#pragma once
#include "tools/content/Maze.h"
#include "tools/content/MeshBuilder.h"

// The board (a plate with round openings) and the frame (rim and walls as
// closed boxes) of the maze, in the board's own coordinates.
class MazeMeshes {
public:
    static constexpr int kHoleSegments = 32;

    // nMaze names the board texture.
    static MeshBuilder Board(const Maze& maze, int nMaze);
    static MeshBuilder Frame(const Maze& maze);
};
