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

inline uint32_t Value(const Bytes& b, size_t at, int n)
{
    uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i)
        v = v << 8 | b.at(at + size_t(i));
    return v;
}
inline uint16_t Word(const Bytes& b, size_t at) { return uint16_t(Value(b, at, 2)); }
inline uint32_t Dword(const Bytes& b, size_t at) { return Value(b, at, 4); }

// Offset of the data of a top-level chunk of a RIFF, 0 when missing.
inline size_t FindChunk(const Bytes& riff, const char* id, uint32_t* size)
{
    for (size_t at = 12; at + 8 <= riff.size(); at += 8 + *size + (*size & 1)) {
        *size = Dword(riff, at + 4);
        if (std::memcmp(riff.data() + at, id, 4) == 0)
            return at + 8;
    }
    return 0;
}

inline void WriteFile(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

} // namespace wavebytes
