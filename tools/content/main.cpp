// Generates the game's content from the maze definition: meshes (X text),
// sprites (TGA), sounds (WAVE), textures (PNG, into the run folder) and the
// manifest the archive builder packs.
#include "tools/content/ContentSet.h"
#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: rvxcontent <maze.txt> <content folder> <run folder>\n");
        return 2;
    }
    try {
        ContentSet content(Maze::Load(argv[1]));
        content.Write(argv[2], argv[3]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "rvxcontent: %s\n", e.what());
        return 1;
    }
    return 0;
}
