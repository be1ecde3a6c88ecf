#include "platform/audio/MMusicStream.h"
#include <AL/alc.h>
#include <algorithm>
#include <cstring>
#include "platform/audio/MSound.h"
#include "platform/audio/MSoundManager.h"

MMusicStream::MMusicStream(ALuint voice, const std::array<ALuint, kRingSize>& ring, std::vector<uint8_t> pcm,
                           ALenum format, uint32_t rate)
    : nVoice(voice), rgnRing(ring), rgbPcm(std::move(pcm)), rgbPiece(kPieceBytes), nFormat(format),
      nRate(ALsizei(rate))
{
    alSourcei(nVoice, AL_SOURCE_RELATIVE, AL_TRUE);
    Rewind();
}

MMusicStream::~MMusicStream()
{
    if (alcGetCurrentContext() == nullptr)
        return; // the device went first and took the voice with it
    alSourceStop(nVoice);
    alSourcei(nVoice, AL_BUFFER, 0);
    alDeleteSources(1, &nVoice);
    alDeleteBuffers(ALsizei(rgnRing.size()), rgnRing.data());
}

// Pieces are whole frames: the data and the piece length both are.
bool MMusicStream::Queue(ALuint buffer)
{
    size_t filled = 0;
    while (filled < rgbPiece.size()) {
        if (nNext == rgbPcm.size()) {
            if (!fLoop)
                break;
            nNext = 0;
        }
        const size_t n = std::min(rgbPiece.size() - filled, rgbPcm.size() - nNext);
        std::memcpy(rgbPiece.data() + filled, rgbPcm.data() + nNext, n);
        filled += n;
        nNext += n;
    }
    if (filled == 0)
        return false;
    alBufferData(buffer, nFormat, rgbPiece.data(), ALsizei(filled), nRate);
    alSourceQueueBuffers(nVoice, 1, &buffer);
    return true;
}

void MMusicStream::Rewind()
{
    alSourceStop(nVoice);
    alSourcei(nVoice, AL_BUFFER, 0);
    nNext = 0;
    for (ALuint buffer : rgnRing)
        Queue(buffer);
}

int32_t MMusicStream::Play(uint32_t)
{
    alGetError();
    ALint state = AL_STOPPED;
    alGetSourcei(nVoice, AL_SOURCE_STATE, &state);
    if (state != AL_PLAYING)
        alSourcePlay(nVoice);
    if (alGetError() != AL_NO_ERROR)
        return snd::E_FAIL;
    fPlaying = true;
    return 0;
}

int32_t MMusicStream::Stop(uint32_t)
{
    alSourcePause(nVoice);
    fPlaying = false;
    return 0;
}

int32_t MMusicStream::IsPlaying() { return fPlaying ? 1 : 0; }

int32_t MMusicStream::SetRepeats(uint32_t nRepeats)
{
    fLoop = nRepeats != 0;
    return 0;
}

int32_t MMusicStream::SetVolume(int32_t lVolume)
{
    alSourcef(nVoice, AL_GAIN, MSound::GainOf(lVolume));
    return 0;
}

void MMusicStream::Update()
{
    if (!fPlaying)
        return;
    ALint processed = 0, queued = 0, state = AL_STOPPED;
    alGetSourcei(nVoice, AL_BUFFERS_PROCESSED, &processed);
    for (ALint i = 0; i < processed; ++i) {
        ALuint buffer = 0;
        alSourceUnqueueBuffers(nVoice, 1, &buffer);
        Queue(buffer);
    }
    alGetSourcei(nVoice, AL_BUFFERS_QUEUED, &queued);
    alGetSourcei(nVoice, AL_SOURCE_STATE, &state);
    if (queued == 0) {
        Rewind();
        fPlaying = false;
    } else if (state != AL_PLAYING) {
        alSourcePlay(nVoice); // the ring ran dry between two updates
    }
}
