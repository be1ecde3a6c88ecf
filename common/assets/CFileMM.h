#pragma once
#include "common/assets/CFileIFF.h"
#include <cstdint>
#include <memory>

// The asset archive: a 'RIFF' file of form 'MMFL' whose first chunk, 'map ',
// holds the absolute offsets of the entry points (groups of asset chunks).
class CFileMM : public CFileIFF {
public:
    CFileMM();
    ~CFileMM() override = default;

    // Positions the file at the first chunk of entry index.
    void SeekEntryPoint(uint32_t index);

    int32_t GetEntryCount() const { return nEntryPoints; }
    uint32_t GetEntryOffset(uint32_t index) const { return rglEPOffset[index]; }

protected:
    // Opening in a read mode also reads the map; a wrong form type or map
    // throws and leaves the file closed.
    void EnterForm() override;

private:
    void ReadMap();

    int32_t nEntryPoints = 0;
    std::unique_ptr<uint32_t[]> rglEPOffset;
};
