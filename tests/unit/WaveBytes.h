#pragma once
// Builders of RIFF WAVE bytes for the sound tests.
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace wavebytes {

using Bytes = std::vector<uint8_t>;

inline void Put(Bytes& b, uint32_t v, int n)
{
    for (int i = 0; i < n; ++i)
        b.push_back(uint8_t(v >> (8 * i)));
}

// A chunk with the given header size (the data's own size unless told).
inline Bytes Chunk(const char* id, const Bytes& data, int64_t size = -1)
{
    Bytes b(id, id + 4);
    Put(b, uint32_t(size < 0 ? data.size() : size), 4);
    b.insert(b.end(), data.begin(), data.end());
    if (data.size() % 2)
        b.push_back(0);
    return b;
}

inline Bytes Format(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits, const Bytes& extra = {})
{
    Bytes b;
    const uint16_t align = uint16_t(channels * bits / 8);
    Put(b, tag, 2);
    Put(b, channels, 2);
    Put(b, rate, 4);
    Put(b, rate * align, 4);
    Put(b, align, 2);
    Put(b, bits, 2);
    if (tag != 1) {
        Put(b, uint32_t(extra.size()), 2);
        b.insert(b.end(), extra.begin(), extra.end());
    }
    return b;
}

inline Bytes Riff(const std::vector<Bytes>& chunks, const char* form = "WAVE", int64_t size = -1)
{
    Bytes body(form, form + 4);
    for (const Bytes& c : chunks)
        body.insert(body.end(), c.begin(), c.end());
    return Chunk("RIFF", body, size);
}

inline Bytes Pcm16Wave(const std::vector<int16_t>& samples, uint16_t channels, uint32_t rate)
{
    Bytes data(samples.size() * 2);
    std::memcpy(data.data(), samples.data(), data.size());
    return Riff({Chunk("fmt ", Format(1, channels, rate, 16)), Chunk("data", data)});
}

inline void WriteFile(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

} // namespace wavebytes
