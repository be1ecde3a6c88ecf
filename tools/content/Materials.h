#pragma once
#include "tools/content/MeshBuilder.h"
#include <string>

// Materials of the game's meshes and the texture files they name.
class Materials {
public:
    static constexpr const char* kWalnutTexture = "rvx_walnut.png";
    static constexpr const char* kOakTexture = "rvx_oak.png";
    static constexpr const char* kFeltTexture = "rvx_felt.png";
    static constexpr const char* kMetalTexture = "rvx_metal.png";
    static constexpr const char* kBallTexture = "rvx_ball.png";

    // Maze 1's board texture is rvx_board.png, maze n's rvx_board_<nn>.png.
    static std::string BoardTexture(int nMaze);
    static XMaterial Board(int nMaze);
    static XMaterial Walnut();
    static XMaterial Oak();
    static XMaterial Felt(const std::string& name, float r, float g, float b);
    static XMaterial Metal();
    static XMaterial Steel();
    // Untextured, for paint and paper.
    static XMaterial Paint(const std::string& name, float r, float g, float b, float shine = 0);
};
