#pragma once
#include "tools/content/Raster.h"
#include <string>
#include <vector>

// A software picture of the meshes from the game's camera (no shadows), for
// judging the content without the game: z-buffer, Direct3D's culling of
// counter-clockwise faces, one directional light down the z axis.
class SceneView {
public:
    SceneView(int width, int height);

    // Adds an X file, moved by (dx, dy, dz); textures are looked up in textureDir.
    void AddMesh(const std::string& path, const std::string& textureDir, float dx, float dy, float dz);
    // Lays a TGA sprite over the picture with its top-left corner at (x, y).
    void AddSprite(const std::string& path, int x, int y);
    const Raster& Picture() const { return picture; }

private:
    struct Texture {
        int width = 0, height = 0;
        std::vector<unsigned char> texels;
    };
    struct Corner {
        float sx, sy, invZ, u, v, light;
    };

    void DrawTriangle(const Corner (&c)[3], const Texture* texture, const float diffuse[3], const float emissive[3]);
    const Texture* LoadTexture(const std::string& path);

    Raster picture;
    std::vector<float> depth;
    std::vector<std::pair<std::string, Texture>> textures;
};
