#pragma once
#include <array>
#include <cstdint>
#include "base/BSound.h"
#include "common/assets/CSoundChunk.h"
#include "platform/audio/MSound.h"

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

    // Reads N sounds from the next chunks: 0, or 62 when one cannot be read.
    // Each sound is held as soon as it is read, so the ones before a failure
    // (also one that throws) are kept and later released.
    int32_t ReadFrom(CFileIFF* pArchive)
    {
        Release();
        for (int32_t i = 0; i < N; ++i) {
            MSound* pSound = nullptr;
            const int32_t result = CSoundChunk::Read(pArchive, &pSound);
            rgpSounds[i] = pSound;
            if (result != 0)
                return result;
        }
        return 0;
    }

private:
    BSound* rgpSounds[N] = {};
};
