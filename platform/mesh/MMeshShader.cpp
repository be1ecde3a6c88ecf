#include "platform/mesh/MMeshShader.h"

#include "platform/math/MMatrix.h"

#include <SDL.h>
#include <cmath>
#include <cstddef>
#include <epoxy/gl.h>

namespace {

const char* const kVertexSource = R"(#version 330 core
layout(location = 0) in vec3 aPos;
layout(location = 1) in vec3 aNormal;
layout(location = 2) in vec2 aUV;
uniform mat4 uWorldView;
uniform mat4 uProjection;
uniform mat3 uNormalMatrix;
uniform bool uLighting;
uniform bool uSpecular;
uniform vec3 uLightDir;
uniform vec4 uLightDiffuse;
uniform vec4 uLightSpecular;
uniform vec4 uLightAmbient;
uniform vec4 uDiffuse;
uniform vec4 uAmbient;
uniform vec4 uSpecularColour;
uniform vec4 uEmissive;
uniform float uPower;
out vec4 vDiffuse;
out vec3 vSpecular;
out vec2 vUV;
void main()
{
    vec4 p = uWorldView * vec4(aPos, 1.0);
    vec4 c = uProjection * p;
    gl_Position = vec4(c.x, c.y, 2.0 * c.z - c.w, c.w);
    vUV = aUV;
    vSpecular = vec3(0.0);
    if (!uLighting) {
        vDiffuse = vec4(1.0);
        return;
    }
    vec3 n = uNormalMatrix * aNormal;
    float len = length(n);
    n = len > 0.0 ? n / len : vec3(0.0);
    vec3 toLight = -uLightDir;
    float nl = max(dot(n, toLight), 0.0);
    vec3 colour = uEmissive.rgb + uAmbient.rgb * uLightAmbient.rgb + uDiffuse.rgb * uLightDiffuse.rgb * nl;
    vDiffuse = vec4(clamp(colour, 0.0, 1.0), uDiffuse.a);
    if (uSpecular && nl > 0.0) {
        vec3 h = normalize(normalize(-p.xyz) + toLight);
        float nh = max(dot(n, h), 0.0);
        float f = uPower > 0.0 ? pow(nh, uPower) : 1.0;
        vSpecular = clamp(uSpecularColour.rgb * uLightSpecular.rgb * f, 0.0, 1.0);
    }
}
)";

const char* const kFragmentSource = R"(#version 330 core
in vec4 vDiffuse;
in vec3 vSpecular;
in vec2 vUV;
uniform sampler2D uTexture;
uniform bool uTextured;
out vec4 oColour;
void main()
{
    vec4 t = uTextured ? texture(uTexture, vUV) : vec4(1.0);
    oColour = vec4(t.rgb * vDiffuse.rgb + vSpecular, t.a * vDiffuse.a);
}
)";

// In the order of the Uniform enumeration.
const char* const kUniformNames[] = {"uWorldView", "uProjection", "uNormalMatrix", "uLighting", "uSpecular",
                                     "uLightDir", "uLightDiffuse", "uLightSpecular", "uLightAmbient",
                                     "uDiffuse", "uAmbient", "uSpecularColour", "uEmissive", "uPower",
                                     "uTextured", "uTexture"};

// The normal matrix of m's upper 3 x 3 (inverse transpose), row-major; a
// singular one (a flattening shadow) is kept as it is.
void NormalMatrix(const float m[16], float out[9])
{
    const float a = m[0], b = m[1], c = m[2], d = m[4], e = m[5], f = m[6], g = m[8], h = m[9], i = m[10];
    const float cof[9] = {e * i - f * h, f * g - d * i, d * h - e * g, c * h - b * i, a * i - c * g,
                          b * g - a * h, b * f - c * e, c * d - a * f, a * e - b * d};
    const float det = a * cof[0] + b * cof[1] + c * cof[2];
    if (std::fabs(det) < 1e-12f) {
        const float same[9] = {a, b, c, d, e, f, g, h, i};
        for (int k = 0; k < 9; ++k)
            out[k] = same[k];
        return;
    }
    for (int k = 0; k < 9; ++k)
        out[k] = cof[k] / det;
}

} // namespace

MMeshShader::~MMeshShader()
{
    if (!SDL_GL_GetCurrentContext())
        return;
    for (uint32_t i = 0; i < rgBuffers.size(); ++i)
        DeleteBuffer(i + 1);
}

bool MMeshShader::Create()
{
    if (!program.Build(kVertexSource, kFragmentSource))
        return false;
    for (int i = 0; i < kUniformCount; ++i)
        rgUniforms[i] = program.Uniform(kUniformNames[i]);
    return true;
}

