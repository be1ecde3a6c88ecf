#include "platform/mesh/MMesh.h"
#include "base/CException.h"
#include "base/Digest.h"
#include "platform/video/MDeviceManager.h"
#include "platform/io/MFileMMIO.h"
#include "platform/video/Image.h"
#include "platform/video/MGLTexture.h"
#include "platform/math/MMatrix.h"
#include "platform/math/MPlane.h"
#include "platform/video/MPixelConverter.h"
#include "platform/video/MTexture.h"
#include "platform/mesh/MXCheck.h"
#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <epoxy/gl.h>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

namespace {

const char* const kSource = "win32/MMesh";
constexpr uint32_t kRejected = 98;

// The file's own left-handed data: positions, normals, winding and texture
// coordinates as written, frame transforms applied. The faces are the
// file's own triangles: the data check lets no other face through.
constexpr unsigned kImportFlags = aiProcess_PreTransformVertices | aiProcess_ConvertToLeftHanded |
                                  aiProcess_GenNormals | aiProcess_ValidateDataStructure;

std::string sTextureFolder;

void CopyColour(const aiMaterial* source, const char* key, unsigned type, unsigned index, float out[4])
{
    aiColor4D c(0, 0, 0, 1);
    source->Get(key, type, index, c);
    out[0] = c.r;
    out[1] = c.g;
    out[2] = c.b;
    out[3] = c.a;
}

MMaterial ConvertMaterial(const aiMaterial* source)
{
    MMaterial m;
    CopyColour(source, AI_MATKEY_COLOR_DIFFUSE, m.diffuse);
    CopyColour(source, AI_MATKEY_COLOR_SPECULAR, m.specular);
    CopyColour(source, AI_MATKEY_COLOR_EMISSIVE, m.emissive);
    std::copy(m.diffuse, m.diffuse + 4, m.ambient);
    source->Get(AI_MATKEY_SHININESS, m.power);
    return m;
}

MVertex ConvertVertex(const aiMesh* mesh, unsigned i)
{
    MVertex v{};
    v.x = mesh->mVertices[i].x;
    v.y = mesh->mVertices[i].y;
    v.z = mesh->mVertices[i].z;
    if (mesh->HasNormals()) {
        v.nx = mesh->mNormals[i].x;
        v.ny = mesh->mNormals[i].y;
        v.nz = mesh->mNormals[i].z;
    }
    if (mesh->HasTextureCoords(0)) {
        v.u = mesh->mTextureCoords[0][i].x;
        v.v = mesh->mTextureCoords[0][i].y;
    }
    return v;
}

MVector3 Position(const MVertex& v) { return MVector3(v.x, v.y, v.z); }

constexpr uint32_t kLeafSize = 4;
constexpr uint32_t kMaxDepth = 48;
constexpr float kBoxMargin = 1e-5f; // boxes a little larger than their triangles

// Whether the ray meets the box between 0 and tMax.
bool RayMeetsBox(const float lo[3], const float hi[3], const MVector3& o, const MVector3& d, float tMax)
{
    float tMin = 0.0f;
    for (int k = 0; k < 3; ++k) {
        if (d[k] == 0.0f) {
            if (o[k] < lo[k] || o[k] > hi[k])
                return false;
            continue;
        }
        const float inv = 1.0f / d[k];
        float t0 = (lo[k] - o[k]) * inv, t1 = (hi[k] - o[k]) * inv;
        if (t0 > t1)
            std::swap(t0, t1);
        tMin = std::max(tMin, t0);
        tMax = std::min(tMax, t1);
        if (tMin > tMax)
            return false;
    }
    return true;
}

} // namespace

MMesh::MMesh(MFileMMIO* pFile)
{
    const int32_t n = pFile->GetRemaining();
    std::vector<uint8_t> data(size_t(std::max(n, 0)));
    pFile->Read(data.data(), int32_t(data.size()));
    Load(data.data(), uint32_t(data.size()));
}

MMesh::MMesh(const void* pData, uint32_t nSize) { Load(pData, nSize); }

