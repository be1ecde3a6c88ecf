#include "tools/content/MazePicture.h"
#include <cmath>

Raster MazePicture::Render(const Maze& maze, const MazeReport& report, float pixelsPerUnit)
{
    float width = maze.PlateRight() - maze.PlateLeft(), height = maze.PlateTop() - maze.PlateBottom();
    Raster r(int(std::ceil(width * pixelsPerUnit)), int(std::ceil(height * pixelsPerUnit)), {0.9f, 0.78f, 0.56f, 1});
    auto px = [&](float x) { return (x - maze.PlateLeft()) * pixelsPerUnit; };
    auto py = [&](float y) { return (maze.PlateTop() - y) * pixelsPerUnit; };
    for (const WallBox& w : maze.Walls())
        r.FillRoundRect(px(w.x0), py(w.y1), px(w.x1), py(w.y0), 0, {0.35f, 0.2f, 0.1f, 1});
    for (const HoleSpot& h : maze.Holes())
        r.FillCircle(px(h.x), py(h.y), maze.fHoleRadius * pixelsPerUnit, {0.05f, 0.05f, 0.05f, 1});
    float g = maze.fGoalHalf;
    r.FillRoundRect(px(maze.fGoalX - g), py(maze.fGoalY + g), px(maze.fGoalX + g), py(maze.fGoalY - g), 0,
                    {0.1f, 0.6f, 0.2f, 1});
    for (size_t i = 1; i < report.path.size(); ++i)
        r.DrawLine(px(report.path[i - 1].x), py(report.path[i - 1].y), px(report.path[i].x), py(report.path[i].y),
                   3, {0.2f, 0.4f, 1, 0.8f});
    r.FillRing(px(maze.fStartX), py(maze.fStartY), maze.fBallRadius * pixelsPerUnit, 3, {0.9f, 0.1f, 0.1f, 1});
    return r;
}
