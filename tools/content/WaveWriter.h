#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Writes mono 16-bit PCM RIFF WAVE data.
class WaveWriter {
public:
    static constexpr int kRate = 22050;

    // Samples in -1..1 (clipped).
    static std::vector<uint8_t> Encode(const std::vector<float>& samples, int rate = kRate);
    static void Write(const std::string& path, const std::vector<float>& samples, int rate = kRate);
};
