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
    std::vector<MazePoint> path;    // legal ball centres from the start to the goal
    int nHolesBesidePath = 0;       // holes within one cell of the path
    std::vector<std::string> problems;
};

// Proves the maze playable: a ball of the maze's radius can roll from the
// start to the goal without its centre ever passing over a hole.
class MazeChecker {
public:
    static constexpr float kMinCorridor = 0.9f;
    static constexpr int kMinHoles = 8;

    explicit MazeChecker(const Maze& maze, float step = 0.05f);

    // The ball's centre may rest here: clear of every wall, not over a hole.
    bool Legal(float x, float y) const;
    MazeReport Check() const;

private:
    void CheckLayout(MazeReport& report) const;
    void FindPath(MazeReport& report) const;
    int CountHolesBeside(const std::vector<MazePoint>& path) const;

    const Maze& maze;
    float fStep;
};
