#pragma once
#include "platform/math/MVector3.h"
#include "platform/mesh/MMaterial.h"
#include "platform/mesh/MVertex.h"
#include <cstdint>
#include <memory>
#include <vector>

class MFileMMIO;
class MMatrix;
class MPlane;
class MTexture;
struct aiMesh;

// Screen rectangle a mesh covers: always empty.
struct MMeshBox {
    int32_t nXOffset = 0;
    int32_t nYOffset = 0;
    int32_t nWidth = 0;
    int32_t nHeight = 0;
};

// A mesh read from DirectX X data (text, binary or compressed), in the
// left-handed coordinates of the file. One material and one texture per
// subset, subsets in the order of the file's materials.
// Throws CException (win32/MMesh, 98) when the data cannot be read.
class MMesh {
public:
    // The archive is positioned at a mesh chunk's data; reads the rest of it.
    explicit MMesh(MFileMMIO* pFile);
    MMesh(const void* pData, uint32_t nSize);
    MMesh(const MMesh&) = delete;
    MMesh& operator=(const MMesh&) = delete;
    ~MMesh();

    // Draws every subset with the current transforms.
    // Below an opacity of 1 the mesh is blended over what is drawn.
    void Draw(float fOpacity = 1.0f);
    // Draws the first subset flattened onto the plane along the light as a
    // translucent black shadow; each pixel is darkened once. Leaves the world
    // transform at world × shadow, blending and the stencil test off.
    void DrawShadow(const float vLight[4], const MMatrix& matWorld, const MPlane& plane, float fDarkness = 0.4f);
    // Nearest hit of the ray with either side of any triangle, in the mesh's
    // own coordinates; the distance is in units of the direction's length.
    // Returns 0.
    int32_t Intersect(const MVector3& origin, const MVector3& direction, int32_t* pfHit,
                      float* pfDistance) const;

    uint32_t GetSubsetCount() const { return uint32_t(rgSubsets.size()); }
    const MMaterial& GetMaterial(uint32_t i) const { return rgSubsets[i].material; }
    bool HasTexture(uint32_t i) const { return rgSubsets[i].nTextureWidth != 0; }
    const MMeshBox& GetScreenBox() const { return box; }
    // Digest of the X data the mesh was read from.
    uint64_t GetDigest() const { return nDigest; }
    const std::vector<MVertex>& GetVertices() const { return rgVertices; }
    // Three indices a face, the faces of each subset together, subsets in order.
    const std::vector<uint32_t>& GetIndices() const { return rgIndices; }
    uint32_t GetSubsetFirstIndex(uint32_t i) const { return rgSubsets[i].nFirst; }
    uint32_t GetSubsetIndexCount(uint32_t i) const { return rgSubsets[i].nCount; }

    // Folder searched for texture files that are not in the current folder
    // (the archive's folder).
    static void SetTextureFolder(const char* szFolder);

private:
    struct Subset {
        MMaterial material;
        // Decoded texture (R << 24 | G << 16 | B << 8 | A), kept until the
        // device texture is made at the first draw.
        uint32_t nTextureWidth = 0;
        uint32_t nTextureHeight = 0;
        std::vector<uint32_t> rgPixels;
        std::unique_ptr<MTexture> pTexture;
        uint32_t nFirst = 0;
        uint32_t nCount = 0;
    };
    struct Triangle {
        MVector3 v0, e1, e2; // a corner and the edges from it to the other two
    };
    // Bounding-volume tree over the triangles: a leaf holds count triangles
    // from first; an inner node (count 0) has its children at the next
    // index and at right.
    struct Node {
        float lo[3], hi[3];
        uint32_t first = 0, count = 0, right = 0;
    };

    void Load(const void* pData, uint32_t nSize);
    void BuildTriangles();
    uint32_t BuildNode(uint32_t first, uint32_t count, uint32_t depth);
    void HitLeaf(const Node& node, const MVector3& o, const MVector3& d, bool* hit, float* nearest) const;
    void AppendMesh(const aiMesh* mesh);
    static void LoadTexture(Subset& subset, const char* szName);
    static void CreateTexture(Subset& subset);
    void Upload();
    // Makes the device's copies at the first draw; false without a device.
    bool IsUploaded();
    void DrawSubset(uint32_t i);

    std::vector<Subset> rgSubsets;
    std::vector<MVertex> rgVertices;
    std::vector<uint32_t> rgIndices;
    std::vector<Triangle> rgTriangles;
    std::vector<Node> rgNodes;
    MMeshBox box;
    uint32_t nBuffer = 0; // the device's copy of the triangles; 0 until first drawn
    uint64_t nDigest = 0;
};
