#include "tools/content/MazeChecker.h"
#include <cmath>
#include <deque>

MazeChecker::MazeChecker(const Maze& maze, float step) : maze(maze), fStep(step) {}

bool MazeChecker::Legal(float x, float y) const
{
    return maze.WallDistance(x, y) >= maze.fBallRadius && !maze.OverHole(x, y);
}

MazeReport MazeChecker::Check() const
{
    MazeReport report;
    CheckLayout(report);
    report.fStartLegal = Legal(maze.fStartX, maze.fStartY);
    if (!report.fStartLegal)
        report.problems.push_back("the start is not a legal ball position");
    else
        FindPath(report);
    if (!report.fGoalReached)
        report.problems.push_back("no path from the start to the goal");
    report.nHolesBesidePath = CountHolesBeside(report.path);
    if (report.nHolesBesidePath < kMinHoles)
        report.problems.push_back("fewer than 8 holes beside the path");
    return report;
}

void MazeChecker::CheckLayout(MazeReport& report) const
{
    if (maze.fPitch - maze.fWall < kMinCorridor)
        report.problems.push_back("corridors narrower than 0.9");
    for (const HoleSpot& hole : maze.Holes())
        if (maze.WallDistance(hole.x, hole.y) < maze.fHoleRadius + 0.05f)
            report.problems.push_back("a hole cuts into a wall");
}

// Breadth-first search over a square lattice of ball centres.
void MazeChecker::FindPath(MazeReport& report) const
{
    float x0 = maze.PlateLeft();
    float y0 = maze.PlateBottom();
    int columns = int((maze.PlateRight() - x0) / fStep) + 1;
    int rows = int((maze.PlateTop() - y0) / fStep) + 1;
    auto xAt = [&](int i) { return x0 + float(i) * fStep; };
    auto yAt = [&](int j) { return y0 + float(j) * fStep; };
    std::vector<int> parent(size_t(columns) * size_t(rows), -2);
    int si = int(std::lround((maze.fStartX - x0) / fStep));
    int sj = int(std::lround((maze.fStartY - y0) / fStep));
    if (si < 0 || sj < 0 || si >= columns || sj >= rows || !Legal(xAt(si), yAt(sj)))
        return;
    std::deque<int> queue{sj * columns + si};
    parent[size_t(queue.front())] = -1;
    const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    while (!queue.empty()) {
        int at = queue.front();
        queue.pop_front();
        int i = at % columns, j = at / columns;
        if (maze.InGoal(xAt(i), yAt(j))) {
            for (int k = at; k >= 0; k = parent[size_t(k)])
                report.path.insert(report.path.begin(), {xAt(k % columns), yAt(k / columns)});
            report.fGoalReached = true;
            return;
        }
        for (const auto& step : steps) {
            int ni = i + step[0], nj = j + step[1];
            if (ni < 0 || nj < 0 || ni >= columns || nj >= rows)
                continue;
            int next = nj * columns + ni;
            if (parent[size_t(next)] != -2 || !Legal(xAt(ni), yAt(nj)))
                continue;
            parent[size_t(next)] = at;
            queue.push_back(next);
        }
    }
}

int MazeChecker::CountHolesBeside(const std::vector<MazePoint>& path) const
{
    int count = 0;
    for (const HoleSpot& hole : maze.Holes()) {
        for (const MazePoint& point : path) {
            if (std::hypot(point.x - hole.x, point.y - hole.y) <= maze.fPitch * 1.01f) {
                ++count;
                break;
            }
        }
    }
    return count;
}
