#pragma once
#include <cstdint>

// String functions on caller-owned NUL-terminated buffers.
class BStrings {
public:
    virtual ~BStrings() = default;

    virtual char* Copy(char* destination, const char* source) const = 0;
    // At most n characters, NUL-padded; no NUL when source has n or more.
    virtual char* CopyN(char* destination, const char* source, uint32_t n) const = 0;
    virtual char* Append(char* destination, const char* source) const = 0;
    // At most n characters, then a NUL.
    virtual char* AppendN(char* destination, const char* source, uint32_t n) const = 0;
    virtual uint32_t Length(const char* text) const = 0;
    // -1, 0 or 1, comparing bytes as unsigned characters.
    virtual int32_t Compare(const char* a, const char* b) const = 0;
};