MMesh::~MMesh()
{
    if (nBuffer != 0)
        GetDeviceManager()->DeleteVertexBuffer(nBuffer);
}

void MMesh::SetTextureFolder(const char* szFolder)
{
    sTextureFolder = szFolder ? szFolder : "";
    std::replace(sTextureFolder.begin(), sTextureFolder.end(), '\\', '/');
}

void MMesh::Load(const void* pData, uint32_t nSize)
{
    std::vector<uint8_t> plain;
    if (!MXCheck::Prepare(static_cast<const uint8_t*>(pData), nSize, &plain))
        throw CException(kSource, kRejected);
    nDigest = Digest64(static_cast<const uint8_t*>(pData), nSize);
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFileFromMemory(plain.data(), plain.size(), kImportFlags, "x");
    if (scene == nullptr || scene->mNumMaterials == 0)
        throw CException(kSource, kRejected);

    rgSubsets.resize(scene->mNumMaterials);
    for (unsigned m = 0; m < scene->mNumMaterials; ++m) {
        rgSubsets[m].material = ConvertMaterial(scene->mMaterials[m]);
        aiString name;
        if (scene->mMaterials[m]->GetTexture(aiTextureType_DIFFUSE, 0, &name) == aiReturn_SUCCESS)
            LoadTexture(rgSubsets[m], name.C_Str());
    }
    for (unsigned m = 0; m < scene->mNumMaterials; ++m) {
        rgSubsets[m].nFirst = uint32_t(rgIndices.size());
        for (unsigned i = 0; i < scene->mNumMeshes; ++i)
            if (scene->mMeshes[i]->mMaterialIndex == m)
                AppendMesh(scene->mMeshes[i]);
        rgSubsets[m].nCount = uint32_t(rgIndices.size()) - rgSubsets[m].nFirst;
    }
    BuildTriangles();
}

void MMesh::AppendMesh(const aiMesh* mesh)
{
    const uint32_t base = uint32_t(rgVertices.size());
    for (unsigned v = 0; v < mesh->mNumVertices; ++v) {
        const aiVector3D& p = mesh->mVertices[v];
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z))
            throw CException(kSource, kRejected); // no place to hit or draw
        rgVertices.push_back(ConvertVertex(mesh, v));
    }
    for (unsigned f = 0; f < mesh->mNumFaces; ++f) {
        const aiFace& face = mesh->mFaces[f];
        if (face.mNumIndices != 3) // a face the importer cut short
            throw CException(kSource, kRejected);
        for (unsigned k = 0; k < 3; ++k) {
            if (face.mIndices[k] >= mesh->mNumVertices)
                throw CException(kSource, kRejected);
            rgIndices.push_back(base + face.mIndices[k]);
        }
    }
}

void MMesh::LoadTexture(Subset& subset, const char* szName)
{
    std::string name(szName);
    std::replace(name.begin(), name.end(), '\\', '/');
    if (name.empty())
        return;
    Image picture;
    if (!picture.LoadFile(name.c_str(), 0) &&
        (sTextureFolder.empty() || !picture.LoadFile((sTextureFolder + "/" + name).c_str(), 0)))
        return;
    subset.nTextureWidth = picture.nWidth;
    subset.nTextureHeight = picture.nHeight;
    subset.rgPixels.assign(picture.GetPixels(), picture.GetPixels() + size_t(picture.nWidth) * picture.nHeight);
}

