#include "base/Digest.h"

uint64_t Digest64(const void* pData, size_t nSize, uint64_t seed)
{
    constexpr uint64_t kPrime = 0x100000001B3ull;
    const auto* bytes = static_cast<const uint8_t*>(pData);
    for (size_t i = 0; i < nSize; ++i)
        seed = (seed ^ bytes[i]) * kPrime;
    return seed;
}
