#pragma once
#include "tools/content/Maze.h"
#include "tools/content/MeshBuilder.h"

// The meshes around the maze, in world coordinates: the stand under the
// board, the ball, the table (floor at z = 1.49) and the things on it.
class PropMeshes {
public:
    static constexpr float kFloorZ = 1.49f;

    // A felt-lined tray that catches the ball, with a post under the board.
    static MeshBuilder Base(const Maze& maze);
    static MeshBuilder Ball(float radius);
    static MeshBuilder Table();
    static MeshBuilder Books();
    static MeshBuilder PencilCup();
    static MeshBuilder RulerAndBall(float radius);
};
