#include "tools/content/MeshBuilder.h"
#include <cmath>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <stdexcept>

Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 operator*(Vec3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
float Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 Cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }

Vec3 Normalized(Vec3 a)
{
    float length = std::sqrt(Dot(a, a));
    return length > 0 ? a * (1.0f / length) : a;
}

namespace {

std::string Number(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", double(value) == 0.0 ? 0.0 : double(value));
    return text;
}

void AppendList(std::string& out, size_t count, const auto& item)
{
    for (size_t i = 0; i < count; ++i)
        out += "  " + item(i) + (i + 1 < count ? ",\n" : ";\n");
}

void AppendMaterial(std::string& out, const XMaterial& m)
{
    out += "  Material " + m.name + " {\n   ";
    for (float c : m.diffuse)
        out += Number(c) + ";";
    out += ";\n   " + Number(m.power) + ";\n   ";
    for (float c : m.specular)
        out += Number(c) + ";";
    out += ";\n   ";
    for (float c : m.emissive)
        out += Number(c) + ";";
    out += ";\n";
    if (!m.texture.empty())
        out += "   TextureFilename {\n    \"" + m.texture + "\";\n   }\n";
    out += "  }\n";
}

} // namespace

int MeshBuilder::AddMaterial(const XMaterial& material)
{
    rgMaterials.push_back(material);
    return int(rgMaterials.size()) - 1;
}

uint32_t MeshBuilder::AddVertex(const MeshVertex& vertex)
{
    rgVertices.push_back(vertex);
    return uint32_t(rgVertices.size() - 1);
}

void MeshBuilder::AddFace(uint32_t a, uint32_t b, uint32_t c)
{
    const MeshVertex& va = rgVertices.at(a);
    const MeshVertex& vb = rgVertices.at(b);
    const MeshVertex& vc = rgVertices.at(c);
    Vec3 facing = Cross(vb.p - va.p, vc.p - va.p);
    if (Dot(facing, va.n + vb.n + vc.n) < 0)
        std::swap(b, c);
    rgFaces.push_back({{a, b, c}, nMaterial});
}

void MeshBuilder::AddQuad(const MeshVertex& a, const MeshVertex& b, const MeshVertex& c, const MeshVertex& d)
{
    uint32_t ia = AddVertex(a), ib = AddVertex(b), ic = AddVertex(c), id = AddVertex(d);
    AddFace(ia, ib, ic);
    AddFace(ia, ic, id);
}

void MeshBuilder::AddBox(Vec3 lo, Vec3 hi, float uvScale, float yaw, Vec3 pivot)
{
    Vec3 centre = (lo + hi) * 0.5f;
    Vec3 half = (hi - lo) * 0.5f;
    half = {std::fabs(half.x), std::fabs(half.y), std::fabs(half.z)};
    float c = std::cos(yaw), s = std::sin(yaw);
    auto turn = [&](Vec3 v) { return Vec3{v.x * c - v.y * s, v.x * s + v.y * c, v.z}; };
    auto place = [&](Vec3 p) {
        Vec3 turned = turn(p - pivot);
        return Vec3{turned.x + pivot.x, turned.y + pivot.y, p.z};
    };
    // Each face: its normal axis, then the two axes spanning it.
    const int axes[3][3] = {{0, 1, 2}, {1, 0, 2}, {2, 0, 1}};
    const float corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    for (const auto& axis : axes) {
        for (float sign : {-1.0f, 1.0f}) {
            MeshVertex quad[4];
            for (int k = 0; k < 4; ++k) {
                float unit[3];
                unit[axis[0]] = sign;
                unit[axis[1]] = corners[k][0];
                unit[axis[2]] = corners[k][1];
                Vec3 p = centre + Vec3{unit[0] * half.x, unit[1] * half.y, unit[2] * half.z};
                float n[3] = {0, 0, 0};
                n[axis[0]] = sign;
                const float spans[3] = {p.x, p.y, p.z};
                quad[k] = {place(p), turn({n[0], n[1], n[2]}), spans[axis[1]] * uvScale, -spans[axis[2]] * uvScale};
            }
            AddQuad(quad[0], quad[1], quad[2], quad[3]);
        }
    }
}

