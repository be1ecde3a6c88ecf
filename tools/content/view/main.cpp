// Renders the generated meshes from the game's camera into a PNG, with the
// buttons laid over, to look at the content without the game.
#include "tools/content/view/SceneView.h"
#include <cstdio>
#include <exception>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: rvxview <content folder> <run folder> <picture.png>\n");
        return 2;
    }
    const std::string meshes = std::string(argv[1]) + "/meshes/", sprites = std::string(argv[1]) + "/sprites/";
    const std::string run = argv[2];
    try {
        SceneView view(794, 575);
        for (const char* name : {"table", "base", "ruler", "books", "pencil_cup"})
            view.AddMesh(meshes + name + ".x", run, 0, 0, 0);
        view.AddMesh(meshes + "board.x", run, 0, 0, -1.3f);
        view.AddMesh(meshes + "frame.x", run, 0, 0, -1.3f);
        view.AddMesh(meshes + "ball.x", run, -4.35f, 4.38f, -1.75f);
        view.AddSprite(sprites + "new0.tga", 690, 30);
        view.AddSprite(sprites + "quit0.tga", 690, 80);
        view.Picture().WritePng(argv[3], false);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "rvxview: %s\n", e.what());
        return 1;
    }
    return 0;
}
