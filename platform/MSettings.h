#pragma once
#include <cstdint>
#include <string>

// Typed key/value store in place of the registry. The key path
// "Software" / company / application maps to the folder
// $XDG_CONFIG_HOME/<company>/<application>/ (default ~/.config); each subkey
// is one file in it. The key exists only when its folder exists. Results are
// the registry's codes: 0 success, 2 missing, 6 no key, 234 value too large,
// 29 write failed.
class MSettings {
public:
    enum : int32_t {
        Success = 0,
        NotFound = 2,
        NoKey = 6,
        WriteFault = 29,
        InvalidParameter = 87,
        MoreData = 234,
    };

    // Opens the key "Software" / company / name; on failure the key stays closed.
    int32_t OpenConfigRoot(const char* company, const char* name);
    bool IsOpen() const { return !szKeyFolder.empty(); }
    const std::string& GetKeyFolder() const { return szKeyFolder; }

    // Reads store the default when the value is missing, too large or the key is absent.
    int32_t ReadDword(int32_t* out, const char* name, int32_t fallback, const char* subkey);
    // The result is always zero-terminated within capacity.
    int32_t ReadString(char* out, const char* name, const char* fallback, const char* subkey,
                       uint32_t capacity);
    int32_t WriteDword(const char* name, int32_t value, const char* subkey);
    int32_t WriteString(const char* name, const char* text, const char* subkey);

private:
    int32_t Query(const char* name, const char* subkey, void* out, uint32_t capacity);
    // data: a number's 4 little-endian bytes, or the text.
    int32_t Store(const char* name, bool fNumber, const std::string& data, const char* subkey);
    std::string SubkeyPath(const char* subkey) const;

    std::string szKeyFolder;
};

// The process-wide store; created on first use, deleted by the application's shutdown.
MSettings* GetSettings();
void DestroySettings();
