#include "base/CException.h"

std::string CException::Describe() const
{
    return std::string("file: ") + szSource + "line: " + std::to_string(nLine);
}
