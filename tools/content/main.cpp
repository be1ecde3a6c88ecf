// Generates the game's content from the maze definitions: meshes (X text),
// sprites (TGA), sounds (WAVE), textures (PNG, into the run folder) and the
// manifest the archive builder packs. Prints each maze's difficulty figures.
#include "tools/content/ContentSet.h"
#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: rvxcontent <content folder> <run folder> <maze 1.txt> [<maze 2.txt> ...]\n");
        return 2;
    }
    try {
        std::vector<Maze> mazes;
        for (int i = 3; i < argc; ++i)
            mazes.push_back(Maze::Load(argv[i]));
        ContentSet content(std::move(mazes));
        content.Write(argv[1], argv[2]);
        std::fputs(content.Figures().c_str(), stdout);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "rvxcontent: %s\n", e.what());
        return 1;
    }
    return 0;
}
