#include "tools/content/PropMeshes.h"
#include "tools/content/Materials.h"
#include <cmath>

namespace {

constexpr float kFloor = PropMeshes::kFloorZ;
constexpr float kTrayFloor = 1.1f;    // the fallen ball rests on it (centre z 0.8)
constexpr float kTrayTop = -0.95f;
constexpr float kTrayGap = 0.45f;     // room for the leaning board
constexpr float kTrayWall = 0.3f;
constexpr float kBoardZ = -1.3f;

} // namespace

MeshBuilder PropMeshes::Base(const Maze& maze)
{
    MeshBuilder mesh;
    int walnut = mesh.AddMaterial(Materials::Walnut());
    int felt = mesh.AddMaterial(Materials::Felt("GreenFelt", 0.22f, 0.5f, 0.3f));
    int brass = mesh.AddMaterial(Materials::Metal());
    float l = maze.PlateLeft() - kTrayGap, r = maze.PlateRight() + kTrayGap;
    float b = maze.PlateBottom() - kTrayGap, t = maze.PlateTop() + kTrayGap;
    float w = kTrayWall;
    mesh.UseMaterial(walnut);
    mesh.AddBox({l - w, b - w, kTrayFloor + 0.05f}, {r + w, t + w, kFloor - 0.12f}, 0.5f);
    mesh.AddBox({l - w, b - w, kTrayTop}, {l, t + w, kTrayFloor}, 0.5f);
    mesh.AddBox({r, b - w, kTrayTop}, {r + w, t + w, kTrayFloor}, 0.5f);
    mesh.AddBox({l, b - w, kTrayTop}, {r, b, kTrayFloor}, 0.5f);
    mesh.AddBox({l, t, kTrayTop}, {r, t + w, kTrayFloor}, 0.5f);
    for (float x : {l, r - 0.6f})
        for (float y : {b, t - 0.6f})
            mesh.AddBox({x, y, kFloor - 0.12f}, {x + 0.6f, y + 0.6f, kFloor}, 0.5f);
    mesh.UseMaterial(felt);
    mesh.AddBox({l, b, kTrayFloor}, {r, t, kTrayFloor + 0.05f}, 0.5f);
    mesh.UseMaterial(brass);
    float cx = (maze.PlateLeft() + maze.PlateRight()) * 0.5f, cy = (maze.PlateTop() + maze.PlateBottom()) * 0.5f;
    float under = kBoardZ + maze.fSurface + maze.fPlate + 0.05f;
    mesh.AddCylinder({cx, cy, kTrayFloor}, {0, 0, under - kTrayFloor}, 0.22f, 0.22f, 20);
    mesh.AddCylinder({cx, cy, kTrayFloor}, {0, 0, -0.15f}, 0.6f, 0.45f, 24);
    return mesh;
}

MeshBuilder PropMeshes::Ball(float radius)
{
    MeshBuilder mesh;
    mesh.UseMaterial(mesh.AddMaterial(Materials::Steel()));
    mesh.AddSphere({0, 0, 0}, radius, 32, 16);
    return mesh;
}

MeshBuilder PropMeshes::Table()
{
    MeshBuilder mesh;
    mesh.UseMaterial(mesh.AddMaterial(Materials::Oak()));
    mesh.AddBox({-18, -12, kFloor}, {18, 18, kFloor + 0.5f}, 0.125f);
    return mesh;
}

