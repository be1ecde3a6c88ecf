#include "common/assets/CSpriteArray.h"
#include <memory>
#include <new>
#include "base/CException.h"
#include "common/assets/CFileIFF.h"
#include "common/assets/CSprite.h"

namespace {
constexpr const char* kSource = "common/CSpriteA";
// The least a sprite takes in the file: its chunk header and an image header.
constexpr int32_t kMinSpriteBytes = 8 + 18;
} // namespace

CSpriteArray::CSpriteArray(int32_t nSlots)
{
    if (nSlots <= 0)
        return;
    ppSprites = new (std::nothrow) CSprite*[nSlots]();
    if (ppSprites)
        this->nSlots = nSlots;
}

CSpriteArray::~CSpriteArray()
{
    Clear();
}

CSpriteArray* CSpriteArray::LoadFrom(CFileIFF* file, int32_t fTexture)
{
    ChunkHeader header;
    file->Descend(&header);
    if (header.id != ChunkId("anim"))
        throw CFileException(kSource, 100);
    uint32_t count = 0;
    file->ReadLong(&count);
    // Never trust the count: each sprite needs room in the chunk.
    if (count > uint32_t(file->GetRemaining() / kMinSpriteBytes))
        throw CFileException(kSource, 100);
    std::unique_ptr<CSpriteArray> array(new (std::nothrow) CSpriteArray(int32_t(count)));
    if (!array)
        throw CMemException(kSource, 108);
    if (array->Load(file, int32_t(count), fTexture) != 0)
        return nullptr;
    file->Ascend();
    return array.release();
}

int32_t CSpriteArray::Load(CFileIFF* file, int32_t count, int32_t fTexture)
{
    nCount = count > 0 ? count : 0;
    for (int32_t i = 0; i < count; ++i) {
        CSprite* sprite = new (std::nothrow) CSprite(file, fTexture);
        if (!sprite) {
            Clear();
            throw CMemException(kSource, 137);
        }
        if (Store(i, sprite) != 0)
            return 3;
    }
    return 0;
}

int32_t CSpriteArray::GrownSlots(int32_t nSlots, int32_t i)
{
    return nSlots + ((i - nSlots + 4) & ~3);
}

int32_t CSpriteArray::Store(int32_t i, CSprite* sprite)
{
    if (i < 0) {
        delete sprite;
        return 3;
    }
    if (i >= nSlots && !Grow(GrownSlots(nSlots, i))) {
        delete sprite;
        return 3;
    }
    delete ppSprites[i];
    ppSprites[i] = sprite;
    return 0;
}

CSprite* CSpriteArray::Get(int32_t i) const
{
    return i >= 0 && i < nSlots ? ppSprites[i] : nullptr;
}

bool CSpriteArray::Grow(int32_t nNewSlots)
{
    CSprite** grown = new (std::nothrow) CSprite*[nNewSlots]();
    if (!grown)
        return false;
    for (int32_t i = 0; i < nSlots; ++i)
        grown[i] = ppSprites[i];
    delete[] ppSprites;
    ppSprites = grown;
    nSlots = nNewSlots;
    return true;
}

void CSpriteArray::Clear()
{
    for (int32_t i = 0; i < nSlots; ++i)
        delete ppSprites[i];
    delete[] ppSprites;
    ppSprites = nullptr;
    nSlots = 0;
}
