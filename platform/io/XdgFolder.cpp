#include "platform/io/XdgFolder.h"

#include <cstdlib>

std::string XdgFolder(const char* szVariable, const char* szUnderHome)
{
    const char* value = std::getenv(szVariable);
    if (value && *value == '/')
        return value;
    const char* home = std::getenv("HOME");
    return home && *home == '/' ? std::string(home) + "/" + szUnderHome : std::string();
}
