#pragma once
#include <array>
#include <cstdint>
#include "base/BSound.h"
#include "common/CSoundChunk.h"
#include "platform/MSound.h"

class CFileIFF;

// A class's sounds, read from one run of the archive's 'wave' chunks and owned
// until released. Any slot may be empty; a missing sound is skipped where it plays.
template <int32_t N> class ASoundSet {
public:
    BSound* Get(int32_t i) const { return rgpSounds[i]; }

    // Takes ownership of the sounds, releasing those held.
    void Adopt(const std::array<BSound*, N>& sounds)
    {
        for (int32_t i = 0; i < N; ++i) {
            delete rgpSounds[i];
            rgpSounds[i] = sounds[i];
        }
    }
    void Release() { Adopt({}); }

    // Reads N sounds from the next chunks: 0, or 62 when one cannot be read
    // (the ones read before it are kept).
    int32_t ReadFrom(CFileIFF* pArchive)
    {
        MSound* read[N] = {};
        const int32_t result = CSoundChunk::ReadAll(pArchive, read, N);
        std::array<BSound*, N> sounds{};
        for (int32_t i = 0; i < N; ++i)
            sounds[i] = read[i];
        Adopt(sounds);
        return result;
    }

private:
    BSound* rgpSounds[N] = {};
};
