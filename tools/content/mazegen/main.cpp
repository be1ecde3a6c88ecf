// Suggests a maze definition: tries seeds from the one given until the
// generated maze passes the checker with at least the wanted figures, then
// prints it with the command that makes it again. The build never runs it:
// the mazes are the checked-in files.
#include "tools/content/MazeChecker.h"
#include "tools/content/MazeGenerator.h"
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 8) {
        std::fprintf(stderr,
                     "usage: rvxmazegen <seed> <cells a side> <cells on the way> <holes> <loops> <min turns> <name>\n");
        return 2;
    }
    const uint32_t first = uint32_t(std::strtoul(argv[1], nullptr, 10));
    const MazeGenerator::Figures figures{std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]),
                                         std::atoi(argv[5])};
    const int minTurns = std::atoi(argv[6]);
    for (uint32_t seed = first; seed < first + 100000; ++seed) {
        const std::string text = MazeGenerator(seed, figures).Text(argv[7]);
        std::istringstream in(text);
        const Maze maze = Maze::Parse(in);
        const MazeReport report = MazeChecker(maze).Check();
        if (!report.problems.empty() || report.nTurns < minTurns ||
            report.nHolesNearPath < figures.nHoles * 3 / 4)
            continue;
        std::printf("# Made by: rvxmazegen %u %s %s %s %s %s \"%s\"\n", seed, argv[2], argv[3], argv[4], argv[5],
                    argv[6], argv[7]);
        std::printf("# Path %.2f, %d holes near it, %d turns.\n", double(report.fPathLength),
                    report.nHolesNearPath, report.nTurns);
        std::fputs(text.c_str(), stdout);
        return 0;
    }
    std::fprintf(stderr, "rvxmazegen: no seed gave such a maze\n");
    return 1;
}
