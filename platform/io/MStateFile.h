#pragma once
#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <utility>

// Numbers the game keeps between runs, in one file of the player's state
// folder: $XDG_STATE_HOME/<company>/<application>/<file> (default
// ~/.local/state). One "name value" line each, the value in decimal; a line
// that does not read so is skipped, so a damaged file costs only its damaged
// lines, and the next write replaces it.
class MStateFile {
public:
    enum class ReadResult { Missing, Read, Unreadable };

    MStateFile(const char* szCompany, const char* szApplication, const char* szFile);

    // Finds the file again and reads it; a missing or unreadable file holds no values.
    ReadResult Read();
    // Lines of the last read that did not read as "name value".
    int32_t GetSkippedLines() const { return nSkipped; }
    // False when the file holds no value of that name.
    bool Get(const std::string& name, int32_t* pValue) const;
    // Sets the value and replaces the file, making its folders as needed;
    // false when the file could not be written (the value is set all the same)
    // or the name is empty or holds a blank (it is not set).
    bool Set(const std::string& name, int32_t value);
    // The same for several values, with one write of the file.
    bool Set(std::initializer_list<std::pair<std::string, int32_t>> changes);
    // Empty when neither XDG_STATE_HOME nor HOME gives an absolute folder.
    const std::string& GetPath() const { return szPath; }

    // Where a file of the state folder is; empty as GetPath.
    static std::string PathOf(const std::string& szCompany, const std::string& szApplication,
                              const std::string& szFile);
    // Replaces the file at once with the text, making its private folders as needed.
    static bool WriteWhole(const std::string& szPath, const std::string& szText);

private:
    std::string Format() const;

    std::string szCompany;
    std::string szApplication;
    std::string szFile;
    std::string szPath;
    std::map<std::string, int32_t> values;
    int32_t nSkipped = 0;
};
