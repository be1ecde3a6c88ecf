#include "tools/content/WaveWriter.h"
#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>

namespace {

void Put(std::vector<uint8_t>& out, uint32_t value, int bytes)
{
    for (int k = 0; k < bytes; ++k)
        out.push_back(uint8_t(value >> (8 * k)));
}

void PutId(std::vector<uint8_t>& out, const char* id)
{
    for (int k = 0; k < 4; ++k)
        out.push_back(uint8_t(id[k]));
}

} // namespace

std::vector<uint8_t> WaveWriter::Encode(const std::vector<float>& samples, int rate)
{
    const uint32_t dataBytes = uint32_t(samples.size() * 2);
    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes + 1);
    PutId(out, "RIFF");
    Put(out, 36 + dataBytes + (dataBytes & 1), 4);
    PutId(out, "WAVE");
    PutId(out, "fmt ");
    Put(out, 16, 4);
    Put(out, 1, 2);                   // PCM
    Put(out, 1, 2);                   // mono
    Put(out, uint32_t(rate), 4);
    Put(out, uint32_t(rate) * 2, 4);  // bytes per second
    Put(out, 2, 2);                   // block alignment
    Put(out, 16, 2);                  // bits per sample
    PutId(out, "data");
    Put(out, dataBytes, 4);
    for (float s : samples)
        Put(out, uint32_t(uint16_t(int16_t(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f)))), 2);
    return out;
}

void WaveWriter::Write(const std::string& path, const std::vector<float>& samples, int rate)
{
    std::vector<uint8_t> bytes = Encode(samples, rate);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}
