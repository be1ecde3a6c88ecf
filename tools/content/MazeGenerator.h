#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Writes maze definitions: a seeded perfect maze on a square grid of the board's size,
// opened by a few loops, the start in a corner, the goal where the way from
// the start is about the wanted length, holes in the cells off that way,
// those that open onto it first. The same seed and figures give the same text.
class MazeGenerator {
public:
    // The board's side between the rims; the pitch is this over the cells.
    static constexpr float kSide = 10.0f;

    struct Figures {
        int nCells = 8;    // cells on a side
        int nLength = 20;  // cells on the way from the start to the goal
        int nHoles = 10;
        int nLoops = 2;    // walls taken out after the maze is made
    };

    MazeGenerator(uint32_t nSeed, const Figures& figures);

    // The definition, settings and grid, under the given name.
    std::string Text(const std::string& szName) const;

private:
    struct Cell {
        int column, row;
    };

    uint32_t Next();
    int Below(int n) { return int(Next() % uint32_t(n)); }
    void Carve();
    void OpenLoops(int count);
    std::vector<int> Distances(int from) const;
    std::vector<int> WayTo(int from, int to) const;
    void PlaceStartAndGoal(int length);
    void PlaceHoles(int count);
    int Column(int cell) const { return cell % nCells; }
    int Row(int cell) const { return cell / nCells; }
    bool Open(int from, int to) const;
    void Knock(int from, int to);
    std::vector<int> Neighbours(int cell) const;

    int nCells;
    int nCount;
    uint32_t nState;
    std::vector<char> rgEastWall;  // wall on the east side of each cell
    std::vector<char> rgSouthWall; // wall on the south side of each cell
    std::vector<char> rgMark;      // ' ', 'S', 'G' or 'O'
};
