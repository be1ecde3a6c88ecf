#include "tools/content/SoundSynth.h"
#include "tools/content/Noise.h"
#include "tools/content/WaveWriter.h"
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numbers>

namespace {

using Samples = std::vector<float>;
constexpr float kRate = float(WaveWriter::kRate);
constexpr float kTwoPi = 2 * std::numbers::pi_v<float>;

// One vibrating mode of a struck object: frequency ratio, gain, decay time (s).
struct Mode {
    float ratio, gain, decay;
};

constexpr Mode kBell[] = {{1.0f, 1.0f, 1.3f}, {2.756f, 0.45f, 0.55f}, {5.404f, 0.22f, 0.25f}, {8.933f, 0.1f, 0.12f}};
constexpr Mode kMarimba[] = {{1.0f, 1.0f, 0.55f}, {3.93f, 0.3f, 0.12f}, {9.2f, 0.1f, 0.04f}};
constexpr Mode kWoodKnock[] = {{1.0f, 1.0f, 0.035f}, {2.33f, 0.55f, 0.02f}, {4.14f, 0.3f, 0.012f}, {7.4f, 0.12f, 0.008f}};

Samples Silence(float seconds) { return Samples(size_t(seconds * kRate), 0.0f); }

// Adds the struck modes at `start` seconds; a 2 ms attack avoids a click.
template <size_t N>
void Strike(Samples& out, float start, float frequency, float gain, const Mode (&modes)[N])
{
    size_t first = size_t(start * kRate);
    for (const Mode& mode : modes) {
        float f = frequency * mode.ratio;
        if (f > kRate * 0.45f)
            continue;
        size_t length = std::min(out.size() - std::min(first, out.size()), size_t(mode.decay * 7 * kRate));
        for (size_t i = 0; i < length; ++i) {
            float t = float(i) / kRate;
            float attack = std::min(1.0f, t / 0.002f);
            out[first + i] += gain * mode.gain * attack * std::exp(-t / mode.decay) * std::sin(kTwoPi * f * t);
        }
    }
}

// A short burst of noise, shaped by a decay, for the contact of two hard bodies.
void Click(Samples& out, float start, float gain, float decay, Noise& noise)
{
    size_t first = size_t(start * kRate);
    float previous = 0;
    for (size_t i = 0; first + i < out.size() && float(i) < decay * 6 * kRate; ++i) {
        float white = noise.Next() * 2 - 1;
        float high = white - previous;
        previous = white;
        out[first + i] += gain * high * std::exp(-float(i) / (decay * kRate));
    }
}

class BandPass {
public:
    BandPass(float frequency, float q)
    {
        float w = kTwoPi * frequency / kRate;
        float alpha = std::sin(w) / (2 * q);
        float a0 = 1 + alpha;
        b0 = alpha / a0;
        a1 = -2 * std::cos(w) / a0;
        a2 = (1 - alpha) / a0;
    }
    float operator()(float x)
    {
        float y = b0 * x - b0 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }

private:
    float b0, a1, a2;
    float x1 = 0, x2 = 0, y1 = 0, y2 = 0;
};

void Normalise(Samples& samples, float peak)
{
    float top = 0;
    for (float s : samples)
        top = std::max(top, std::fabs(s));
    if (top > 0)
        for (float& s : samples)
            s *= peak / top;
}

// Ramps the first and last few milliseconds so the sound starts and ends in silence.
void Fade(Samples& samples, float inSeconds, float outSeconds)
{
    size_t in = std::min(samples.size(), size_t(inSeconds * kRate));
    for (size_t i = 0; i < in; ++i)
        samples[i] *= float(i) / float(in);
    size_t out = std::min(samples.size(), size_t(outSeconds * kRate));
    for (size_t i = 0; i < out; ++i)
        samples[samples.size() - 1 - i] *= float(i) / float(out);
}

Samples Finish(Samples samples, float peak)
{
    Normalise(samples, peak);
    Fade(samples, 0.001f, 0.01f);
    return samples;
}

template <size_t N>
Samples Melody(float seconds, std::initializer_list<std::pair<float, float>> notes, const Mode (&modes)[N])
{
    Samples out = Silence(seconds);
    for (const auto& [start, frequency] : notes)
        Strike(out, start, frequency, 1.0f, modes);
    return out;
}

// A series of impacts (start time, gain), each drawn by `impact`.
template <typename Impact>
Samples Impacts(float seconds, uint32_t seed, std::initializer_list<std::pair<float, float>> hits, float peak,
                Impact impact)
{
    Samples out = Silence(seconds);
    Noise noise(seed);
    for (const auto& [start, gain] : hits)
        impact(out, start, gain, noise);
    return Finish(out, peak);
}

// A note of the background loop, added around the loop so that what rings
// past its end goes on at its start. Seconds: how long a pad is held, or the
// time a bell takes to fall to 1/e.
struct LoopNote {
    float start, pitch, gain, seconds;
};

// Gains of the harmonics of a soft pad voice: mostly fundamental, no bright top.
constexpr float kPadHarmonics[] = {1.0f, 0.35f, 0.15f, 0.06f};
constexpr float kPadAttack = 2.0f, kPadRelease = 2.5f;

float Envelope(float t, float attack, float hold, float release)
{
    auto rise = [](float x) { return 0.5f - 0.5f * std::cos(std::numbers::pi_v<float> * x); };
    if (t < attack)
        return rise(t / attack);
    if (t < hold)
        return 1.0f;
    return t < hold + release ? rise(1.0f - (t - hold) / release) : 0.0f;
}

// Harmonics of the pitch under a raised-cosine attack and release, in two
// voices a few cents apart for a slow chorus.
void AddPad(Samples& loop, const LoopNote& note)
{
    const size_t first = size_t(note.start * kRate);
    const size_t length = size_t((note.seconds + kPadRelease) * kRate);
    for (float detune : {0.9985f, 1.0015f}) {
        for (size_t h = 0; h < std::size(kPadHarmonics); ++h) {
            const float step = kTwoPi * note.pitch * detune * float(h + 1) / kRate;
            const float gain = 0.5f * note.gain * kPadHarmonics[h];
            for (size_t i = 0; i < length; ++i) {
                const float t = float(i) / kRate;
                loop[(first + i) % loop.size()] +=
                    gain * Envelope(t, kPadAttack, note.seconds, kPadRelease) * std::sin(step * float(i));
            }
        }
    }
}

// A soft bell: a sine and a quiet octave, dying away over a few seconds.
void AddBell(Samples& loop, const LoopNote& note)
{
    const size_t first = size_t(note.start * kRate);
    const size_t length = size_t(note.seconds * 6 * kRate);
    for (const auto& [ratio, gain, decay] : {Mode{1.0f, 1.0f, note.seconds}, Mode{2.0f, 0.2f, note.seconds * 0.4f}}) {
        const float step = kTwoPi * note.pitch * ratio / kRate;
        for (size_t i = 0; i < length; ++i) {
            const float t = float(i) / kRate;
            const float attack = std::min(1.0f, t / 0.01f);
            loop[(first + i) % loop.size()] += note.gain * gain * attack * std::exp(-t / decay) * std::sin(step * float(i));
        }
    }
}

float Rms(const Samples& samples)
{
    double sum = 0;
    for (float s : samples)
        sum += double(s) * s;
    return samples.empty() ? 0.0f : float(std::sqrt(sum / double(samples.size())));
}

// Pitch of a MIDI note number.
float Pitch(int note) { return 440.0f * std::pow(2.0f, float(note - 69) / 12.0f); }

} // namespace

