#include "base/BFile.h"
#include <algorithm>
#include <cstdint>

void BFile::Reverse(void* bytes, int32_t n)
{
    auto* p = static_cast<uint8_t*>(bytes);
    std::reverse(p, p + n);
}

int32_t BFile::ReadValue(void* buffer, int32_t n)
{
    const int32_t nRead = Read(buffer, n);
    if (nRead == n && n >= 2 && fSwap)
        Reverse(buffer, n);
    return nRead;
}

void BFile::SwapFields(void* record, const uint8_t* layout)
{
    if (!fSwap)
        return;
    auto* field = static_cast<uint8_t*>(record);
    for (int i = 1; i <= layout[0]; ++i) {
        Reverse(field, layout[i]);
        field += layout[i];
    }
}
