#include "platform/io/MDataFolders.h"
#include "platform/io/XdgFolder.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace {

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

std::vector<std::string> MDataFolders::List(const char* szName)
{
    std::vector<std::string> folders;
    Add(folders, InstallDataFolder(), szName);
    Add(folders, UserDataFolder(), szName);
    std::string shared = Environment("XDG_DATA_DIRS");
    AddEach(folders, shared.empty() ? "/usr/local/share:/usr/share" : shared, szName);
    return folders;
}

std::string MDataFolders::InstallDataFolder()
{
    char* base = SDL_GetBasePath();
    if (!base)
        return "";
    std::filesystem::path folder = std::filesystem::path(base) / RVX_DATA_FROM_BIN;
    SDL_free(base);
    return folder.lexically_normal().string();
}

std::string MDataFolders::UserDataFolder() { return XdgFolder("XDG_DATA_HOME", ".local/share"); }

void MDataFolders::Add(std::vector<std::string>& folders, std::string path, const char* szName)
{
    if (path.empty() || path.front() != '/')
        return;
    if (path.back() != '/')
        path += '/';
    path += std::string(szName) + '/';
    if (std::find(folders.begin(), folders.end(), path) == folders.end())
        folders.push_back(path);
}

void MDataFolders::AddEach(std::vector<std::string>& folders, const std::string& paths, const char* szName)
{
    std::istringstream list(paths);
    std::string path;
    while (std::getline(list, path, ':'))
        Add(folders, path, szName);
}
