#pragma once
#include "tools/content/Maze.h"
#include <string>
#include <vector>

struct MazePoint {
    float x, y;
};

struct MazeReport {
    bool fStartLegal = false;
    bool fGoalReached = false;
    std::vector<MazePoint> path;    // safe ball centres from the start into the goal
    // The difficulty figures of that path.
    float fPathLength = 0;          // its length in world units
    int nHolesNearPath = 0;         // holes whose edge the ball passes within one ball diameter of
    int nTurns = 0;                 // changes of direction from cell to cell along it
    std::vector<std::string> problems;
};

// Proves the maze playable: a ball of the maze's radius can roll from the
// start to the goal with its centre a safety margin clear of every wall and
// every hole's edge, and measures the shortest such path.
class MazeChecker {
public:
    static constexpr float kMinCorridor = 0.9f;
    static constexpr float kMargin = 0.05f;
    static constexpr int kMinHoles = 8;

    explicit MazeChecker(const Maze& maze, float step = 0.05f);

    // The ball's centre may pass here: a margin clear of the walls and the holes.
    bool Legal(float x, float y) const;
    MazeReport Check() const;

private:
    void CheckLayout(MazeReport& report) const;
    void FindPath(MazeReport& report) const;
    void Measure(MazeReport& report) const;
    int CountTurns(const std::vector<MazePoint>& path) const;
    int CountHolesNear(const std::vector<MazePoint>& path) const;

    const Maze& maze;
    float fStep;
};
