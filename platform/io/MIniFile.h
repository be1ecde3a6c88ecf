#pragma once
#include <ini.h>
#include <strings.h>

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// A settings file in INI form, read with inih: "[section]" lines,
// "name=value" lines, ';' and '#' comments, blank lines, LF or CRLF endings.
// Sections and names compare without case; a later value overrides an
// earlier one. An edit replaces or adds one line and keeps every other line
// as written, known or not.
class MIniFile {
public:
    enum class State { Missing, Read, Unreadable };

    struct Value {
        std::string szText;
        int nLine = 0; // from 1
    };

    // The longest line inih reads whole.
    static constexpr size_t kMaxLine = INI_MAX_LINE - 3;
    static constexpr size_t kMaxSize = 1024 * 1024;

    // A file that exists but cannot be read (or is larger than kMaxSize)
    // reads as empty; GetError says why.
    State Load(const std::string& szPath, bool fWarn);
    // Each line that does not parse is skipped; with fWarn it gives one
    // warning on stderr naming szSource and the line.
    void Parse(std::string_view text, const std::string& szSource, bool fWarn);
    // Null when the section has no such value.
    const Value* Find(const std::string& szSection, const std::string& szName) const;
    // False, changing nothing, when the lines would not read back as given.
    bool Set(const std::string& szSection, const std::string& szName, const std::string& szValue);
    std::string GetText() const;
    // Temporary file beside the target, synced, then renamed over it; the
    // mode of an existing file is kept and a link is followed to its target.
    bool Save(const std::string& szPath);
    const std::string& GetError() const { return szError; }

private:
    struct NoCaseLess {
        bool operator()(const std::string& a, const std::string& b) const
        {
            return strcasecmp(a.c_str(), b.c_str()) < 0;
        }
    };
    struct Section {
        std::map<std::string, Value, NoCaseLess> rgValues;
        int nLastLine = 0;
    };
    struct Reader;

    void SplitLines(std::string_view text);
    void Index(const std::string& szSource, bool fWarn);
    bool Fail(const std::string& szWhy);

    std::vector<std::string> rgLines;
    std::string szNewline = "\n";
    std::map<std::string, Section, NoCaseLess> rgSections;
    std::string szError;
};
