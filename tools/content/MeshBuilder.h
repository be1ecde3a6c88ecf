#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct Vec3 {
    float x = 0, y = 0, z = 0;
};

Vec3 operator+(Vec3 a, Vec3 b);
Vec3 operator-(Vec3 a, Vec3 b);
Vec3 operator*(Vec3 a, float s);
float Dot(Vec3 a, Vec3 b);
Vec3 Cross(Vec3 a, Vec3 b);
Vec3 Normalized(Vec3 a);

struct MeshVertex {
    Vec3 p;
    Vec3 n;
    float u = 0, v = 0;
};

// Material of a DirectX X file; the texture is a file name beside the archive.
struct XMaterial {
    std::string name;
    float diffuse[4] = {1, 1, 1, 1};
    float power = 10;
    float specular[3] = {0, 0, 0};
    float emissive[3] = {0, 0, 0};
    std::string texture;
};

// Collects triangles with per-vertex normals and texture coordinates and
// writes them as a text X file. Faces are stored clockwise as seen from the
// side their normals point to (Direct3D's front faces, left-handed axes).
class MeshBuilder {
public:
    int AddMaterial(const XMaterial& material);
    void UseMaterial(int index) { nMaterial = index; }

    uint32_t AddVertex(const MeshVertex& vertex);
    // Orders the corners so the face's front is where the vertex normals point.
    void AddFace(uint32_t a, uint32_t b, uint32_t c);
    // A flat convex quad with corners in perimeter order.
    void AddQuad(const MeshVertex& a, const MeshVertex& b, const MeshVertex& c, const MeshVertex& d);
    // A closed box between two corners, turned by `yaw` radians about the
    // vertical axis through `pivot`; texture coordinates are the unturned
    // coordinates times uvScale, so touching boxes share their grain.
    void AddBox(Vec3 lo, Vec3 hi, float uvScale, float yaw = 0, Vec3 pivot = {});
    void AddSphere(Vec3 centre, float radius, int slices, int stacks);
    // A closed cylinder (or cone, when radius1 is 0) from base along axis.
    void AddCylinder(Vec3 base, Vec3 axis, float radius0, float radius1, int segments);

    size_t VertexCount() const { return rgVertices.size(); }
    size_t FaceCount() const { return rgFaces.size(); }
    const std::vector<MeshVertex>& Vertices() const { return rgVertices; }

    std::string ToText(const std::string& meshName) const;
    void Write(const std::string& path, const std::string& meshName) const;

private:
    struct Face {
        uint32_t index[3];
        int material;
    };

    void AddDisc(Vec3 centre, Vec3 normal, Vec3 side, Vec3 up, float radius, int segments);

    std::vector<XMaterial> rgMaterials;
    std::vector<MeshVertex> rgVertices;
    std::vector<Face> rgFaces;
    int nMaterial = 0;
};
