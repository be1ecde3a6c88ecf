#include "tools/content/check/MeshProbe.h"
#include <algorithm>
#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <cmath>
#include <stdexcept>

MeshProbe::MeshProbe(const std::vector<uint8_t>& xData)
{
    Assimp::Importer importer;
    const unsigned flags = aiProcess_Triangulate | aiProcess_PreTransformVertices | aiProcess_ConvertToLeftHanded |
                           aiProcess_ValidateDataStructure;
    const aiScene* scene = importer.ReadFileFromMemory(xData.data(), xData.size(), flags, "x");
    if (!scene)
        throw std::runtime_error(importer.GetErrorString());
    std::fill(rgBounds, rgBounds + 3, INFINITY);
    std::fill(rgBounds + 3, rgBounds + 6, -INFINITY);
    for (unsigned m = 0; m < scene->mNumMeshes; ++m) {
        const aiMesh* mesh = scene->mMeshes[m];
        for (unsigned f = 0; f < mesh->mNumFaces; ++f) {
            const aiFace& face = mesh->mFaces[f];
            if (face.mNumIndices != 3)
                continue;
            for (unsigned k = 0; k < 3; ++k) {
                const aiVector3D& v = mesh->mVertices[face.mIndices[k]];
                const float xyz[3] = {v.x, v.y, v.z};
                for (int a = 0; a < 3; ++a) {
                    rgTriangles.push_back(xyz[a]);
                    rgBounds[a] = std::min(rgBounds[a], xyz[a]);
                    rgBounds[3 + a] = std::max(rgBounds[3 + a], xyz[a]);
                }
            }
        }
    }
    for (unsigned i = 0; i < scene->mNumMaterials; ++i) {
        aiString name;
        if (scene->mMaterials[i]->GetTexture(aiTextureType_DIFFUSE, 0, &name) == AI_SUCCESS)
            rgTextures.emplace_back(name.C_Str());
    }
}

// Moeller-Trumbore, without culling.
std::optional<float> MeshProbe::Hit(float ox, float oy, float oz, float dx, float dy, float dz) const
{
    std::optional<float> nearest;
    for (size_t i = 0; i + 9 <= rgTriangles.size(); i += 9) {
        const float* t = &rgTriangles[i];
        float e1[3] = {t[3] - t[0], t[4] - t[1], t[5] - t[2]};
        float e2[3] = {t[6] - t[0], t[7] - t[1], t[8] - t[2]};
        float p[3] = {dy * e2[2] - dz * e2[1], dz * e2[0] - dx * e2[2], dx * e2[1] - dy * e2[0]};
        float det = e1[0] * p[0] + e1[1] * p[1] + e1[2] * p[2];
        if (std::fabs(det) < 1e-9f)
            continue;
        float inv = 1 / det;
        float s[3] = {ox - t[0], oy - t[1], oz - t[2]};
        float u = (s[0] * p[0] + s[1] * p[1] + s[2] * p[2]) * inv;
        if (u < 0 || u > 1)
            continue;
        float q[3] = {s[1] * e1[2] - s[2] * e1[1], s[2] * e1[0] - s[0] * e1[2], s[0] * e1[1] - s[1] * e1[0]};
        float v = (dx * q[0] + dy * q[1] + dz * q[2]) * inv;
        if (v < 0 || u + v > 1)
            continue;
        float d = (e2[0] * q[0] + e2[1] * q[1] + e2[2] * q[2]) * inv;
        if (d >= 0 && (!nearest || d < *nearest))
            nearest = d;
    }
    return nearest;
}
