#pragma once

// One mesh vertex: position, normal, texture coordinate.
struct MVertex {
    float x, y, z;
    float nx, ny, nz;
    float u, v;
};
