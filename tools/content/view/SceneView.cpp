#include "tools/content/view/SceneView.h"
#include <algorithm>
#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <cmath>
#include <stb_image.h>
#include <stdexcept>

namespace {

// The game's camera after its view matrix is built, and its projection.
constexpr float kEye[3] = {0, -6.1f, -13.44f};
constexpr float kUp[3] = {0, 0.9230769f, -0.3846154f};
constexpr float kLook[3] = {0, 0.3846154f, 0.9230769f};
constexpr float kAspect = 1.33f;
constexpr float kNear = 1.0f;
constexpr float kLightLevel = 0.44f;

float Dot3(const float* a, const float* b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

} // namespace

SceneView::SceneView(int width, int height)
    : picture(width, height, {0, 0, 1, 1}), depth(size_t(width) * size_t(height), INFINITY)
{
}

const SceneView::Texture* SceneView::LoadTexture(const std::string& path)
{
    for (const auto& [name, texture] : textures)
        if (name == path)
            return &texture;
    Texture texture;
    int channels = 0;
    unsigned char* data = stbi_load(path.c_str(), &texture.width, &texture.height, &channels, 4);
    if (!data)
        return nullptr;
    texture.texels.assign(data, data + size_t(texture.width) * size_t(texture.height) * 4);
    stbi_image_free(data);
    textures.emplace_back(path, std::move(texture));
    return &textures.back().second;
}

void SceneView::AddMesh(const std::string& path, const std::string& textureDir, float dx, float dy, float dz)
{
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(path, aiProcess_Triangulate | aiProcess_PreTransformVertices |
                                                       aiProcess_ConvertToLeftHanded);
    if (!scene)
        throw std::runtime_error(path + ": " + importer.GetErrorString());
    const float yScale = 1 / std::tan(0.7853982f / 2), xScale = yScale / kAspect;
    const float w = float(picture.Width()), h = float(picture.Height());
    for (unsigned m = 0; m < scene->mNumMeshes; ++m) {
        const aiMesh* mesh = scene->mMeshes[m];
        const aiMaterial* material = scene->mMaterials[mesh->mMaterialIndex];
        aiColor4D diffuse(1, 1, 1, 1), emissive(0, 0, 0, 0);
        material->Get(AI_MATKEY_COLOR_DIFFUSE, diffuse);
        material->Get(AI_MATKEY_COLOR_EMISSIVE, emissive);
        aiString name;
        const Texture* texture = material->GetTexture(aiTextureType_DIFFUSE, 0, &name) == AI_SUCCESS
                                     ? LoadTexture(textureDir + "/" + name.C_Str())
                                     : nullptr;
        const float kd[3] = {diffuse.r, diffuse.g, diffuse.b}, ke[3] = {emissive.r, emissive.g, emissive.b};
        for (unsigned f = 0; f < mesh->mNumFaces; ++f) {
            Corner corners[3];
            bool visible = true;
            for (int k = 0; k < 3; ++k) {
                unsigned i = mesh->mFaces[f].mIndices[k];
                const aiVector3D& v = mesh->mVertices[i];
                const float rel[3] = {v.x + dx - kEye[0], v.y + dy - kEye[1], v.z + dz - kEye[2]};
                float vx = rel[0], vy = Dot3(rel, kUp), vz = Dot3(rel, kLook);
                visible = visible && vz > kNear;
                float n = mesh->mNormals ? -mesh->mNormals[i].z : 0;
                aiVector3D uv = mesh->mTextureCoords[0] ? mesh->mTextureCoords[0][i] : aiVector3D();
                corners[k] = {(xScale * vx / vz + 1) * 0.5f * w, (1 - yScale * vy / vz) * 0.5f * h, 1 / vz,
                              uv.x, uv.y, kLightLevel + kLightLevel * std::max(0.0f, n)};
            }
            if (visible)
                DrawTriangle(corners, texture, kd, ke);
        }
    }
}

void SceneView::DrawTriangle(const Corner (&c)[3], const Texture* texture, const float diffuse[3],
                             const float emissive[3])
{
    auto edge = [](const Corner& a, const Corner& b, float x, float y) {
        return (b.sx - a.sx) * (y - a.sy) - (b.sy - a.sy) * (x - a.sx);
    };
    float area = edge(c[0], c[1], c[2].sx, c[2].sy);
    if (area <= 0) // counter-clockwise on screen: a back face
        return;
    int x0 = std::max(0, int(std::floor(std::min({c[0].sx, c[1].sx, c[2].sx}))));
    int x1 = std::min(picture.Width() - 1, int(std::ceil(std::max({c[0].sx, c[1].sx, c[2].sx}))));
    int y0 = std::max(0, int(std::floor(std::min({c[0].sy, c[1].sy, c[2].sy}))));
    int y1 = std::min(picture.Height() - 1, int(std::ceil(std::max({c[0].sy, c[1].sy, c[2].sy}))));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            float px = float(x) + 0.5f, py = float(y) + 0.5f;
            float b0 = edge(c[1], c[2], px, py) / area, b1 = edge(c[2], c[0], px, py) / area;
            float b2 = 1 - b0 - b1;
            if (b0 < 0 || b1 < 0 || b2 < 0)
                continue;
            float invZ = b0 * c[0].invZ + b1 * c[1].invZ + b2 * c[2].invZ;
            float& stored = depth[size_t(y) * size_t(picture.Width()) + size_t(x)];
            if (1 / invZ >= stored)
                continue;
            stored = 1 / invZ;
            auto lerp = [&](float Corner::*field) {
                return (b0 * c[0].*field * c[0].invZ + b1 * c[1].*field * c[1].invZ + b2 * c[2].*field * c[2].invZ) /
                       invZ;
            };
            float light = lerp(&Corner::light);
            float t[3] = {1, 1, 1};
            if (texture) {
                float u = lerp(&Corner::u), v = lerp(&Corner::v);
                int tx = int(std::floor((u - std::floor(u)) * float(texture->width))) % texture->width;
                int ty = int(std::floor((v - std::floor(v)) * float(texture->height))) % texture->height;
                const unsigned char* p = &texture->texels[(size_t(ty) * size_t(texture->width) + size_t(tx)) * 4];
                for (int k = 0; k < 3; ++k)
                    t[k] = float(p[k]) / 255.0f;
            }
            picture.At(x, y) = {std::min(1.0f, t[0] * (diffuse[0] * light + emissive[0])),
                                std::min(1.0f, t[1] * (diffuse[1] * light + emissive[1])),
                                std::min(1.0f, t[2] * (diffuse[2] * light + emissive[2])), 1};
        }
}

void SceneView::AddSprite(const std::string& path, int x, int y)
{
    int width = 0, height = 0, channels = 0;
    unsigned char* data = stbi_load(path.c_str(), &width, &height, &channels, 4);
    if (!data)
        throw std::runtime_error("cannot read " + path);
    for (int j = 0; j < height; ++j)
        for (int i = 0; i < width; ++i) {
            const unsigned char* p = &data[(size_t(j) * size_t(width) + size_t(i)) * 4];
            picture.Blend(x + i, y + j, {p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f, 1}, p[3] / 255.0f);
        }
    stbi_image_free(data);
}