uint32_t MMeshShader::CreateBuffer(const MVertex* vertices, uint32_t vertexCount, const uint32_t* indices,
                                   uint32_t indexCount)
{
    if (!vertices || !indices || vertexCount == 0 || indexCount == 0)
        return 0;
    Buffer b;
    b.indexCount = indexCount;
    glGenVertexArrays(1, &b.vao);
    glBindVertexArray(b.vao);
    glGenBuffers(1, &b.vbo);
    glBindBuffer(GL_ARRAY_BUFFER, b.vbo);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(vertexCount * sizeof(MVertex)), vertices, GL_STATIC_DRAW);
    glGenBuffers(1, &b.ibo);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, b.ibo);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indexCount * sizeof(uint32_t)), indices, GL_STATIC_DRAW);
    const GLsizei stride = sizeof(MVertex);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(offsetof(MVertex, x)));
    glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(offsetof(MVertex, nx)));
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(offsetof(MVertex, u)));
    for (GLuint i = 0; i < 3; ++i)
        glEnableVertexAttribArray(i);
    glBindVertexArray(0);
    for (uint32_t i = 0; i < rgBuffers.size(); ++i)
        if (rgBuffers[i].vao == 0) {
            rgBuffers[i] = b;
            return i + 1;
        }
    rgBuffers.push_back(b);
    return uint32_t(rgBuffers.size());
}

void MMeshShader::DeleteBuffer(uint32_t buffer)
{
    if (buffer == 0 || buffer > rgBuffers.size())
        return;
    Buffer& b = rgBuffers[buffer - 1];
    glDeleteBuffers(1, &b.vbo);
    glDeleteBuffers(1, &b.ibo);
    glDeleteVertexArrays(1, &b.vao);
    b = Buffer{};
}

void MMeshShader::Draw(uint32_t buffer, uint32_t firstIndex, uint32_t indexCount, const MMatrix& world,
                       const MMatrix& view, const MMatrix& projection)
{
    if (buffer == 0 || buffer > rgBuffers.size() || rgBuffers[buffer - 1].vao == 0)
        return;
    const Buffer& b = rgBuffers[buffer - 1];
    if (firstIndex >= b.indexCount)
        return;
    if (indexCount > b.indexCount - firstIndex)
        indexCount = b.indexCount - firstIndex;
    program.Use();
    Upload(world, view, projection);
    glBindVertexArray(b.vao);
    glDrawElements(GL_TRIANGLES, GLsizei(indexCount), GL_UNSIGNED_INT,
                   reinterpret_cast<void*>(size_t(firstIndex) * sizeof(uint32_t)));
    glBindVertexArray(0);
}

void MMeshShader::Upload(const MMatrix& world, const MMatrix& view, const MMatrix& projection)
{
    MMatrix worldView;
    worldView.SetProduct(world, view);
    float normal[9];
    NormalMatrix(worldView.Data(), normal);
    // Row-major row-vector matrices read as column-major are already the
    // column-vector matrices the shader multiplies with.
    glUniformMatrix4fv(rgUniforms[kWorldView], 1, GL_FALSE, worldView.Data());
    glUniformMatrix4fv(rgUniforms[kProjection], 1, GL_FALSE, projection.Data());
    glUniformMatrix3fv(rgUniforms[kNormalMatrix], 1, GL_FALSE, normal);
    MVector3 dirView;
    dirView.SetTransformNormal(lightWorld.direction, view);
    glUniform3f(rgUniforms[kLightDir], dirView.x, dirView.y, dirView.z);
    glUniform4fv(rgUniforms[kLightDiffuse], 1, lightWorld.diffuse);
    glUniform4fv(rgUniforms[kLightSpecular], 1, lightWorld.specular);
    glUniform4fv(rgUniforms[kLightAmbient], 1, lightWorld.ambient);
    glUniform1i(rgUniforms[kLighting], fLighting);
    glUniform1i(rgUniforms[kSpecular], fSpecular);
    UploadMaterial();
}

void MMeshShader::UploadMaterial()
{
    glUniform4fv(rgUniforms[kDiffuse], 1, current.diffuse);
    glUniform4fv(rgUniforms[kAmbient], 1, current.ambient);
    glUniform4fv(rgUniforms[kSpecularColour], 1, current.specular);
    glUniform4fv(rgUniforms[kEmissive], 1, current.emissive);
    glUniform1f(rgUniforms[kPower], current.power);
    glUniform1i(rgUniforms[kTextured], nTexture != 0);
    glUniform1i(rgUniforms[kTexture], 0);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, nTexture);
}
