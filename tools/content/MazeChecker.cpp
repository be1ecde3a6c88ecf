#include "tools/content/MazeChecker.h"
#include <cmath>
#include <functional>
#include <limits>
#include <queue>

MazeChecker::MazeChecker(const Maze& maze, float step) : maze(maze), fStep(step) {}

bool MazeChecker::Legal(float x, float y) const
{
    if (maze.WallDistance(x, y) < maze.fBallRadius + kMargin)
        return false;
    for (const HoleSpot& hole : maze.Holes())
        if (std::hypot(x - hole.x, y - hole.y) < maze.fHoleRadius + kMargin)
            return false;
    return true;
}

MazeReport MazeChecker::Check() const
{
    MazeReport report;
    CheckLayout(report);
    report.fStartLegal = Legal(maze.fStartX, maze.fStartY);
    if (!report.fStartLegal)
        report.problems.push_back("the start is not a safe ball position");
    else
        FindPath(report);
    if (!report.fGoalReached)
        report.problems.push_back("no path from the start to the goal");
    Measure(report);
    if (report.nHolesNearPath < kMinHoles)
        report.problems.push_back("fewer than 8 holes near the path");
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

// Shortest path over a square lattice of ball centres, with diagonal steps.
void MazeChecker::FindPath(MazeReport& report) const
{
    const float x0 = maze.PlateLeft();
    const float y0 = maze.PlateBottom();
    const int columns = int((maze.PlateRight() - x0) / fStep) + 1;
    const int rows = int((maze.PlateTop() - y0) / fStep) + 1;
    auto xAt = [&](int i) { return x0 + float(i) * fStep; };
    auto yAt = [&](int j) { return y0 + float(j) * fStep; };
    const int si = int(std::lround((maze.fStartX - x0) / fStep));
    const int sj = int(std::lround((maze.fStartY - y0) / fStep));
    if (si < 0 || sj < 0 || si >= columns || sj >= rows || !Legal(xAt(si), yAt(sj)))
        return;
    const size_t cells = size_t(columns) * size_t(rows);
    std::vector<char> legal(cells);
    for (int j = 0; j < rows; ++j)
        for (int i = 0; i < columns; ++i)
            legal[size_t(j * columns + i)] = Legal(xAt(i), yAt(j));
    std::vector<float> distance(cells, std::numeric_limits<float>::infinity());
    std::vector<int> parent(cells, -1);
    using Item = std::pair<float, int>;
    std::priority_queue<Item, std::vector<Item>, std::greater<Item>> queue;
    const int start = sj * columns + si;
    distance[size_t(start)] = 0;
    queue.push({0.0f, start});
    while (!queue.empty()) {
        const auto [d, at] = queue.top();
        queue.pop();
        if (d > distance[size_t(at)])
            continue;
        const int i = at % columns, j = at / columns;
        if (maze.InGoal(xAt(i), yAt(j))) {
            for (int k = at; k >= 0; k = parent[size_t(k)])
                report.path.insert(report.path.begin(), {xAt(k % columns), yAt(k / columns)});
            report.fGoalReached = true;
            report.fPathLength = d;
            return;
        }
        for (int dj = -1; dj <= 1; ++dj)
            for (int di = -1; di <= 1; ++di) {
                const int ni = i + di, nj = j + dj;
                if ((di == 0 && dj == 0) || ni < 0 || nj < 0 || ni >= columns || nj >= rows)
                    continue;
                const int next = nj * columns + ni;
                // A diagonal step may not cut the corner of an obstacle.
                if (!legal[size_t(next)] || !legal[size_t(j * columns + ni)] || !legal[size_t(nj * columns + i)])
                    continue;
                const float nd = d + fStep * ((di != 0 && dj != 0) ? float(M_SQRT2) : 1.0f);
                if (nd < distance[size_t(next)]) {
                    distance[size_t(next)] = nd;
                    parent[size_t(next)] = at;
                    queue.push({nd, next});
                }
            }
    }
}

void MazeChecker::Measure(MazeReport& report) const
{
    report.nTurns = CountTurns(report.path);
    report.nHolesNearPath = CountHolesNear(report.path);
}

int MazeChecker::CountTurns(const std::vector<MazePoint>& path) const
{
    int turns = 0, lastColumn = -1, lastRow = -1, lastDx = 0, lastDy = 0;
    for (const MazePoint& point : path) {
        const int column = int(std::floor((point.x - maze.fLeft) / maze.fPitch));
        const int row = int(std::floor((maze.fTop - point.y) / maze.fPitch));
        if (lastColumn >= 0 && (column != lastColumn || row != lastRow)) {
            const int dx = column - lastColumn, dy = row - lastRow;
            if ((lastDx != 0 || lastDy != 0) && (dx != lastDx || dy != lastDy))
                ++turns;
            lastDx = dx;
            lastDy = dy;
        }
        lastColumn = column;
        lastRow = row;
    }
    return turns;
}

int MazeChecker::CountHolesNear(const std::vector<MazePoint>& path) const
{
    // Centre to centre: the gap between ball and hole edge is at most a diameter.
    const float reach = maze.fHoleRadius + 3.0f * maze.fBallRadius;
    int count = 0;
    for (const HoleSpot& hole : maze.Holes())
        for (const MazePoint& point : path)
            if (std::hypot(point.x - hole.x, point.y - hole.y) <= reach) {
                ++count;
                break;
            }
    return count;
}
