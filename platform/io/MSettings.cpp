#include "platform/io/MSettings.h"
#include "platform/io/ParseInt32.h"
#include "platform/io/XdgFolder.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

MSettings* pSettings = nullptr;

constexpr const char* kFileName = "settings.ini";

// Key and subkey names become folder and section names: no separators, not "." or "..".
bool IsPlainName(const char* name)
{
    return name && *name && std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0 &&
           std::strpbrk(name, "/\\") == nullptr;
}

} // namespace

MSettings* GetSettings()
{
    if (!pSettings)
        pSettings = new MSettings();
    return pSettings;
}

void DestroySettings()
{
    delete pSettings;
    pSettings = nullptr;
}

int32_t MSettings::OpenConfigRoot(const char* company, const char* name)
{
    szFolder.clear();
    szFile.clear();
    rgWarnedLines.clear();
    file = MIniFile();
    std::string home = XdgFolder("XDG_CONFIG_HOME", ".config");
    if (home.empty() || !IsPlainName(company) || !IsPlainName(name))
        return NotFound;
    szFolder = home + "/" + company + "/" + name;
    szFile = szFolder + "/" + kFileName;
    if (file.Load(szFile, true) == MIniFile::State::Unreadable)
        std::fprintf(stderr, "%s: %s; the defaults are used and the file is left as it is\n", szFile.c_str(),
                     file.GetError().c_str());
    return Success;
}

int32_t MSettings::Find(const char* name, const char* subkey, const MIniFile::Value*& value) const
{
    if (!IsOpen() || !IsPlainName(subkey) || !name)
        return NoKey;
    value = file.Find(subkey, name);
    return value ? Success : NotFound;
}

int32_t MSettings::ReadDword(int32_t* out, const char* name, int32_t fallback, const char* subkey)
{
    *out = fallback;
    const MIniFile::Value* value = nullptr;
    int32_t result = Find(name, subkey, value);
    if (result != Success)
        return result;
    if (ParseInt32(value->szText, out))
        return Success;
    *out = fallback;
    if (rgWarnedLines.insert(value->nLine).second)
        std::fprintf(stderr, "%s:%d: %s is not a whole number; %d is used\n", szFile.c_str(), value->nLine, name,
                     fallback);
    return InvalidData;
}

int32_t MSettings::ReadString(char* out, const char* name, const char* fallback, const char* subkey,
                              uint32_t capacity)
{
    if (capacity == 0)
        return MoreData;
    std::memset(out, 0, capacity);
    const MIniFile::Value* value = nullptr;
    int32_t result = Find(name, subkey, value);
    // The text and its terminating NUL must fit.
    if (result == Success && value->szText.size() >= capacity)
        result = MoreData;
    if (result == Success)
        std::memcpy(out, value->szText.data(), value->szText.size());
    else
        std::strncpy(out, fallback ? fallback : "", capacity - 1);
    out[capacity - 1] = '\0';
    return result;
}

int32_t MSettings::Refuse(const char* name, const std::string& szWhy, int32_t result) const
{
    std::fprintf(stderr, "%s: %s not stored: %s\n", szFile.c_str(), name, szWhy.c_str());
    return result;
}

// Reads the file afresh so that edits made since the start are kept.
int32_t MSettings::Store(const char* name, const std::string& text, const char* subkey)
{
    if (!IsOpen() || !IsPlainName(subkey))
        return NoKey;
    if (!name || !*name)
        return InvalidParameter;
    MIniFile current;
    if (current.Load(szFile, false) == MIniFile::State::Unreadable)
        return Refuse(name, current.GetError() + "; the file is left as it is", WriteFault);
    if (!current.Set(subkey, name, text))
        return Refuse(name, "\"" + text + "\" cannot be written as one name=value line", InvalidParameter);
    std::error_code error;
    std::filesystem::create_directories(szFolder, error);
    if (error)
        return Refuse(name, szFolder + ": " + error.message(), WriteFault);
    if (!current.Save(szFile))
        return Refuse(name, current.GetError(), WriteFault);
    file = std::move(current);
    return Success;
}

int32_t MSettings::WriteDword(const char* name, int32_t value, const char* subkey)
{
    return Store(name, std::to_string(value), subkey);
}

int32_t MSettings::WriteString(const char* name, const char* text, const char* subkey)
{
    return Store(name, text ? text : "", subkey);
}
