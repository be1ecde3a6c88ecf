#pragma once
#include <cstdint>
#include <vector>
#include "platform/video/MGLProgram.h"
#include "platform/mesh/MMaterial.h"
#include "platform/mesh/MVertex.h"
#include "platform/math/MVector3.h"

class MMatrix;

// The lit mesh pipeline: one directional light, per-vertex diffuse, ambient
// and specular terms as Direct3D 9 computes them, modulated by a texture.
class MMeshShader {
public:
    struct Light {
        MVector3 direction; // world space, the way the light shines
        float diffuse[4];
        float specular[4];
        float ambient[4];
    };

    MMeshShader() = default;
    ~MMeshShader();
    MMeshShader(const MMeshShader&) = delete;
    MMeshShader& operator=(const MMeshShader&) = delete;

    bool Create();
    void SetLight(const Light& light) { lightWorld = light; }
    void SetMaterial(const MMaterial& material) { current = material; }
    void SetTexture(uint32_t name) { nTexture = name; }
    void SetLighting(bool on) { fLighting = on; }
    void SetSpecular(bool on) { fSpecular = on; }

    uint32_t CreateBuffer(const MVertex* vertices, uint32_t vertexCount, const uint32_t* indices,
                          uint32_t indexCount);
    void DeleteBuffer(uint32_t buffer);
    // Draws indexed triangles of a buffer with these transforms.
    void Draw(uint32_t buffer, uint32_t firstIndex, uint32_t indexCount, const MMatrix& world, const MMatrix& view,
              const MMatrix& projection);

private:
    struct Buffer {
        uint32_t vao = 0;
        uint32_t vbo = 0;
        uint32_t ibo = 0;
        uint32_t indexCount = 0;
    };
    enum Uniform {
        kWorldView, kProjection, kNormalMatrix, kLighting, kSpecular, kLightDir, kLightDiffuse,
        kLightSpecular, kLightAmbient, kDiffuse, kAmbient, kSpecularColour, kEmissive, kPower,
        kTextured, kTexture, kUniformCount
    };
    void Upload(const MMatrix& world, const MMatrix& view, const MMatrix& projection);
    void UploadMaterial();

    MGLProgram program;
    int32_t rgUniforms[kUniformCount] = {};
    std::vector<Buffer> rgBuffers;
    Light lightWorld{};
    MMaterial current;
    uint32_t nTexture = 0;
    bool fLighting = true;
    bool fSpecular = false;
};
