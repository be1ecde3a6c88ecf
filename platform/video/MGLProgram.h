#pragma once
#include <cstdint>

// A linked OpenGL shader program built from a vertex and a fragment source.
class MGLProgram {
public:
    MGLProgram() = default;
    ~MGLProgram();
    MGLProgram(const MGLProgram&) = delete;
    MGLProgram& operator=(const MGLProgram&) = delete;

    // False when either stage does not compile or the program does not link.
    bool Build(const char* vertexSource, const char* fragmentSource);
    void Use() const;
    int32_t Uniform(const char* name) const;
    uint32_t GetName() const { return nProgram; }

private:
    uint32_t nProgram = 0;
};
