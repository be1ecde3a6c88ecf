#pragma once
#include "tools/content/Maze.h"
#include "tools/content/Raster.h"

// Procedural textures of the meshes: wood grain, cloth, brushed metal and the
// steel ball. Tileable ones repeat seamlessly.
class TextureSynth {
public:
    // The whole board, mapped from the plate's corners, with the hole edges,
    // the start ring and the goal square painted on.
    static Raster Board(const Maze& maze, int size);
    static Raster Walnut(int size);
    static Raster Oak(int size);
    static Raster Felt(int size);
    static Raster Metal(int size);
    // Longitude/latitude map of the ball: polished steel with two painted bands.
    static Raster Ball(int width, int height);
};