MeshBuilder PropMeshes::Books()
{
    MeshBuilder mesh;
    int pages = mesh.AddMaterial(Materials::Paint("Pages", 0.95f, 0.92f, 0.82f));
    const float covers[3][3] = {{0.55f, 0.1f, 0.08f}, {0.1f, 0.18f, 0.45f}, {0.15f, 0.35f, 0.18f}};
    const float sizes[3][2] = {{3.4f, 2.5f}, {3.0f, 2.2f}, {2.6f, 1.9f}};
    const float turns[3] = {0.12f, -0.08f, 0.25f};
    const float thickness = 0.45f, board = 0.06f;
    Vec3 pivot{-8.9f, 6.2f, 0};
    for (int k = 0; k < 3; ++k) {
        int cover = mesh.AddMaterial(
            Materials::Felt("Cover" + std::to_string(k), covers[k][0], covers[k][1], covers[k][2]));
        float hx = sizes[k][0] * 0.5f, hy = sizes[k][1] * 0.5f;
        float z1 = kFloor - float(k) * thickness, z0 = z1 - thickness;
        Vec3 lo{pivot.x - hx, pivot.y - hy, 0}, hi{pivot.x + hx, pivot.y + hy, 0};
        mesh.UseMaterial(cover);
        mesh.AddBox({lo.x, lo.y, z0}, {hi.x, hi.y, z0 + board}, 0.5f, turns[k], pivot);
        mesh.AddBox({lo.x, lo.y, z1 - board}, {hi.x, hi.y, z1}, 0.5f, turns[k], pivot);
        mesh.AddBox({lo.x, lo.y, z0}, {lo.x + board, hi.y, z1}, 0.5f, turns[k], pivot);
        mesh.UseMaterial(pages);
        mesh.AddBox({lo.x + board, lo.y + 0.06f, z0 + board}, {hi.x - 0.06f, hi.y - 0.06f, z1 - board}, 0.5f,
                    turns[k], pivot);
    }
    return mesh;
}

MeshBuilder PropMeshes::PencilCup()
{
    MeshBuilder mesh;
    int brass = mesh.AddMaterial(Materials::Metal());
    int inside = mesh.AddMaterial(Materials::Paint("Inside", 0.08f, 0.07f, 0.06f));
    int paint = mesh.AddMaterial(Materials::Paint("Yellow", 0.95f, 0.75f, 0.1f, 0.3f));
    int wood = mesh.AddMaterial(Materials::Paint("Cedar", 0.85f, 0.65f, 0.45f));
    int lead = mesh.AddMaterial(Materials::Paint("Graphite", 0.15f, 0.15f, 0.17f, 0.5f));
    const Vec3 cup{7.8f, 2.4f, kFloor};
    const float height = 1.7f;
    mesh.UseMaterial(brass);
    mesh.AddCylinder(cup, {0, 0, -height}, 0.6f, 0.6f, 28);
    mesh.UseMaterial(inside);
    mesh.AddCylinder(cup + Vec3{0, 0, -height}, {0, 0, -0.005f}, 0.52f, 0.52f, 28);
    const Vec3 leans[3] = {{-0.25f, 0.1f, -1}, {0.2f, 0.22f, -1}, {0.05f, -0.3f, -1}};
    for (const Vec3& lean : leans) {
        Vec3 axis = Normalized(lean);
        Vec3 base = cup + Vec3{lean.x * 0.6f, lean.y * 0.6f, -0.3f};
        mesh.UseMaterial(paint);
        mesh.AddCylinder(base, axis * 2.4f, 0.08f, 0.08f, 6);
        mesh.UseMaterial(wood);
        mesh.AddCylinder(base + axis * 2.4f, axis * 0.22f, 0.08f, 0.025f, 6);
        mesh.UseMaterial(lead);
        mesh.AddCylinder(base + axis * 2.62f, axis * 0.06f, 0.025f, 0.0f, 6);
    }
    return mesh;
}

MeshBuilder PropMeshes::RulerAndBall(float radius)
{
    MeshBuilder mesh;
    mesh.UseMaterial(mesh.AddMaterial(Materials::Walnut()));
    mesh.AddBox({-7.95f, -3.5f, kFloor - 0.05f}, {-7.6f, 1.0f, kFloor}, 0.5f, 0.08f, {-7.8f, -1.2f, 0});
    mesh.UseMaterial(mesh.AddMaterial(Materials::Steel()));
    mesh.AddSphere({-7.6f, 3.0f, kFloor - radius}, radius, 32, 16);
    return mesh;
}
