#include "platform/text/MStrings.h"
#include <cstring>

char* MStrings::Copy(char* destination, const char* source) const
{
    return std::strcpy(destination, source);
}

char* MStrings::CopyN(char* destination, const char* source, uint32_t n) const
{
    return std::strncpy(destination, source, n);
}

char* MStrings::Append(char* destination, const char* source) const
{
    return std::strcat(destination, source);
}

char* MStrings::AppendN(char* destination, const char* source, uint32_t n) const
{
    return std::strncat(destination, source, n);
}

uint32_t MStrings::Length(const char* text) const
{
    return uint32_t(std::strlen(text));
}

int32_t MStrings::Compare(const char* a, const char* b) const
{
    const int result = std::strcmp(a, b);
    return result < 0 ? -1 : result > 0 ? 1 : 0;
}

char* IntToText(int32_t value, char* buffer)
{
    char* out = buffer;
    int64_t magnitude = value;
    if (magnitude < 0) {
        *out++ = '-';
        magnitude = -magnitude;
    }
    int64_t power = 1;
    while (power * 10 <= magnitude)
        power *= 10;
    for (; power > 0; power /= 10) {
        *out++ = char('0' + magnitude / power);
        magnitude %= power;
    }
    *out = '\0';
    return buffer;
}
