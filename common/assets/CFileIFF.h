#pragma once
#include "platform/io/MFileMMIO.h"
#include <cstddef>
#include <cstdint>
#include <vector>

// Chunk id: four characters, the first in the most significant byte
// (ChunkId("map ") is 0x6D617020). Stored on disk as its little-endian image.
constexpr uint32_t ChunkId(const char (&text)[5])
{
    return uint32_t(uint8_t(text[0])) << 24 | uint32_t(uint8_t(text[1])) << 16 |
           uint32_t(uint8_t(text[2])) << 8 | uint32_t(uint8_t(text[3]));
}

// Header of a chunk as Descend reads it.
struct ChunkHeader {
    uint32_t id;
    uint32_t size;
};

// Chunked file in the RIFF manner with a stack of open chunks. Sizes are
// little-endian for kind 'RIFF', big-endian for any other kind.
// Modes 1, 2, 3 read; every other mode writes (form header on open, sizes
// patched on close).
class CFileIFF : public MFileMMIO {
public:
    CFileIFF(uint32_t kind, uint32_t formType);
    ~CFileIFF() override = default;

    using MFileMMIO::Open;
    // Reading enters the outermost chunk and reads the form type; writing
    // writes the form header. 0, or 8 in mode 9 for a missing file.
    int32_t Open(const FileSpec& fileSpec, uint32_t mode);
    // Leaves (reading) or ends (writing) the innermost chunk, then closes.
    void Close() override;
    // Bytes from the position to the end of the innermost open chunk.
    int32_t GetRemaining() override;
    virtual void SetByteOrderFromKind();

    // Reads the header at the position. A chunk that claims more bytes
    // than the file holds throws.
    void Descend(ChunkHeader* header);
    // Moves past the innermost open chunk and its pad byte.
    void Ascend();
    // Writes a header with a placeholder size; true on a short write.
    bool BeginChunk(uint32_t id, uint32_t size);
    // Patches the innermost chunk's size and pads it to even length.
    int32_t EndChunk();

    uint32_t GetKind() const { return nKind; }
    uint32_t GetFormType() const { return nFormType; }
    uint32_t GetChunkSize() const { return nChunkSize; }
    size_t GetDepth() const { return rgnStack.size(); }

    static bool IsReadMode(uint32_t mode) { return mode >= 1 && mode <= 3; }

protected:
    // Read mode: enters the outermost chunk and reads the form type.
    virtual void EnterForm();

private:
    void BeginForm();
    // Closes after a failed open, so the object can be opened again.
    void Abandon();

    uint32_t nDeclaredKind; // the kind given at construction: it alone sets the byte order
    uint32_t nKind;
    uint32_t nFormType;
    uint32_t nChunkSize = 0;
    std::vector<uint32_t> rgnStack;
};
