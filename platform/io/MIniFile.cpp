#include "platform/io/MIniFile.h"
#include "platform/io/WriteFileAtomically.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kMaxWarnings = 10;
constexpr std::string_view kBom = "\xEF\xBB\xBF";

std::string_view TrimBlanks(std::string_view text)
{
    size_t start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos)
        return {};
    return text.substr(start, text.find_last_not_of(" \t") - start + 1);
}

int RefuseEmptyName(void*, const char*, const char* name, const char*) { return name && *name; }

// One line on its own, as inih takes it: blank, a comment, a section or name=value.
bool LineParses(std::string_view line)
{
    return line.size() <= MIniFile::kMaxLine && line.find('\0') == std::string_view::npos &&
           ini_parse_string(std::string(line).c_str(), RefuseEmptyName, nullptr) == 0;
}

struct Expected {
    const std::string& szSection;
    const std::string& szName;
    const std::string& szValue;
    int nSeen = 0;
};

int MatchExpected(void* user, const char* section, const char* name, const char* value)
{
    auto* expected = static_cast<Expected*>(user);
    if (expected->szSection == section && expected->szName == name && expected->szValue == value)
        ++expected->nSeen;
    return 1;
}

// A regular file of at most limit bytes; false with the reason otherwise.
bool ReadRegularFile(int fd, size_t limit, std::string& text, std::string& error)
{
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        error = "not a regular file";
        return false;
    }
    char buffer[4096];
    for (;;) {
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = n < 0 ? std::strerror(errno) : "";
            return n == 0;
        }
        text.append(buffer, static_cast<size_t>(n));
        if (text.size() > limit) {
            error = "larger than " + std::to_string(limit / 1024) + " KiB";
            return false;
        }
    }
}

} // namespace

// Feeds inih one line at a time, trimmed, so no line continues the one
// before it; a line that does not parse on its own goes in as a blank one.
struct MIniFile::Reader {
    MIniFile& file;
    const std::string& szSource;
    bool fWarn;
    size_t nLine = 0;
    int nWarnings = 0;

    void Warn()
    {
        if (!fWarn || nWarnings > kMaxWarnings)
            return;
        if (nWarnings++ == kMaxWarnings)
            std::fprintf(stderr, "%s: further lines that do not parse skipped without warning\n", szSource.c_str());
        else
            std::fprintf(stderr, "%s:%zu: line skipped: not a [section], a name=value line or a comment\n",
                         szSource.c_str(), nLine);
    }

    static char* Next(char* out, int capacity, void* stream)
    {
        auto* reader = static_cast<Reader*>(stream);
        if (reader->nLine == reader->file.rgLines.size())
            return nullptr;
        std::string_view line = TrimBlanks(reader->file.rgLines[reader->nLine++]);
        if (!LineParses(line) || line.size() >= static_cast<size_t>(capacity)) {
            reader->Warn();
            line = {};
        }
        line.copy(out, line.size());
        out[line.size()] = '\0';
        return out;
    }

    static int OnValue(void* user, const char* section, const char* name, const char* value)
    {
        auto* reader = static_cast<Reader*>(user);
        Section& entry = reader->file.rgSections[section];
        int line = static_cast<int>(reader->nLine);
        entry.rgValues[name] = {value, line};
        entry.nLastLine = line;
        return 1;
    }
};

bool MIniFile::Fail(const std::string& szWhy)
{
    szError = szWhy;
    return false;
}

MIniFile::State MIniFile::Load(const std::string& szPath, bool fWarn)
{
    Parse({}, szPath, false);
    szError.clear();
    // Non-blocking: a pipe in its place must not hang the start.
    int fd = open(szPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0 && (errno == ENOENT || errno == ENOTDIR))
        return State::Missing;
    std::string text;
    bool ok = fd >= 0 ? ReadRegularFile(fd, kMaxSize, text, szError) : Fail(std::strerror(errno));
    if (fd >= 0)
        close(fd);
    if (!ok)
        return State::Unreadable;
    Parse(text, szPath, fWarn);
    return State::Read;
}

void MIniFile::SplitLines(std::string_view text)
{
    rgLines.clear();
    szNewline = "\n";
    if (text.substr(0, kBom.size()) == kBom)
        text.remove_prefix(kBom.size());
    bool fEndingSeen = false;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        bool fCrLf = !line.empty() && line.back() == '\r';
        if (fCrLf)
            line.remove_suffix(1);
        if (end != std::string_view::npos && !fEndingSeen) {
            fEndingSeen = true;
            szNewline = fCrLf ? "\r\n" : "\n";
        }
        rgLines.emplace_back(line);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
}

void MIniFile::Index(const std::string& szSource, bool fWarn)
{
    rgSections.clear();
    Reader reader{*this, szSource, fWarn};
    ini_parse_stream(Reader::Next, &reader, Reader::OnValue, &reader);
}

void MIniFile::Parse(std::string_view text, const std::string& szSource, bool fWarn)
{
    SplitLines(text);
    Index(szSource, fWarn);
}

const MIniFile::Value* MIniFile::Find(const std::string& szSection, const std::string& szName) const
{
    auto section = rgSections.find(szSection);
    if (section == rgSections.end())
        return nullptr;
    auto value = section->second.rgValues.find(szName);
    return value == section->second.rgValues.end() ? nullptr : &value->second;
}

bool MIniFile::Set(const std::string& szSection, const std::string& szName, const std::string& szValue)
{
    std::string header = "[" + szSection + "]";
    std::string line = szName + "=" + szValue;
    Expected expected{szSection, szName, szValue};
    if (!LineParses(header) || !LineParses(line) ||
        ini_parse_string((header + "\n" + line).c_str(), MatchExpected, &expected) != 0 || expected.nSeen != 1)
        return false;
    auto section = rgSections.find(szSection);
    if (const Value* old = Find(szSection, szName)) {
        rgLines[static_cast<size_t>(old->nLine - 1)] = line;
    } else if (section != rgSections.end()) {
        rgLines.insert(rgLines.begin() + section->second.nLastLine, line);
    } else {
        rgLines.push_back(header);
        rgLines.push_back(line);
    }
    Index({}, false);
    return true;
}

std::string MIniFile::GetText() const
{
    std::string text;
    for (const std::string& line : rgLines)
        text += line + szNewline;
    return text;
}

bool MIniFile::Save(const std::string& szPath)
{
    std::string error;
    return WriteFileAtomically(szPath, GetText(), &error) || Fail(error);
}
