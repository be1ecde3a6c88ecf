#pragma once
#include "base/BMusicSegment.h"
#include <AL/al.h>
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// Background music held as PCM data and streamed to one voice through a small
// ring of buffers, which Update refills as they are played. Stopping pauses
// it and playing goes on from there, both at once whatever the flags. A loop's
// end leads straight into its start.
class MMusicStream : public BMusicSegment {
public:
    static constexpr size_t kRingSize = 4;
    // Bytes a buffer of the ring holds: 186 ms of 16-bit mono at 22050 Hz.
    static constexpr uint32_t kPieceBytes = 8192;

    // Takes the voice and the ring's buffers; the data are whole frames of the
    // given OpenAL format and rate.
    MMusicStream(ALuint nVoice, const std::array<ALuint, kRingSize>& rgnRing, std::vector<uint8_t> rgbPcm,
                 ALenum nFormat, uint32_t nRate);
    MMusicStream(const MMusicStream&) = delete;
    MMusicStream& operator=(const MMusicStream&) = delete;
    ~MMusicStream() override;

    int32_t Play(uint32_t nFlags) override;
    int32_t Stop(uint32_t nFlags) override;
    int32_t IsPlaying() override;
    // RepeatForever (or any count) loops; 0 plays to the end once. Pieces
    // already queued keep what they hold.
    int32_t SetRepeats(uint32_t nRepeats) override;
    int32_t SetVolume(int32_t lVolume) override;
    // Refills the buffers played since the last call; at the end of a single
    // play it stops and goes back to the start.
    void Update() override;

    ALuint GetVoice() const { return nVoice; }
    // Byte offset in the data of the next piece to be queued.
    size_t GetNextOffset() const { return nNext; }

private:
    // Queues the next piece into the buffer; false when nothing is left.
    bool Queue(ALuint nBuffer);
    void Rewind();

    ALuint nVoice;
    std::array<ALuint, kRingSize> rgnRing;
    std::vector<uint8_t> rgbPcm;
    std::vector<uint8_t> rgbPiece; // the piece being queued
    ALenum nFormat;
    ALsizei nRate;
    size_t nNext = 0;
    bool fLoop = true;
    bool fPlaying = false;
};