// The device texture, the picture stretched over its power-of-two size,
// sampled linearly and repeated.
void MMesh::CreateTexture(Subset& subset)
{
    auto texture = std::make_unique<MTexture>(subset.nTextureWidth, subset.nTextureHeight);
    int32_t pitch = 0;
    auto* bits = static_cast<uint8_t*>(texture->Lock(nullptr, &pitch, 0));
    if (bits == nullptr)
        return;
    const uint32_t w = texture->GetWidth(), h = texture->GetHeight();
    const int32_t depth = GetDeviceManager()->GetBitsPerPixel();
    const int32_t bytes = MGLTexture::BytesPerTexel(texture->GetFormat());
    for (uint32_t y = 0; y < h; ++y) {
        const uint32_t* row = &subset.rgPixels[size_t(y * subset.nTextureHeight / h) * subset.nTextureWidth];
        for (uint32_t x = 0; x < w; ++x) {
            const uint32_t texel = MPixelConverter::Convert(row[x * subset.nTextureWidth / w], depth,
                                                            texture->GetFormat(), MPixelConverter::Target::kTexture);
            uint8_t* out = bits + size_t(y) * size_t(pitch) + size_t(x) * size_t(bytes);
            const uint16_t texel16 = uint16_t(texel);
            std::memcpy(out, bytes == 4 ? static_cast<const void*>(&texel) : &texel16, size_t(bytes));
        }
    }
    texture->UnLock(0);
    glBindTexture(GL_TEXTURE_2D, texture->GetGLTexture().GetName());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    subset.pTexture = std::move(texture);
    subset.rgPixels = {};
}

void MMesh::Upload()
{
    MDeviceManager* device = GetDeviceManager();
    if (!device->HasDevice())
        return;
    nBuffer = device->CreateVertexBuffer(rgVertices.data(), uint32_t(rgVertices.size()), rgIndices.data(),
                                         uint32_t(rgIndices.size()));
    for (Subset& subset : rgSubsets)
        if (!subset.rgPixels.empty())
            CreateTexture(subset);
}

bool MMesh::IsUploaded()
{
    if (nBuffer == 0)
        Upload();
    return nBuffer != 0;
}

void MMesh::DrawSubset(uint32_t i)
{
    GetDeviceManager()->DrawTriangles(nBuffer, rgSubsets[i].nFirst, rgSubsets[i].nCount);
}

void MMesh::Draw(float fOpacity)
{
    MDeviceManager* device = GetDeviceManager();
    if (!IsUploaded())
        return;
    const bool blend = fOpacity < 1.0f;
    if (blend)
        device->SetRenderState(MRenderState::AlphaBlend, true);
    for (uint32_t i = 0; i < rgSubsets.size(); ++i) {
        MMaterial material = rgSubsets[i].material;
        material.diffuse[3] *= fOpacity;
        device->SetMaterial(material);
        device->SetTexture(rgSubsets[i].pTexture.get());
        device->SetRenderState(MRenderState::ZEnable, true);
        device->SetRenderState(MRenderState::Cull, true);
        device->SetRenderState(MRenderState::Lighting, true);
        device->SetRenderState(MRenderState::Specular, true);
        DrawSubset(i);
    }
    if (blend)
        device->SetRenderState(MRenderState::AlphaBlend, false);
}

void MMesh::DrawShadow(const float vLight[4], const MMatrix& matWorld, const MPlane& plane, float fDarkness)
{
    MDeviceManager* device = GetDeviceManager();
    if (!IsUploaded())
        return;
    device->ClearStencil();
    device->SetRenderState(MRenderState::StencilShadow, true);
    MMatrix shadow;
    shadow.SetShadow(vLight, plane);
    shadow.SetProduct(matWorld, shadow);
    device->SetWorldTransform(shadow);
    device->SetRenderState(MRenderState::AlphaBlend, true);
    MMaterial black;
    const float opaqueBlack[4] = {0, 0, 0, 1};
    for (float* colour : {black.diffuse, black.ambient, black.specular, black.emissive})
        std::copy(opaqueBlack, opaqueBlack + 4, colour);
    black.diffuse[3] = fDarkness;
    device->SetMaterial(black);
    device->SetTexture(nullptr);
    DrawSubset(0);
    device->SetRenderState(MRenderState::AlphaBlend, false);
    device->SetRenderState(MRenderState::StencilShadow, false);
}