std::vector<float> SoundSynth::IntroChime()
{
    Samples out = Melody(2.4f, {{0.0f, 659.3f}, {0.16f, 784.0f}, {0.32f, 1046.5f}}, kBell);
    for (float f : {784.0f, 1046.5f, 1318.5f})
        Strike(out, 0.55f, f, 0.8f, kBell);
    return Finish(out, 0.7f);
}

std::vector<float> SoundSynth::GoalFanfare()
{
    Samples out = Melody(2.6f, {{0.0f, 523.3f}, {0.11f, 659.3f}, {0.22f, 784.0f}, {0.33f, 1046.5f}}, kMarimba);
    // A marimba roll on the final chord, dying away.
    for (int k = 0; k < 16; ++k) {
        float start = 0.5f + float(k) * 0.07f;
        float gain = 0.7f * std::exp(-float(k) / 7.0f);
        for (float f : {523.3f, 659.3f, 784.0f, 1046.5f})
            Strike(out, start + (f > 700 ? 0.035f : 0.0f), f, gain, kMarimba);
    }
    return Finish(out, 0.75f);
}

std::vector<float> SoundSynth::Fall()
{
    Samples out =
        Melody(1.6f, {{0.0f, 784.0f}, {0.13f, 622.3f}, {0.26f, 523.3f}, {0.39f, 392.0f}, {0.56f, 311.1f}}, kMarimba);
    return Finish(out, 0.7f);
}

