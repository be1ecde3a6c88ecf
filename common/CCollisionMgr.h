#pragma once
#include <cstdint>

class CActor;
class CScene;

// Per-scene actor-against-actor collision pass over the actors drawn this frame.
class CCollisionMgr {
public:
    CCollisionMgr(CScene* pScene, int32_t nWalkMode);
    virtual ~CCollisionMgr() = default;

    void Check();
    void AddDrawn() { ++nDrawnCount; }
    void ResetDrawn() { nDrawnCount = 0; }
    int16_t GetDrawnCount() const { return nDrawnCount; }

private:
    CActor* Start() const;
    CActor* Step(const CActor* pActor) const;
    static bool Pairs(const CActor* a, const CActor* b);
    static void Collide(CActor* a, CActor* b);

    int32_t nWalkMode;      // 0: from the tail (farthest); else from the head
    int16_t nDrawnCount = 0;
    CScene* pScene;
};
