#pragma once
#include <vector>

// The game's sounds, synthesised at 22050 Hz: mallet and wood tones for the
// jingles, filtered noise and damped modes for the ball, soft pads for the
// background music.
class SoundSynth {
public:
    static std::vector<float> IntroChime();
    static std::vector<float> GoalFanfare();
    static std::vector<float> Fall();
    // Seamless loop: the last sample leads into the first without a step.
    static std::vector<float> Rolling();
    static std::vector<float> DropStart();
    static std::vector<float> DropEnd();
    static std::vector<float> Bump();
    // A calm background loop of kLoopSeconds: soft chords, a low bass and a slow
    // bell arpeggio, quiet (RMS about -30 dBFS). Seamless to the sample: what
    // rings past the end goes on at the start.
    static constexpr int kLoopSeconds = 60;
    static std::vector<float> MusicLoop();
};
