#pragma once
#include <istream>
#include <string>
#include <vector>

// Axis-aligned footprint of a wall box on the board (x0 < x1, y0 < y1).
struct WallBox {
    float x0, y0, x1, y1;
};

struct HoleSpot {
    float x, y;
};

// One maze of the game, read from its text definition (mazes/NN.txt).
// Walls stand on grid lines between square cells; holes sit at cell centres.
// Without `start` and `goal` lines the ball starts at the centre of the S
// cell and the goal square is centred on the G cell.
class Maze {
public:
    // Throws std::runtime_error naming the line of a malformed definition.
    static Maze Load(const std::string& path);
    static Maze Parse(std::istream& in);
    // A file of maze n: stem + ending for maze 1 (its files kept their
    // names), stem_nn + ending for the others.
    static std::string FileName(const char* stem, int nMaze, const char* ending);

    int Columns() const { return nColumns; }
    int Rows() const { return nRows; }
    float CellCentreX(int column) const { return fLeft + (float(column) + 0.5f) * fPitch; }
    float CellCentreY(int row) const { return fTop - (float(row) + 0.5f) * fPitch; }

    // Outer edges of the board plate (grid plus rim).
    float PlateLeft() const { return fLeft - fRim; }
    float PlateRight() const { return fLeft + float(nColumns) * fPitch + fRim; }
    float PlateTop() const { return fTop + fRim; }
    float PlateBottom() const { return fTop - float(nRows) * fPitch - fRim; }

    // Merged wall boxes, rim included.
    const std::vector<WallBox>& Walls() const { return rgWalls; }
    const std::vector<HoleSpot>& Holes() const { return rgHoles; }
    // True when the cell holds a hole.
    bool HasHole(int column, int row) const;

    // Shortest distance from (x, y) to any wall box (0 inside one).
    float WallDistance(float x, float y) const;
    // True when (x, y) lies over a hole opening.
    bool OverHole(float x, float y) const;
    bool InGoal(float x, float y) const;

    float fPitch = 1.25f;
    float fLeft = 0, fTop = 0;
    float fWall = 0.2f;
    float fWallTop = -0.6f;
    float fRim = 0.45f;
    float fSurface = -0.15f;
    float fPlate = 0.15f;
    float fHoleRadius = 0.4f;
    float fBallRadius = 0.3f;
    float fStartX = 0, fStartY = 0;
    float fGoalX = 0, fGoalY = 0, fGoalHalf = 0.2f;
    std::string szName;

private:
    void ReadSetting(const std::string& key, std::istream& values, int line);
    void ReadName(std::istream& values, int line);
    // Start and goal from the S and G cells where no line gave them.
    void PlaceMarks(const std::vector<std::string>& lines, int firstLine);
    void ReadGrid(const std::vector<std::string>& lines, int firstLine);
    void BuildWalls(const std::vector<std::string>& lines);
    void AddWallRun(bool horizontal, int line, int from, int to);

    int nColumns = 0;
    int nRows = 0;
    std::vector<WallBox> rgWalls;
    std::vector<HoleSpot> rgHoles;
    std::vector<char> rgHoleCells;
    bool fStartGiven = false;
    bool fGoalGiven = false;
};
