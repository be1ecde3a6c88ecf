#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct aiScene;

// A mesh read from X data with Assimp, in the file's own left-handed
// coordinates, answering ray tests the way the game asks them.
class MeshProbe {
public:
    // Throws std::runtime_error with Assimp's message when the data is refused.
    explicit MeshProbe(const std::vector<uint8_t>& xData);

    // Distance along the (unit) direction to the nearest triangle, either side.
    std::optional<float> Hit(float ox, float oy, float oz, float dx, float dy, float dz) const;

    size_t TriangleCount() const { return rgTriangles.size() / 9; }
    // Texture file names of the materials that have one.
    const std::vector<std::string>& Textures() const { return rgTextures; }
    // Bounds of all vertices: min x, y, z then max x, y, z.
    const float* Bounds() const { return rgBounds; }

private:
    std::vector<float> rgTriangles; // nine floats a triangle
    std::vector<std::string> rgTextures;
    float rgBounds[6] = {0, 0, 0, 0, 0, 0};
};
