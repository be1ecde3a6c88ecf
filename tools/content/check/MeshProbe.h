#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// A mesh read from X data with Assimp, independently of the game's loader:
// how many triangles it has.
class MeshProbe {
public:
    // Throws std::runtime_error with Assimp's message when the data is refused.
    explicit MeshProbe(const std::vector<uint8_t>& xData);

    size_t TriangleCount() const { return nTriangles; }

private:
    size_t nTriangles = 0;
};
