#pragma once
#include <cstddef>
#include <cstdint>

// 64-bit FNV-1a of the bytes, continued from seed: digesting a and then b
// with a's digest as the seed gives the digest of a followed by b.
inline constexpr uint64_t kDigestSeed = 0xCBF29CE484222325ull;
uint64_t Digest64(const void* pData, size_t nSize, uint64_t seed = kDigestSeed);
