#include "tools/content/MazeMeshes.h"
#include "tools/content/Materials.h"
#include <cmath>
#include <numbers>

namespace {

class PlateWriter {
public:
    PlateWriter(MeshBuilder& mesh, const Maze& maze) : mesh(mesh), maze(maze) {}

    void Surfaces()
    {
        for (float side : {-1.0f, 1.0f}) {
            float z = side < 0 ? maze.fSurface : maze.fSurface + maze.fPlate;
            Cells(z, side);
            Rim(z, side);
        }
        Edges();
        for (const HoleSpot& hole : maze.Holes())
            HoleWall(hole);
    }

private:
    MeshVertex At(float x, float y, float z, Vec3 normal) const
    {
        float u = (x - maze.PlateLeft()) / (maze.PlateRight() - maze.PlateLeft());
        float v = (maze.PlateTop() - y) / (maze.PlateTop() - maze.PlateBottom());
        return {{x, y, z}, normal, u, v};
    }

    void Rect(float x0, float y0, float x1, float y1, float z, float side)
    {
        Vec3 n{0, 0, side};
        mesh.AddQuad(At(x0, y0, z, n), At(x1, y0, z, n), At(x1, y1, z, n), At(x0, y1, z, n));
    }

    void Cells(float z, float side)
    {
        for (int row = 0; row < maze.Rows(); ++row)
            for (int column = 0; column < maze.Columns(); ++column) {
                float x0 = maze.fLeft + float(column) * maze.fPitch, x1 = x0 + maze.fPitch;
                float y1 = maze.fTop - float(row) * maze.fPitch, y0 = y1 - maze.fPitch;
                if (maze.HasHole(column, row))
                    Ring(x0, y0, x1, y1, z, side);
                else
                    Rect(x0, y0, x1, y1, z, side);
            }
    }

    // Fills the cell square around its round opening, quad by quad.
    void Ring(float x0, float y0, float x1, float y1, float z, float side)
    {
        float cx = (x0 + x1) * 0.5f, cy = (y0 + y1) * 0.5f;
        Vec3 n{0, 0, side};
        auto edge = [&](int i) {
            float a = Angle(i);
            float c = std::cos(a), s = std::sin(a);
            float t = (x1 - x0) * 0.5f / std::max(std::fabs(c), std::fabs(s));
            float x = Snap(cx + c * t, x0, x1), y = Snap(cy + s * t, y0, y1);
            return At(x, y, z, n);
        };
        auto inner = [&](int i) {
            float a = Angle(i);
            return At(cx + std::cos(a) * maze.fHoleRadius, cy + std::sin(a) * maze.fHoleRadius, z, n);
        };
        for (int i = 0; i < MazeMeshes::kHoleSegments; ++i)
            mesh.AddQuad(inner(i), inner(i + 1), edge(i + 1), edge(i));
    }

    static float Angle(int i)
    {
        return 2 * std::numbers::pi_v<float> * float(i % MazeMeshes::kHoleSegments) / float(MazeMeshes::kHoleSegments);
    }

    // Puts a point that should lie on the cell's edge exactly on it.
    static float Snap(float v, float lo, float hi)
    {
        if (std::fabs(v - lo) < 1e-3f)
            return lo;
        return std::fabs(v - hi) < 1e-3f ? hi : v;
    }

    void Rim(float z, float side)
    {
        float gl = maze.fLeft, gr = maze.fLeft + float(maze.Columns()) * maze.fPitch;
        float gt = maze.fTop, gb = maze.fTop - float(maze.Rows()) * maze.fPitch;
        Rect(maze.PlateLeft(), gt, maze.PlateRight(), maze.PlateTop(), z, side);
        Rect(maze.PlateLeft(), maze.PlateBottom(), maze.PlateRight(), gb, z, side);
        Rect(maze.PlateLeft(), gb, gl, gt, z, side);
        Rect(gr, gb, maze.PlateRight(), gt, z, side);
    }

    void Edges()
    {
        float l = maze.PlateLeft(), r = maze.PlateRight(), t = maze.PlateTop(), b = maze.PlateBottom();
        float z0 = maze.fSurface, z1 = maze.fSurface + maze.fPlate;
        const float sides[4][4] = {{l, b, l, t}, {r, t, r, b}, {l, t, r, t}, {r, b, l, b}};
        const Vec3 normals[4] = {{-1, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, -1, 0}};
        for (int k = 0; k < 4; ++k) {
            const float* e = sides[k];
            mesh.AddQuad(At(e[0], e[1], z0, normals[k]), At(e[2], e[3], z0, normals[k]),
                         At(e[2], e[3], z1, normals[k]), At(e[0], e[1], z1, normals[k]));
        }
    }

    // The inside of an opening, facing its axis.
    void HoleWall(const HoleSpot& hole)
    {
        float z0 = maze.fSurface, z1 = maze.fSurface + maze.fPlate;
        float r = maze.fHoleRadius;
        for (int i = 0; i < MazeMeshes::kHoleSegments; ++i) {
            float a0 = Angle(i), a1 = Angle(i + 1);
            Vec3 n0{-std::cos(a0), -std::sin(a0), 0}, n1{-std::cos(a1), -std::sin(a1), 0};
            float x0 = hole.x + std::cos(a0) * r, y0 = hole.y + std::sin(a0) * r;
            float x1 = hole.x + std::cos(a1) * r, y1 = hole.y + std::sin(a1) * r;
            mesh.AddQuad(At(x0, y0, z0, n0), At(x1, y1, z0, n1), At(x1, y1, z1, n1), At(x0, y0, z1, n0));
        }
    }

    MeshBuilder& mesh;
    const Maze& maze;
};

} // namespace

MeshBuilder MazeMeshes::Board(const Maze& maze, int nMaze)
{
    MeshBuilder mesh;
    mesh.UseMaterial(mesh.AddMaterial(Materials::Board(nMaze)));
    PlateWriter(mesh, maze).Surfaces();
    return mesh;
}

MeshBuilder MazeMeshes::Frame(const Maze& maze)
{
    MeshBuilder mesh;
    mesh.UseMaterial(mesh.AddMaterial(Materials::Walnut()));
    for (const WallBox& wall : maze.Walls())
        mesh.AddBox({wall.x0, wall.y0, maze.fWallTop}, {wall.x1, wall.y1, maze.fSurface}, 0.5f);
    return mesh;
}
