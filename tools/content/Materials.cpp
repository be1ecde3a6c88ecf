#include "tools/content/Materials.h"
#include "tools/content/Maze.h"

namespace {

XMaterial Make(const std::string& name, const std::string& texture, float diffuse, float specular, float power)
{
    XMaterial m;
    m.name = name;
    m.texture = texture;
    for (int k = 0; k < 3; ++k) {
        m.diffuse[k] = diffuse;
        m.specular[k] = specular;
    }
    m.power = power;
    return m;
}

} // namespace

std::string Materials::BoardTexture(int nMaze) { return Maze::FileName("rvx_board", nMaze, ".png"); }

XMaterial Materials::Board(int nMaze) { return Make("Maple", BoardTexture(nMaze), 1.0f, 0.15f, 20); }

XMaterial Materials::Walnut() { return Make("Walnut", kWalnutTexture, 1.0f, 0.3f, 30); }

XMaterial Materials::Oak() { return Make("Oak", kOakTexture, 1.0f, 0.1f, 12); }

XMaterial Materials::Felt(const std::string& name, float r, float g, float b)
{
    XMaterial m = Make(name, kFeltTexture, 1.0f, 0.0f, 2);
    m.diffuse[0] = r;
    m.diffuse[1] = g;
    m.diffuse[2] = b;
    return m;
}

XMaterial Materials::Metal()
{
    XMaterial m = Make("Brass", kMetalTexture, 0.95f, 0.8f, 40);
    m.diffuse[1] = 0.78f;
    m.diffuse[2] = 0.42f;
    return m;
}

XMaterial Materials::Steel()
{
    XMaterial m = Make("Steel", kBallTexture, 1.0f, 1.0f, 60);
    for (int k = 0; k < 3; ++k)
        m.emissive[k] = 0.08f;
    return m;
}

XMaterial Materials::Paint(const std::string& name, float r, float g, float b, float shine)
{
    XMaterial m = Make(name, "", 1.0f, shine, 20);
    m.diffuse[0] = r;
    m.diffuse[1] = g;
    m.diffuse[2] = b;
    return m;
}
