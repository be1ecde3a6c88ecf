#include "platform/io/ParseInt32.h"

#include <charconv>
#include <system_error>

bool ParseInt32(std::string_view text, int32_t* pValue)
{
    int32_t value = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end)
        return false;
    *pValue = value;
    return true;
}
