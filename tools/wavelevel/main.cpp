// rvxwavelevel <file.wav>: the level of a RIFF WAVE (16-bit PCM or 32-bit float,
// plain or extensible, any channels) in dBFS, over the windows of 100 ms that
// are not digital silence: "sounding N rms R p50 A p90 B max C", the count of
// such windows, their RMS together, the median, the 90th percentile and the
// loudest of their levels; "sounding 0" when all is silent. The sound tests
// record the game's mix with OpenAL Soft's wave writer and compare these.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr double kFloor = -200.0;
constexpr double kWindowSeconds = 0.1;

struct Wave {
    uint16_t nChannels = 0;
    uint32_t nRate = 0;
    std::vector<double> samples; // interleaved, -1..1
};

uint32_t Le(const std::vector<uint8_t>& b, size_t at, int bytes)
{
    if (at + size_t(bytes) > b.size())
        throw std::runtime_error("truncated");
    uint32_t v = 0;
    for (int k = 0; k < bytes; ++k)
        v |= uint32_t(b[at + size_t(k)]) << (8 * k);
    return v;
}

std::vector<double> Decode(const std::vector<uint8_t>& b, size_t at, size_t size, bool isFloat, uint16_t bits)
{
    std::vector<double> out;
    const size_t step = bits / 8;
    for (size_t i = at; i + step <= at + size; i += step) {
        const uint32_t raw = Le(b, i, int(step));
        if (isFloat) {
            float f;
            std::memcpy(&f, &raw, sizeof f);
            out.push_back(f);
        } else {
            out.push_back(int16_t(uint16_t(raw)) / 32768.0);
        }
    }
    return out;
}

// A data size the writer had no chance to set runs to the end of the file.
Wave Read(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> b{std::istreambuf_iterator<char>(in), {}};
    if (b.size() < 12 || std::memcmp(b.data(), "RIFF", 4) != 0 || std::memcmp(b.data() + 8, "WAVE", 4) != 0)
        throw std::runtime_error("not a RIFF WAVE");
    Wave wave;
    bool isFloat = false;
    uint16_t bits = 0;
    for (size_t at = 12; at + 8 <= b.size();) {
        const uint32_t size = Le(b, at + 4, 4);
        const size_t body = at + 8;
        if (std::memcmp(b.data() + at, "fmt ", 4) == 0) {
            uint16_t tag = uint16_t(Le(b, body, 2));
            wave.nChannels = uint16_t(Le(b, body + 2, 2));
            wave.nRate = Le(b, body + 4, 4);
            bits = uint16_t(Le(b, body + 14, 2));
            if (tag == 0xFFFE)
                tag = uint16_t(Le(b, body + 24, 2));
            isFloat = tag == 3 && bits == 32;
            if (!isFloat && !(tag == 1 && bits == 16))
                throw std::runtime_error("neither 16-bit PCM nor 32-bit float");
        } else if (std::memcmp(b.data() + at, "data", 4) == 0) {
            if (wave.nChannels == 0)
                throw std::runtime_error("data before the format");
            const size_t left = b.size() - body;
            wave.samples = Decode(b, body, size == 0 || size > left ? left : size, isFloat, bits);
            return wave;
        }
        at = body + size + (size & 1);
    }
    throw std::runtime_error("no data");
}

double Decibels(double sumSquares, size_t count)
{
    const double rms = count ? std::sqrt(sumSquares / double(count)) : 0.0;
    return rms > 0 ? std::max(kFloor, 20.0 * std::log10(rms)) : kFloor;
}

double SumSquares(std::vector<double>::const_iterator first, std::vector<double>::const_iterator last)
{
    double sum = 0;
    for (auto it = first; it != last; ++it)
        sum += *it * *it;
    return sum;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: rvxwavelevel <file.wav>\n", stderr);
        return 2;
    }
    try {
        const Wave wave = Read(argv[1]);
        const size_t window = std::max<size_t>(1, size_t(wave.nRate * kWindowSeconds) * wave.nChannels);
        std::vector<double> levels;
        double sum = 0;
        for (size_t at = 0; at + window <= wave.samples.size(); at += window) {
            const double squares = SumSquares(wave.samples.begin() + long(at), wave.samples.begin() + long(at + window));
            if (squares == 0)
                continue;
            levels.push_back(Decibels(squares, window));
            sum += squares;
        }
        std::sort(levels.begin(), levels.end());
        std::printf("sounding %zu", levels.size());
        auto at = [&](double share) { return levels[size_t(share * double(levels.size() - 1))]; };
        if (!levels.empty())
            std::printf(" rms %.1f p50 %.1f p90 %.1f max %.1f", Decibels(sum, levels.size() * window), at(0.5),
                        at(0.9), levels.back());
        std::putchar('\n');
    } catch (const std::exception& e) {
        std::fprintf(stderr, "rvxwavelevel: %s: %s\n", argv[1], e.what());
        return 1;
    }
    return 0;
}
