#pragma once
#include <cstdint>
#include <string_view>

// A whole signed decimal that fits 32 bits and nothing else: no blanks, no
// plus sign, no trailing text. False leaves pValue as it was.
bool ParseInt32(std::string_view text, int32_t* pValue);
