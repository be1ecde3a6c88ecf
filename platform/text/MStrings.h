#pragma once
#include "base/BStrings.h"
#include <cstdint>

class MStrings : public BStrings {
public:
    char* Copy(char* destination, const char* source) const override;
    char* CopyN(char* destination, const char* source, uint32_t n) const override;
    char* Append(char* destination, const char* source) const override;
    char* AppendN(char* destination, const char* source, uint32_t n) const override;
    uint32_t Length(const char* text) const override;
    int32_t Compare(const char* a, const char* b) const override;
};

// Decimal text of value ("-305", "0", "1000"); buffer needs 12 characters.
char* IntToText(int32_t value, char* buffer);
