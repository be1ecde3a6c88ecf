#pragma once
#include <cstdint>

class CActor;

// Collision test between two actors by their shape kinds.
class CShape {
public:
    enum Kind : int32_t { kCircle = 0, kRect = 1, kMask = 2 };

    // 1 when a touches b; a null b never does.
    static int32_t Collide(CActor* a, CActor* b);
};
