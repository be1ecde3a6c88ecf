#include "tools/content/Maze.h"
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

constexpr int kMaxCells = 64;
constexpr size_t kMaxName = 31;

[[noreturn]] void Fail(int line, const std::string& what)
{
    throw std::runtime_error("maze line " + std::to_string(line) + ": " + what);
}

std::string StripComment(const std::string& text)
{
    return text.substr(0, text.find('#'));
}

std::string TrimRight(std::string text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.pop_back();
    return text;
}

float BoxDistance(const WallBox& box, float x, float y)
{
    float dx = std::max({box.x0 - x, 0.0f, x - box.x1});
    float dy = std::max({box.y0 - y, 0.0f, y - box.y1});
    return std::sqrt(dx * dx + dy * dy);
}

} // namespace

Maze Maze::Load(const std::string& path)
{
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot open maze " + path);
    try {
        return Parse(in);
    } catch (const std::runtime_error& e) {
        throw std::runtime_error(path + ": " + e.what());
    }
}

std::string Maze::FileName(const char* stem, int nMaze, const char* ending)
{
    char number[16] = "";
    if (nMaze != 1)
        std::snprintf(number, sizeof number, "_%02d", nMaze);
    return std::string(stem) + number + ending;
}

Maze Maze::Parse(std::istream& in)
{
    Maze maze;
    std::string text;
    int line = 0;
    bool gridFound = false;
    while (!gridFound && std::getline(in, text)) {
        ++line;
        std::istringstream words(StripComment(text));
        std::string key;
        if (!(words >> key))
            continue;
        gridFound = key == "grid";
        if (key == "name")
            maze.ReadName(words, line);
        else if (!gridFound)
            maze.ReadSetting(key, words, line);
    }
    if (!gridFound)
        Fail(line, "no grid");
    std::vector<std::string> grid;
    int firstLine = line + 1;
    while (std::getline(in, text)) {
        text = TrimRight(text);
        if (!text.empty())
            grid.push_back(text);
    }
    maze.ReadGrid(grid, firstLine);
    return maze;
}

// The rest of the line: printable ASCII, at most 31 characters.
void Maze::ReadName(std::istream& values, int line)
{
    std::string name;
    std::getline(values >> std::ws, name);
    name = TrimRight(name);
    const bool printable = std::all_of(name.begin(), name.end(), [](char c) { return c >= 32 && c < 127; });
    if (name.empty() || name.size() > kMaxName || !printable)
        Fail(line, "a name is 1 to 31 printable ASCII characters");
    szName = name;
}

void Maze::ReadSetting(const std::string& key, std::istream& values, int line)
{
    struct Setting {
        const char* name;
        std::vector<float*> fields;
    };
    const Setting settings[] = {
        {"pitch", {&fPitch}},
        {"origin", {&fLeft, &fTop}},
        {"wall", {&fWall}},
        {"wall_top", {&fWallTop}},
        {"rim", {&fRim}},
        {"surface", {&fSurface}},
        {"plate", {&fPlate}},
        {"hole_radius", {&fHoleRadius}},
        {"ball_radius", {&fBallRadius}},
        {"start", {&fStartX, &fStartY}},
        {"goal", {&fGoalX, &fGoalY, &fGoalHalf}},
    };
    fStartGiven |= key == "start";
    fGoalGiven |= key == "goal";
    for (const Setting& setting : settings) {
        if (key != setting.name)
            continue;
        for (float* field : setting.fields)
            if (!(values >> *field) || !std::isfinite(*field))
                Fail(line, "bad value for " + key);
        return;
    }
    Fail(line, "unknown setting " + key);
}

