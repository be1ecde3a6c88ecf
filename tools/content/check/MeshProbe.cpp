#include "tools/content/check/MeshProbe.h"
#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <stdexcept>

MeshProbe::MeshProbe(const std::vector<uint8_t>& xData)
{
    Assimp::Importer importer;
    const unsigned flags = aiProcess_Triangulate | aiProcess_PreTransformVertices | aiProcess_ValidateDataStructure;
    const aiScene* scene = importer.ReadFileFromMemory(xData.data(), xData.size(), flags, "x");
    if (!scene)
        throw std::runtime_error(importer.GetErrorString());
    for (unsigned m = 0; m < scene->mNumMeshes; ++m)
        for (unsigned f = 0; f < scene->mMeshes[m]->mNumFaces; ++f)
            nTriangles += scene->mMeshes[m]->mFaces[f].mNumIndices == 3;
}
