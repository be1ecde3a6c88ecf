#pragma once
#include <cstdint>

class CFileIFF;
class CSprite;

// A numbered set of sprites loaded together from one 'anim' chunk.
class CSpriteArray {
public:
    // Reads the next 'anim' chunk; null when Load fails, throws on file errors.
    static CSpriteArray* LoadFrom(CFileIFF* file, int32_t fTexture);

    explicit CSpriteArray(int32_t nSlots);
    virtual ~CSpriteArray();
    CSpriteArray(const CSpriteArray&) = delete;
    CSpriteArray& operator=(const CSpriteArray&) = delete;

    // Reads count sprites; 0, or 3 when the slots cannot grow.
    virtual int32_t Load(CFileIFF* file, int32_t count, int32_t fTexture);

    // Stores sprite at index i (owned), growing the slots; 0 or 3.
    int32_t Store(int32_t i, CSprite* sprite);
    // The sprite at i, or null beyond the slots.
    CSprite* Get(int32_t i) const;

    // New slot count needed to store index i into nSlots slots.
    static int32_t GrownSlots(int32_t nSlots, int32_t i);

    CSprite** ppSprites = nullptr;
    int32_t nSlots = 0;
    int32_t nCount = 0;

private:
    bool Grow(int32_t nNewSlots);
    // Destroys every sprite and frees the slots.
    void Clear();
};
