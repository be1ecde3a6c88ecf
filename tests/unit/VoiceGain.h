#pragma once
#include <AL/al.h>

// The gain OpenAL plays a voice at.
inline float Gain(ALuint voice)
{
    float gain = -1;
    alGetSourcef(voice, AL_GAIN, &gain);
    return gain;
}
