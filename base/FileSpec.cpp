#include "base/FileSpec.h"
#include <cstring>

namespace {
void CopyLimited(char* destination, const char* source)
{
    std::strncpy(destination, source, FileSpec::kLength - 1);
    destination[FileSpec::kLength - 1] = '\0';
}
} // namespace

FileSpec::FileSpec()
{
    szFolder[0] = '\0';
    szName[0] = '\0';
}

FileSpec::FileSpec(const char* folder, const char* name)
{
    SetFolder(folder);
    SetName(name);
}

void FileSpec::SetFolder(const char* folder)
{
    CopyLimited(szFolder, folder);
}

void FileSpec::SetName(const char* name)
{
    CopyLimited(szName, name);
}
