#include "platform/io/MStateFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <fstream>
#include <sstream>

#include "platform/io/ParseInt32.h"
#include "platform/io/WriteFileAtomically.h"
#include "platform/io/XdgFolder.h"

namespace {

// "name value" with one blank between, nothing more.
bool ParseLine(const std::string& line, std::string* pName, int32_t* pValue)
{
    const size_t blank = line.find(' ');
    if (blank == 0 || blank == std::string::npos || line.find_first_of(" \t\r", blank + 1) != std::string::npos)
        return false;
    *pName = line.substr(0, blank);
    return pName->find_first_of("\t\r") == std::string::npos && ParseInt32(std::string_view(line).substr(blank + 1), pValue);
}

// Makes each missing folder of the path with mode 0700; true when the last one exists.
bool MakeFolders(const std::string& path)
{
    for (size_t slash = path.find('/', 1); ; slash = path.find('/', slash + 1)) {
        const std::string folder = path.substr(0, slash);
        if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            break;
    }
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

MStateFile::MStateFile(const char* szCompany, const char* szApplication, const char* szFile)
    : szCompany(szCompany), szApplication(szApplication), szFile(szFile)
{
}

MStateFile::ReadResult MStateFile::Read()
{
    values.clear();
    nSkipped = 0;
    szPath = PathOf(szCompany, szApplication, szFile);
    struct stat st {};
    if (szPath.empty() || (stat(szPath.c_str(), &st) != 0 && errno == ENOENT))
        return ReadResult::Missing;
    std::ifstream in(szPath, std::ios::binary);
    if (!in || !S_ISREG(st.st_mode))
        return ReadResult::Unreadable;
    std::string line;
    std::string name;
    int32_t value = 0;
    while (std::getline(in, line)) {
        if (ParseLine(line, &name, &value))
            values[name] = value;
        else
            ++nSkipped;
    }
    return in.bad() ? ReadResult::Unreadable : ReadResult::Read;
}

bool MStateFile::Get(const std::string& name, int32_t* pValue) const
{
    const auto it = values.find(name);
    if (it == values.end())
        return false;
    *pValue = it->second;
    return true;
}

std::string MStateFile::Format() const
{
    std::ostringstream out;
    for (const auto& [name, value] : values)
        out << name << ' ' << value << '\n';
    return out.str();
}

bool MStateFile::Set(const std::string& name, int32_t value) { return Set({{name, value}}); }

bool MStateFile::Set(std::initializer_list<std::pair<std::string, int32_t>> changes)
{
    for (const auto& [name, value] : changes)
        if (name.empty() || name.find_first_of(" \t\r\n") != std::string::npos)
            return false;
    for (const auto& [name, value] : changes)
        values[name] = value;
    if (szPath.empty())
        return false;
    return WriteWhole(szPath, Format());
}

std::string MStateFile::PathOf(const std::string& szCompany, const std::string& szApplication,
                               const std::string& szFile)
{
    const std::string home = XdgFolder("XDG_STATE_HOME", ".local/state");
    return home.empty() ? home : home + "/" + szCompany + "/" + szApplication + "/" + szFile;
}

bool MStateFile::WriteWhole(const std::string& szPath, const std::string& szText)
{
    return MakeFolders(szPath.substr(0, szPath.rfind('/'))) && WriteFileAtomically(szPath, szText);
}
