#include "platform/MSettings.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>

namespace {

MSettings* pSettings = nullptr;

constexpr const char* kHeader = "RVXSETTINGS 1";
constexpr const char* kFooter = "end";
constexpr std::streamsize kMaxFileSize = 64 * 1024;

bool IsFolder(const std::string& path)
{
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string ConfigHome()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg)
        return xdg;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.config";
}

// Key and subkey names become file and folder names: no separators, not "." or "..".
bool IsPlainName(const char* name)
{
    return name && *name && std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0 &&
           std::strpbrk(name, "/\\") == nullptr;
}

std::string Escape(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else
            out += c;
    }
    return out;
}

bool Unescape(const std::string& text, std::string& out)
{
    out.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size())
            return false;
        switch (text[i]) {
        case '\\': out += '\\'; break;
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        default: return false;
        }
    }
    return true;
}

std::string NumberBytes(uint32_t value)
{
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

uint32_t BytesNumber(const std::string& bytes)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    return value;
}

bool ParseNumber(const std::string& text, uint32_t& value)
{
    if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    unsigned long long n = std::strtoull(text.c_str(), nullptr, 10);
    if (n > 0xFFFFFFFFull)
        return false;
    value = static_cast<uint32_t>(n);
    return true;
}

using Values = std::map<std::string, std::pair<bool, std::string>>;

bool ParseLine(const std::string& line, Values& values)
{
    size_t tab1 = line.find('\t');
    size_t tab2 = tab1 == std::string::npos ? tab1 : line.find('\t', tab1 + 1);
    if (tab2 == std::string::npos)
        return false;
    std::string type = line.substr(0, tab1);
    std::string name;
    std::string data;
    if (!Unescape(line.substr(tab1 + 1, tab2 - tab1 - 1), name) || name.empty())
        return false;
    std::string field = line.substr(tab2 + 1);
    if (type == "dword") {
        uint32_t n = 0;
        if (!ParseNumber(field, n))
            return false;
        values[name] = {true, NumberBytes(n)};
        return true;
    }
    if (type == "sz" && Unescape(field, data)) {
        values[name] = {false, data};
        return true;
    }
    return false;
}

// One value per line: "dword<TAB>name<TAB>decimal" or "sz<TAB>name<TAB>text",
// between a header and a footer line. Anything else makes the whole file
// unreadable, so a damaged or cut file reads as empty.
bool Parse(const std::string& content, Values& values)
{
    std::istringstream in(content);
    std::string line;
    if (!std::getline(in, line) || line != kHeader)
        return false;
    while (std::getline(in, line)) {
        if (line == kFooter)
            return in.peek() == std::char_traits<char>::eof();
        if (!ParseLine(line, values))
            return false;
    }
    return false;
}

std::string Format(const Values& values)
{
    std::string out = std::string(kHeader) + "\n";
    for (const auto& [name, value] : values) {
        const auto& [fNumber, data] = value;
        out += fNumber ? "dword\t" : "sz\t";
        out += Escape(name) + "\t";
        out += fNumber ? std::to_string(BytesNumber(data)) : Escape(data);
        out += "\n";
    }
    return out + kFooter + "\n";
}

Values ReadValues(const std::string& path)
{
    Values values;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return values;
    std::string content(static_cast<size_t>(kMaxFileSize) + 1, '\0');
    in.read(content.data(), kMaxFileSize + 1);
    std::streamsize got = in.gcount();
    if (got > kMaxFileSize)
        return values;
    content.resize(static_cast<size_t>(got));
    if (!Parse(content, values))
        values.clear();
    return values;
}

// Temp file in the same folder, then rename: readers see the old or the new file.
bool WriteValues(const std::string& path, const Values& values)
{
    std::string temp = path + ".tmp." + std::to_string(getpid());
    std::string content = Format(values);
    FILE* file = std::fopen(temp.c_str(), "wb");
    if (!file)
        return false;
    bool ok = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    ok = std::fflush(file) == 0 && ok;
    ok = fsync(fileno(file)) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    if (ok && std::rename(temp.c_str(), path.c_str()) == 0)
        return true;
    std::remove(temp.c_str());
    return false;
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
    szKeyFolder.clear();
    std::string folder = ConfigHome();
    for (const char* part : {company, name}) {
        if (!IsPlainName(part) || !IsFolder(folder))
            return NotFound;
        folder += "/";
        folder += part;
    }
    if (!IsFolder(folder))
        return NotFound;
    szKeyFolder = folder;
    return Success;
}

std::string MSettings::SubkeyPath(const char* subkey) const
{
    return szKeyFolder + "/" + subkey;
}

int32_t MSettings::Query(const char* name, const char* subkey, void* out, uint32_t capacity)
{
    if (!IsOpen() || !IsPlainName(subkey) || !name)
        return NoKey;
    Values values = ReadValues(SubkeyPath(subkey));
    auto it = values.find(name);
    if (it == values.end())
        return NotFound;
    const std::string& data = it->second.second;
    if (data.size() > capacity)
        return MoreData;
    std::memcpy(out, data.data(), data.size());
    return Success;
}

int32_t MSettings::ReadDword(int32_t* out, const char* name, int32_t fallback, const char* subkey)
{
    unsigned char bytes[4] = {};
    int32_t result = Query(name, subkey, bytes, sizeof bytes);
    if (result != Success) {
        *out = fallback;
        return result;
    }
    *out = static_cast<int32_t>(BytesNumber(std::string(reinterpret_cast<char*>(bytes), 4)));
    return Success;
}

int32_t MSettings::ReadString(char* out, const char* name, const char* fallback, const char* subkey,
                              uint32_t capacity)
{
    if (capacity == 0)
        return MoreData;
    std::memset(out, 0, capacity);
    int32_t result = Query(name, subkey, out, capacity);
    if (result != Success)
        std::strncpy(out, fallback ? fallback : "", capacity - 1);
    out[capacity - 1] = '\0';
    return result;
}

int32_t MSettings::Store(const char* name, bool fNumber, const std::string& data, const char* subkey)
{
    if (!IsOpen() || !IsPlainName(subkey))
        return NoKey;
    if (!name || !*name)
        return InvalidParameter;
    std::string path = SubkeyPath(subkey);
    Values values = ReadValues(path);
    values[name] = {fNumber, data};
    return WriteValues(path, values) ? Success : WriteFault;
}

int32_t MSettings::WriteDword(const char* name, int32_t value, const char* subkey)
{
    return Store(name, true, NumberBytes(static_cast<uint32_t>(value)), subkey);
}

int32_t MSettings::WriteString(const char* name, const char* text, const char* subkey)
{
    return Store(name, false, text ? text : "", subkey);
}