void MMesh::BuildTriangles()
{
    rgTriangles.resize(rgIndices.size() / 3);
    for (size_t t = 0; t < rgTriangles.size(); ++t) {
        const MVector3 p0 = Position(rgVertices[rgIndices[3 * t]]);
        Triangle& tri = rgTriangles[t];
        tri.v0 = p0;
        tri.e1 = Position(rgVertices[rgIndices[3 * t + 1]]) - p0;
        tri.e2 = Position(rgVertices[rgIndices[3 * t + 2]]) - p0;
    }
    rgNodes.clear();
    if (!rgTriangles.empty())
        BuildNode(0, uint32_t(rgTriangles.size()), 0);
}

// Splits the triangles at the median of their centres along the box's
// longest side until a leaf holds a few.
uint32_t MMesh::BuildNode(uint32_t first, uint32_t count, uint32_t depth)
{
    const uint32_t index = uint32_t(rgNodes.size());
    rgNodes.emplace_back();
    Node node;
    std::fill(node.lo, node.lo + 3, INFINITY);
    std::fill(node.hi, node.hi + 3, -INFINITY);
    for (uint32_t t = first; t < first + count; ++t)
        for (int k = 0; k < 3; ++k) {
            const Triangle& tri = rgTriangles[t];
            const float v0 = tri.v0[k], v1 = v0 + tri.e1[k], v2 = v0 + tri.e2[k];
            node.lo[k] = std::min({node.lo[k], v0, v1, v2}) - kBoxMargin;
            node.hi[k] = std::max({node.hi[k], v0, v1, v2}) + kBoxMargin;
        }
    if (count <= kLeafSize || depth >= kMaxDepth) {
        node.first = first;
        node.count = count;
        rgNodes[index] = node;
        return index;
    }
    int axis = 0;
    for (int k = 1; k < 3; ++k)
        if (node.hi[k] - node.lo[k] > node.hi[axis] - node.lo[axis])
            axis = k;
    const auto centre = [axis](const Triangle& tri) { return 3 * tri.v0[axis] + tri.e1[axis] + tri.e2[axis]; };
    const auto begin = rgTriangles.begin() + first;
    std::nth_element(begin, begin + count / 2, begin + count,
                     [&](const Triangle& x, const Triangle& y) { return centre(x) < centre(y); });
    BuildNode(first, count / 2, depth + 1);
    node.right = BuildNode(first + count / 2, count - count / 2, depth + 1);
    rgNodes[index] = node;
    return index;
}

void MMesh::HitLeaf(const Node& node, const MVector3& o, const MVector3& d, bool* hit, float* nearest) const
{
    for (uint32_t i = node.first; i < node.first + node.count; ++i) {
        const Triangle& tri = rgTriangles[i];
        const MVector3 p = d.Cross(tri.e2);
        const float det = tri.e1.Dot(p);
        if (det == 0.0f)
            continue; // the ray runs parallel to the triangle
        const float inv = 1.0f / det;
        const MVector3 s = o - tri.v0;
        const float u = s.Dot(p) * inv;
        if (u < 0.0f || u > 1.0f)
            continue;
        const MVector3 q = s.Cross(tri.e1);
        const float v = d.Dot(q) * inv;
        if (v < 0.0f || u + v > 1.0f)
            continue;
        const float t = tri.e2.Dot(q) * inv;
        if (t >= 0.0f && (!*hit || t < *nearest)) {
            *hit = true;
            *nearest = t;
        }
    }
}

int32_t MMesh::Intersect(const MVector3& origin, const MVector3& direction, int32_t* pfHit,
                         float* pfDistance) const
{
    bool hit = false;
    float nearest = 0.0f;
    uint32_t stack[kMaxDepth + 2];
    uint32_t top = 0;
    if (!rgNodes.empty())
        stack[top++] = 0;
    while (top > 0) {
        const uint32_t index = stack[--top];
        const Node& node = rgNodes[index];
        if (!RayMeetsBox(node.lo, node.hi, origin, direction, hit ? nearest : INFINITY))
            continue;
        if (node.count > 0) {
            HitLeaf(node, origin, direction, &hit, &nearest);
        } else {
            stack[top++] = node.right;
            stack[top++] = index + 1;
        }
    }
    *pfHit = hit ? 1 : 0;
    *pfDistance = nearest;
    return 0;
}