void Maze::ReadGrid(const std::vector<std::string>& lines, int firstLine)
{
    if (lines.size() < 3 || lines.size() % 2 == 0)
        Fail(firstLine, "the grid needs an odd number of lines, at least 3");
    size_t width = lines[0].size();
    if (width < 3 || width % 2 == 0)
        Fail(firstLine, "the grid needs an odd width, at least 3");
    nColumns = int(width / 2);
    nRows = int(lines.size() / 2);
    if (nColumns > kMaxCells || nRows > kMaxCells)
        Fail(firstLine, "more than 64 cells across");
    if (fPitch <= fWall || fWall <= 0)
        Fail(firstLine, "the pitch must exceed the wall thickness");
    for (size_t y = 0; y < lines.size(); ++y) {
        int line = firstLine + int(y);
        if (lines[y].size() != width)
            Fail(line, "grid lines differ in length");
        for (size_t x = 0; x < width; ++x) {
            char c = lines[y][x];
            bool edge = y == 0 || y + 1 == lines.size() || x == 0 || x + 1 == width;
            bool post = y % 2 == 0 && x % 2 == 0;
            bool cell = y % 2 == 1 && x % 2 == 1;
            char wall = y % 2 == 0 ? '-' : '|';
            if (post && c != '+')
                Fail(line, "expected '+' at column " + std::to_string(x + 1));
            else if (cell && c != ' ' && c != 'S' && c != 'G' && c != 'O')
                Fail(line, "unknown cell mark at column " + std::to_string(x + 1));
            else if (!post && !cell && c != wall && (edge || c != ' '))
                Fail(line, std::string("expected '") + wall + "' at column " + std::to_string(x + 1));
        }
    }
    rgHoleCells.assign(size_t(nColumns) * size_t(nRows), 0);
    for (int row = 0; row < nRows; ++row)
        for (int column = 0; column < nColumns; ++column)
            if (lines[size_t(2 * row + 1)][size_t(2 * column + 1)] == 'O') {
                rgHoleCells[size_t(row * nColumns + column)] = 1;
                rgHoles.push_back({CellCentreX(column), CellCentreY(row)});
            }
    BuildWalls(lines);
    PlaceMarks(lines, firstLine);
}

void Maze::PlaceMarks(const std::vector<std::string>& lines, int firstLine)
{
    // A mark's cell centre, unless a line gave the point; each mark at most once.
    auto place = [&](char mark, bool given, float* x, float* y) {
        int found = 0;
        for (int row = 0; row < nRows; ++row)
            for (int column = 0; column < nColumns; ++column)
                if (lines[size_t(2 * row + 1)][size_t(2 * column + 1)] == mark && ++found == 1 && !given) {
                    *x = CellCentreX(column);
                    *y = CellCentreY(row);
                }
        if (found > 1 || (found == 0 && !given))
            Fail(firstLine, std::string("the grid needs one '") + mark + "' cell");
    };
    place('S', fStartGiven, &fStartX, &fStartY);
    place('G', fGoalGiven, &fGoalX, &fGoalY);
}

// Joins consecutive wall segments of each grid line into one box.
void Maze::BuildWalls(const std::vector<std::string>& lines)
{
    for (int row = 0; row <= nRows; ++row) {
        const std::string& text = lines[size_t(2 * row)];
        for (int c = 0; c < nColumns;) {
            int end = c;
            while (end < nColumns && text[size_t(2 * end + 1)] == '-')
                ++end;
            if (end > c)
                AddWallRun(true, row, c, end);
            c = std::max(end, c + 1);
        }
    }
    for (int column = 0; column <= nColumns; ++column) {
        for (int r = 0; r < nRows;) {
            int end = r;
            while (end < nRows && lines[size_t(2 * end + 1)][size_t(2 * column)] == '|')
                ++end;
            if (end > r)
                AddWallRun(false, column, r, end);
            r = std::max(end, r + 1);
        }
    }
}

// A run of segments [from, to) along grid line `line`; rim runs grow outwards
// by the rim thickness and fill the corners.
void Maze::AddWallRun(bool horizontal, int line, int from, int to)
{
    float half = fWall * 0.5f;
    int lastLine = horizontal ? nRows : nColumns;
    int span = horizontal ? nColumns : nRows;
    bool rim = line == 0 || line == lastLine;
    float before = rim && from == 0 ? fRim : half;
    float after = rim && to == span ? fRim : half;
    float towardsLast = line == lastLine ? fRim : half;
    float towardsFirst = line == 0 ? fRim : half;
    if (horizontal) {
        float y = fTop - float(line) * fPitch;
        rgWalls.push_back({fLeft + float(from) * fPitch - before, y - towardsLast,
                           fLeft + float(to) * fPitch + after, y + towardsFirst});
    } else {
        float x = fLeft + float(line) * fPitch;
        rgWalls.push_back({x - towardsFirst, fTop - float(to) * fPitch - after,
                           x + towardsLast, fTop - float(from) * fPitch + before});
    }
}

bool Maze::HasHole(int column, int row) const
{
    if (column < 0 || row < 0 || column >= nColumns || row >= nRows)
        return false;
    return rgHoleCells[size_t(row * nColumns + column)] != 0;
}

float Maze::WallDistance(float x, float y) const
{
    float best = INFINITY;
    for (const WallBox& box : rgWalls)
        best = std::min(best, BoxDistance(box, x, y));
    return best;
}

bool Maze::OverHole(float x, float y) const
{
    for (const HoleSpot& hole : rgHoles)
        if (std::hypot(x - hole.x, y - hole.y) < fHoleRadius)
            return true;
    return false;
}

bool Maze::InGoal(float x, float y) const
{
    return std::fabs(x - fGoalX) < fGoalHalf && std::fabs(y - fGoalY) < fGoalHalf;
}