void MeshBuilder::AddSphere(Vec3 centre, float radius, int slices, int stacks)
{
    uint32_t first = uint32_t(rgVertices.size());
    for (int j = 0; j <= stacks; ++j) {
        float lat = std::numbers::pi_v<float> * (float(j) / float(stacks) - 0.5f);
        for (int i = 0; i <= slices; ++i) {
            float lon = 2 * std::numbers::pi_v<float> * float(i) / float(slices);
            Vec3 n{std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
            AddVertex({centre + n * radius, n, float(i) / float(slices), float(j) / float(stacks)});
        }
    }
    const uint32_t row = uint32_t(slices + 1);
    for (int j = 0; j < stacks; ++j)
        for (int i = 0; i < slices; ++i) {
            uint32_t k = first + uint32_t(j) * row + uint32_t(i);
            if (j > 0)
                AddFace(k, k + 1, k + row + 1);
            if (j + 1 < stacks)
                AddFace(k, k + row + 1, k + row);
        }
}

void MeshBuilder::AddCylinder(Vec3 base, Vec3 axis, float radius0, float radius1, int segments)
{
    Vec3 dir = Normalized(axis);
    Vec3 helper = std::fabs(dir.z) < 0.9f ? Vec3{0, 0, 1} : Vec3{1, 0, 0};
    Vec3 side = Normalized(Cross(helper, dir));
    Vec3 up = Cross(dir, side);
    float length = std::sqrt(Dot(axis, axis));
    float slope = (radius0 - radius1) / length;
    uint32_t first = uint32_t(rgVertices.size());
    for (int i = 0; i <= segments; ++i) {
        float angle = 2 * std::numbers::pi_v<float> * float(i) / float(segments);
        Vec3 radial = side * std::cos(angle) + up * std::sin(angle);
        Vec3 normal = Normalized(radial + dir * slope);
        float u = float(i) / float(segments);
        AddVertex({base + radial * radius0, normal, u, 1});
        AddVertex({base + axis + radial * radius1, normal, u, 0});
    }
    for (int i = 0; i < segments; ++i) {
        uint32_t k = first + uint32_t(2 * i);
        AddFace(k, k + 1, k + 3);
        AddFace(k, k + 3, k + 2);
    }
    AddDisc(base, dir * -1.0f, side, up, radius0, segments);
    AddDisc(base + axis, dir, side, up, radius1, segments);
}

void MeshBuilder::AddDisc(Vec3 centre, Vec3 normal, Vec3 side, Vec3 up, float radius, int segments)
{
    if (radius <= 0)
        return;
    uint32_t middle = AddVertex({centre, normal, 0.5f, 0.5f});
    for (int i = 0; i <= segments; ++i) {
        float angle = 2 * std::numbers::pi_v<float> * float(i) / float(segments);
        float c = std::cos(angle), s = std::sin(angle);
        AddVertex({centre + (side * c + up * s) * radius, normal, 0.5f + 0.5f * c, 0.5f - 0.5f * s});
    }
    for (int i = 0; i < segments; ++i)
        AddFace(middle, middle + 1 + uint32_t(i), middle + 2 + uint32_t(i));
}

std::string MeshBuilder::ToText(const std::string& meshName) const
{
    std::string out = "xof 0303txt 0032\n\nMesh " + meshName + " {\n  " + std::to_string(rgVertices.size()) + ";\n";
    auto vector3 = [](Vec3 v) { return Number(v.x) + ";" + Number(v.y) + ";" + Number(v.z) + ";"; };
    auto face = [&](size_t i) {
        const Face& f = rgFaces[i];
        return "3;" + std::to_string(f.index[0]) + "," + std::to_string(f.index[1]) + "," +
               std::to_string(f.index[2]) + ";";
    };
    AppendList(out, rgVertices.size(), [&](size_t i) { return vector3(rgVertices[i].p); });
    out += "  " + std::to_string(rgFaces.size()) + ";\n";
    AppendList(out, rgFaces.size(), face);
    out += " MeshNormals {\n  " + std::to_string(rgVertices.size()) + ";\n";
    AppendList(out, rgVertices.size(), [&](size_t i) { return vector3(Normalized(rgVertices[i].n)); });
    out += "  " + std::to_string(rgFaces.size()) + ";\n";
    AppendList(out, rgFaces.size(), face);
    out += " }\n MeshTextureCoords {\n  " + std::to_string(rgVertices.size()) + ";\n";
    AppendList(out, rgVertices.size(),
               [&](size_t i) { return Number(rgVertices[i].u) + ";" + Number(rgVertices[i].v) + ";"; });
    out += " }\n MeshMaterialList {\n  " + std::to_string(rgMaterials.size()) + ";\n  " +
           std::to_string(rgFaces.size()) + ";\n";
    AppendList(out, rgFaces.size(), [&](size_t i) { return std::to_string(rgFaces[i].material); });
    for (const XMaterial& material : rgMaterials)
        AppendMaterial(out, material);
    out += " }\n}\n";
    // An even size leaves no pad byte in the archive for the X parser to trip on.
    if (out.size() % 2)
        out += "\n";
    return out;
}

void MeshBuilder::Write(const std::string& path, const std::string& meshName) const
{
    std::ofstream out(path, std::ios::binary);
    out << ToText(meshName);
    if (!out)
        throw std::runtime_error("cannot write " + path);
}
