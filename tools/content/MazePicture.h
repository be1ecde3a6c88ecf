#pragma once
#include "tools/content/MazeChecker.h"
#include "tools/content/Raster.h"

// A plan of the maze from above, with the checker's path, for looking at.
class MazePicture {
public:
    static Raster Render(const Maze& maze, const MazeReport& report, float pixelsPerUnit);
};
