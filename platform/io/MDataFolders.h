#pragma once
#include <string>
#include <vector>

// The folders an installed program's data may lie in, each ending in '/', in
// search order: <name>/ in the data folder of the install the executable
// belongs to, then in $XDG_DATA_HOME (default ~/.local/share) and in each
// $XDG_DATA_DIRS entry (default /usr/local/share:/usr/share). Relative
// entries are ignored, as the base directory rules ask; each folder is listed once.
class MDataFolders {
public:
    static std::vector<std::string> List(const char* szName);

private:
    static std::string InstallDataFolder();
    static std::string UserDataFolder();
    // Adds <path>/<name>/ unless the path is relative or the folder listed.
    static void Add(std::vector<std::string>& folders, std::string path, const char* szName);
    static void AddEach(std::vector<std::string>& folders, const std::string& paths, const char* szName);
};
