#pragma once
#include <cstdint>

class CActor;
class CScene;

// Per-scene actor-against-actor collision pass over the actors drawn this frame.
class CCollisionMgr {
public:
    // Walk mode 0 starts at the tail (farthest); any other at the head.
    enum : int32_t { WalkFromTail = 0 };
    CCollisionMgr(CScene* pScene, int32_t nWalkMode);
    virtual ~CCollisionMgr() = default;

    void Check();
    void AddDrawn() { ++nDrawnCount; }
    void ResetDrawn() { nDrawnCount = 0; }

private:
    CActor* Start() const;
    CActor* Step(const CActor* pActor) const;
    static bool Pairs(const CActor* a, const CActor* b);
    static void Collide(CActor* a, CActor* b);

    int32_t nWalkMode;
    int16_t nDrawnCount = 0;
    CScene* pScene;
};
