#pragma once
#include <vector>

// The game's sound effects, synthesised at 22050 Hz: mallet and wood tones
// for the music, filtered noise and damped modes for the ball.
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
};
