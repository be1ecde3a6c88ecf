#pragma once
// Builders of RIFF WAVE bytes for the sound tests.
#include "FileTestSupport.h"
#include <cstring>

namespace wavebytes {

inline void Put16(Bytes& b, uint16_t v)
{
    b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8)});
}

inline Bytes Format(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits, const Bytes& extra = {})
{
    Bytes b;
    const uint16_t align = uint16_t(channels * bits / 8);
    Put16(b, tag);
    Put16(b, channels);
    AppendLE32(&b, rate);
    AppendLE32(&b, rate * align);
    Put16(b, align);
    Put16(b, bits);
    if (tag != 1) {
        Put16(b, uint16_t(extra.size()));
        Append(&b, extra);
    }
    return b;
}

inline Bytes Riff(const std::vector<Bytes>& chunks, const char* form = "WAVE", int64_t size = -1)
{
    Bytes body = Text(form);
    for (const Bytes& c : chunks)
        Append(&body, c);
    return Chunk("RIFF", body, size);
}

inline Bytes Pcm16Wave(const std::vector<int16_t>& samples, uint16_t channels, uint32_t rate)
{
    Bytes data(samples.size() * 2);
    std::memcpy(data.data(), samples.data(), data.size());
    return Riff({Chunk("fmt ", Format(1, channels, rate, 16)), Chunk("data", data)});
}

} // namespace wavebytes
