#pragma once

// Material colours (r, g, b, a) and specular power, in D3DMATERIAL9 order.
struct MMaterial {
    float diffuse[4] = {1, 1, 1, 1};
    float ambient[4] = {0, 0, 0, 0};
    float specular[4] = {0, 0, 0, 0};
    float emissive[4] = {0, 0, 0, 0};
    float power = 0;
};