std::vector<float> SoundSynth::Rolling()
{
    const size_t loop = size_t(2.0f * kRate);
    const size_t blend = size_t(0.25f * kRate);
    Noise noise(0x5011u);
    BandPass rumble(170.0f, 0.8f), body(620.0f, 2.5f), grain(2600.0f, 3.0f);
    Samples raw(loop + blend);
    float brown = 0;
    for (size_t i = 0; i < raw.size(); ++i) {
        float white = noise.Next() * 2 - 1;
        brown = 0.985f * brown + 0.15f * white;
        float t = float(i) / kRate;
        // The ball's turning makes a slow pulse; grain of the wood makes ticks.
        float pulse = 0.8f + 0.2f * std::sin(kTwoPi * 6.0f * t);
        float tick = noise.Next() < 0.0025f ? (noise.Next() * 2 - 1) * 4.0f : 0.0f;
        raw[i] = pulse * (rumble(brown) * 1.6f + body(white) * 0.12f) + grain(tick) * 0.5f;
    }
    Samples out(raw.begin(), raw.begin() + long(loop));
    for (size_t i = 0; i < blend; ++i) {
        float t = float(i) / float(blend);
        out[i] = raw[i] * t + raw[loop + i] * (1 - t);
    }
    Normalise(out, 0.5f);
    return out;
}

std::vector<float> SoundSynth::DropStart()
{
    // The ball clatters over the rim of the hole.
    return Impacts(0.45f, 0xD209u, {{0.0f, 1.0f}, {0.085f, 0.6f}, {0.14f, 0.35f}, {0.18f, 0.2f}}, 0.8f,
                   [](Samples& out, float start, float gain, Noise& noise) {
                       Strike(out, start, 820.0f, gain, kWoodKnock);
                       Strike(out, start, 4700.0f, gain * 0.25f, kWoodKnock);
                       Click(out, start, gain * 0.3f, 0.0015f, noise);
                   });
}

std::vector<float> SoundSynth::DropEnd()
{
    // A heavy thud on the felt of the tray, and two small bounces.
    return Impacts(0.6f, 0x7D0Du, {{0.0f, 1.0f}, {0.19f, 0.35f}, {0.3f, 0.12f}}, 0.85f,
                   [](Samples& out, float start, float gain, Noise& noise) {
                       size_t first = size_t(start * kRate);
                       float phase = 0;
                       for (size_t i = 0; first + i < out.size(); ++i) {
                           float t = float(i) / kRate;
                           phase += kTwoPi * (55.0f + 60.0f * std::exp(-t / 0.05f)) / kRate;
                           out[first + i] += gain * std::exp(-t / 0.09f) * std::sin(phase) * std::min(1.0f, t / 0.001f);
                       }
                       Strike(out, start, 240.0f, gain * 0.35f, kWoodKnock);
                       Click(out, start, gain * 0.15f, 0.003f, noise);
                   });
}

std::vector<float> SoundSynth::Bump()
{
    // Steel on hard wood: a short knock with a bright tick.
    return Impacts(0.2f, 0xB0B0u, {{0.0f, 1.0f}}, 0.8f, [](Samples& out, float start, float gain, Noise& noise) {
        Strike(out, start, 700.0f, gain, kWoodKnock);
        Strike(out, start, 5200.0f, gain * 0.12f, kWoodKnock);
        Click(out, start, gain * 0.35f, 0.001f, noise);
    });
}

std::vector<float> SoundSynth::MusicLoop()
{
    // Eight chords of 7.5 s (MIDI notes, root first): Cmaj7 Am7 Fmaj7 G6 Em7 Am7 Dm7 Gsus4,
    // back to C at the start.
    constexpr int kChords[8][4] = {{48, 55, 59, 64}, {45, 55, 60, 64}, {41, 57, 60, 64}, {43, 55, 59, 64},
                                   {40, 55, 59, 62}, {45, 57, 60, 64}, {38, 57, 60, 65}, {43, 55, 60, 62}};
    // The arpeggio's chord tones, an octave or two up, four to a chord.
    constexpr int kArpeggio[4] = {3, 1, 2, 1};
    constexpr float kChordSeconds = float(kLoopSeconds) / float(std::size(kChords));
    Samples loop = Silence(float(kLoopSeconds));
    for (size_t c = 0; c < std::size(kChords); ++c) {
        const float start = float(c) * kChordSeconds;
        AddPad(loop, {start, Pitch(kChords[c][0] - 12), 0.7f, kChordSeconds});
        for (int k = 1; k < 4; ++k)
            AddPad(loop, {start, Pitch(kChords[c][k]), 0.45f, kChordSeconds});
        for (int k = 0; k < 4; ++k)
            AddBell(loop, {start + float(k) * kChordSeconds / 4 + 0.4f, Pitch(kChords[c][kArpeggio[k]] + 12),
                           0.18f, 0.9f});
    }
    const float scale = 0.0316f / Rms(loop); // -30 dBFS
    for (float& sample : loop)
        sample *= scale;
    return loop;
}
