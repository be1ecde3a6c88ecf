#pragma once
#include <cstdint>

// Numbers stored least significant byte first, read from a byte buffer.
constexpr uint16_t ReadLE16(const uint8_t* p)
{
    return uint16_t(p[0] | p[1] << 8);
}

constexpr uint32_t ReadLE32(const uint8_t* p)
{
    return uint32_t(ReadLE16(p)) | uint32_t(ReadLE16(p + 2)) << 16;
}
