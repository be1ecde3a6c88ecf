#pragma once
#include <cstdint>

// Pixel formats, numbered as Direct3D 9 numbers them.
enum MFormat : int32_t {
    kFormatUnknown = 0,
    kFormatA8R8G8B8 = 21,
    kFormatX8R8G8B8 = 22,
    kFormatR5G6B5 = 23,
    kFormatX1R5G5B5 = 24,
    kFormatA1R5G5B5 = 25,
    kFormatA4R4G4B4 = 26,
    kFormatX4R4G4B4 = 30,
    kFormatD24S8 = 75,
};

// Screen depth of a back-buffer format: 32, 16, or 0 for any other.
inline int32_t FormatDepth(int32_t format)
{
    switch (format) {
    case kFormatA8R8G8B8:
    case kFormatX8R8G8B8:
        return 32;
    case kFormatR5G6B5:
    case kFormatX1R5G5B5:
    case kFormatA1R5G5B5:
    case kFormatA4R4G4B4:
    case kFormatX4R4G4B4:
        return 16;
    default:
        return 0;
    }
}

// The first of the formats, in order, that accept() takes; kFormatUnknown when none.
template <class Accept>
int32_t FirstAcceptedFormat(const int32_t* formats, int32_t count, Accept&& accept)
{
    for (int32_t i = 0; i < count; ++i)
        if (accept(formats[i]))
            return formats[i];
    return kFormatUnknown;
}
