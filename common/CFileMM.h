#pragma once
#include "common/CFileIFF.h"
#include <cstdint>
#include <memory>

// The asset archive: a 'RIFF' file of form 'MMFL' whose first chunk, 'map ',
// holds the absolute offsets of the entry points (groups of asset chunks).
class CFileMM : public CFileIFF {
public:
    CFileMM();
    ~CFileMM() override = default;

    using CFileIFF::Open;
    // In a read mode also reads the map. Throws on a wrong form type or map.
    int32_t Open(const FileSpec& spec, uint32_t mode);
    // Positions the file at the first chunk of entry index.
    void SeekEntryPoint(uint32_t index);

    int32_t GetEntryCount() const { return nEntryPoints; }
    uint32_t GetEntryOffset(uint32_t index) const { return rglEPOffset[index]; }

private:
    void ReadMap();

    int32_t nEntryPoints = 0;
    std::unique_ptr<uint32_t[]> rglEPOffset;
};
