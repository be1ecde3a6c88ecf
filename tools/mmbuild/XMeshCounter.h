#pragma once
#include <string>

// Counts the vertices and faces of the Mesh blocks of a text DirectX X file.
class XMeshCounter {
public:
    // False for binary or unreadable X data.
    static bool Count(const std::string& data, int* meshes, long* vertices, long* faces);
};
