#include "tools/content/MazeGenerator.h"
#include <algorithm>
#include <cstdlib>
#include <deque>

#include <cstdio>

MazeGenerator::MazeGenerator(uint32_t nSeed, const Figures& figures)
    : nCells(figures.nCells), nCount(figures.nCells * figures.nCells), nState(nSeed ? nSeed : 1),
      rgEastWall(size_t(nCount), 1), rgSouthWall(size_t(nCount), 1), rgMark(size_t(nCount), ' ')
{
    Carve();
    OpenLoops(figures.nLoops);
    PlaceStartAndGoal(figures.nLength);
    PlaceHoles(figures.nHoles);
}

// xorshift32: the same numbers on every machine.
uint32_t MazeGenerator::Next()
{
    nState ^= nState << 13;
    nState ^= nState >> 17;
    nState ^= nState << 5;
    return nState;
}

std::vector<int> MazeGenerator::Neighbours(int cell) const
{
    std::vector<int> out;
    if (Column(cell) > 0)
        out.push_back(cell - 1);
    if (Column(cell) + 1 < nCells)
        out.push_back(cell + 1);
    if (Row(cell) > 0)
        out.push_back(cell - nCells);
    if (Row(cell) + 1 < nCells)
        out.push_back(cell + nCells);
    return out;
}

bool MazeGenerator::Open(int from, int to) const
{
    const int a = std::min(from, to), b = std::max(from, to);
    return b - a == 1 ? !rgEastWall[size_t(a)] : !rgSouthWall[size_t(a)];
}

void MazeGenerator::Knock(int from, int to)
{
    const int a = std::min(from, to), b = std::max(from, to);
    (b - a == 1 ? rgEastWall : rgSouthWall)[size_t(a)] = 0;
}

// Depth-first: long winding corridors with few branches.
void MazeGenerator::Carve()
{
    std::vector<char> seen(size_t(nCount), 0);
    std::vector<int> stack{Below(nCount)};
    seen[size_t(stack.back())] = 1;
    while (!stack.empty()) {
        std::vector<int> fresh;
        for (int next : Neighbours(stack.back()))
            if (!seen[size_t(next)])
                fresh.push_back(next);
        if (fresh.empty()) {
            stack.pop_back();
            continue;
        }
        const int next = fresh[size_t(Below(int(fresh.size())))];
        Knock(stack.back(), next);
        seen[size_t(next)] = 1;
        stack.push_back(next);
    }
}

void MazeGenerator::OpenLoops(int count)
{
    for (int done = 0, tries = 0; done < count && tries < 1000; ++tries) {
        const int cell = Below(nCount);
        const std::vector<int> around = Neighbours(cell);
        const int next = around[size_t(Below(int(around.size())))];
        if (!Open(cell, next)) {
            Knock(cell, next);
            ++done;
        }
    }
}

std::vector<int> MazeGenerator::Distances(int from) const
{
    std::vector<int> distance(size_t(nCount), -1);
    std::deque<int> queue{from};
    distance[size_t(from)] = 0;
    while (!queue.empty()) {
        const int at = queue.front();
        queue.pop_front();
        for (int next : Neighbours(at))
            if (distance[size_t(next)] < 0 && Open(at, next) && rgMark[size_t(next)] != 'O') {
                distance[size_t(next)] = distance[size_t(at)] + 1;
                queue.push_back(next);
            }
    }
    return distance;
}

std::vector<int> MazeGenerator::WayTo(int from, int to) const
{
    const std::vector<int> distance = Distances(from);
    std::vector<int> way{to};
    while (way.back() != from)
        for (int next : Neighbours(way.back()))
            if (Open(way.back(), next) && distance[size_t(next)] == distance[size_t(way.back())] - 1) {
                way.push_back(next);
                break;
            }
    return way;
}

void MazeGenerator::PlaceStartAndGoal(int length)
{
    const int corners[4] = {0, nCells - 1, nCount - nCells, nCount - 1};
    const int start = corners[Below(4)];
    const std::vector<int> distance = Distances(start);
    int goal = start;
    for (int cell = 0; cell < nCount; ++cell)
        if (std::abs(distance[size_t(cell)] + 1 - length) < std::abs(distance[size_t(goal)] + 1 - length))
            goal = cell;
    rgMark[size_t(start)] = 'S';
    rgMark[size_t(goal)] = 'G';
}

// Cells opening onto the way first, then the rest, each group in seeded order.
void MazeGenerator::PlaceHoles(int count)
{
    const int start = int(std::find(rgMark.begin(), rgMark.end(), 'S') - rgMark.begin());
    const int goal = int(std::find(rgMark.begin(), rgMark.end(), 'G') - rgMark.begin());
    const std::vector<int> way = WayTo(start, goal);
    std::vector<char> onWay(size_t(nCount), 0);
    for (int cell : way)
        onWay[size_t(cell)] = 1;
    std::vector<int> beside, rest;
    for (int cell = 0; cell < nCount; ++cell) {
        if (onWay[size_t(cell)])
            continue;
        const std::vector<int> around = Neighbours(cell);
        const bool opensOnto = std::any_of(around.begin(), around.end(),
                                           [&](int next) { return onWay[size_t(next)] && Open(cell, next); });
        (opensOnto ? beside : rest).push_back(cell);
    }
    for (std::vector<int>* group : {&beside, &rest})
        for (size_t i = group->size(); i > 1; --i)
            std::swap((*group)[i - 1], (*group)[size_t(Below(int(i)))]);
    beside.insert(beside.end(), rest.begin(), rest.end());
    for (int i = 0; i < count && i < int(beside.size()); ++i)
        rgMark[size_t(beside[size_t(i)])] = 'O';
}

std::string MazeGenerator::Text(const std::string& szName) const
{
    char pitch[32];
    std::snprintf(pitch, sizeof pitch, "pitch %.7g\n", double(kSide / float(nCells)));
    std::string text = "name " + szName + "\n" + pitch +
                       "origin -5.0 4.95\nwall 0.2\nwall_top -0.6\nrim 0.45\n"
                       "surface -0.15\nplate 0.15\nhole_radius 0.4\nball_radius 0.3\n\ngrid\n";
    text += std::string(1, '+');
    for (int column = 0; column < nCells; ++column)
        text += "-+";
    text += "\n";
    for (int row = 0; row < nCells; ++row) {
        std::string cells = "|", below = "+";
        for (int column = 0; column < nCells; ++column) {
            const int cell = row * nCells + column;
            cells += rgMark[size_t(cell)];
            cells += rgEastWall[size_t(cell)] || column + 1 == nCells ? '|' : ' ';
            below += rgSouthWall[size_t(cell)] || row + 1 == nCells ? "-+" : " +";
        }
        text += cells + "\n" + below + "\n";
    }
    return text;
}
