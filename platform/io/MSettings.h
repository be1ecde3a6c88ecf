#pragma once
#include "platform/io/MIniFile.h"

#include <cstdint>
#include <set>
#include <string>

// Typed key/value store in place of the registry: the INI file
// $XDG_CONFIG_HOME/<company>/<application>/settings.ini (default
// ~/.config), one [section] per subkey, "name=value" with numbers in
// decimal. The file is read when the key is opened and again before each
// write, which keeps every other line; the folder is made on the first
// write. Results are the registry's codes: 0 success, 2 missing, 6 no key,
// 13 not a number, 29 write failed, 87 not storable, 234 value too large.
class MSettings {
public:
    enum : int32_t {
        Success = 0,
        NotFound = 2,
        NoKey = 6,
        InvalidData = 13,
        WriteFault = 29,
        InvalidParameter = 87,
        MoreData = 234,
    };

    // Names the file for "Software" / company / name and reads it; fails only
    // for names that are not plain file names, or without a home folder.
    int32_t OpenConfigRoot(const char* company, const char* name);
    bool IsOpen() const { return !szFile.empty(); }
    const std::string& GetFilePath() const { return szFile; }

    // Reads store the default when the value is missing, no number, too large or the key is closed.
    int32_t ReadDword(int32_t* out, const char* name, int32_t fallback, const char* subkey);
    // The result is always zero-terminated within capacity.
    int32_t ReadString(char* out, const char* name, const char* fallback, const char* subkey,
                       uint32_t capacity);
    // A failed write says why on stderr; a file that could not be read is never replaced.
    int32_t WriteDword(const char* name, int32_t value, const char* subkey);
    int32_t WriteString(const char* name, const char* text, const char* subkey);

private:
    int32_t Find(const char* name, const char* subkey, const MIniFile::Value*& value) const;
    int32_t Store(const char* name, const std::string& text, const char* subkey);
    int32_t Refuse(const char* name, const std::string& szWhy, int32_t result) const;

    std::string szFolder;
    std::string szFile;
    MIniFile file;
    // Lines already reported as no number.
    std::set<int> rgWarnedLines;
};

// The process-wide store; created on first use, deleted by the application's shutdown.
MSettings* GetSettings();
void DestroySettings();
