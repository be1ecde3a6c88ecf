#pragma once
#include <cstdint>

// The general settings, loaded from the settings store's "Config" key.
// Fields are read directly; the values in brackets are those before Load().
class COptions {
public:
    COptions() = default;
    virtual ~COptions() = default;
    virtual int32_t LoadExtra() { return 0; }
    virtual void SaveExtra() {}

    // Reads the values, latches the full-screen setting on the first load,
    // then LoadExtra(); returns its result. Nothing without an application.
    int32_t Load();
    // Writes the general values, then SaveExtra(). Nothing without an application.
    void Save();
    // Each writes its own lines only, and only what changed.
    void SaveFullscreen(int32_t fFull);
    void SaveWindowSize(int32_t nWidth, int32_t nHeight);

    // The full-screen setting as it was at the first load; it never changes after.
    static int32_t GetLatchedFullscreen();
    static bool IsFullscreenLatched();

    int32_t Difficulty = 2;
    int32_t Players = 1;
    // The music sits under the sound effects unless the player raises it.
    static constexpr int32_t kDefaultMusic = 70;
    int32_t Music = kDefaultMusic; // percent; -1 off
    int32_t SFX = 100;        // percent; -1 off
    int32_t Fullscreen = 0;
    int32_t FirstTimeRun = 0;
    int32_t File1LoadEnabled = 0;
    int32_t nReserved1 = 1;
    int32_t ShowHints = 2;
    int32_t nReserved2 = 0;
    char Initials[8] = {};
    int32_t nReserved3 = 0;
    int32_t rgnReserved4[3] = {1, 0, 1};
    int32_t DiceMoveMode = 0;
    int32_t rgnReserved5[2] = {0, 1};
    int32_t NumDiceSuits = 2;
    // The window's size when not full screen, "WindowWidth" and
    // "WindowHeight"; 0 when not stored or out of range: the picture's size.
    int32_t WindowWidth = 0;
    int32_t WindowHeight = 0;

protected:
    // Reads and writes in the "Config" key.
    static void ReadNumber(int32_t& out, const char* name, int32_t fallback);
    static void WriteNumber(const char* name, int32_t value);
    // A number of the subkey from lowest to highest, the fallback when not
    // stored; one out of its range is reported on stderr and the fallback used.
    static void ReadRanged(int32_t& out, const char* name, int32_t fallback, int32_t lowest, int32_t highest,
                           const char* subkey);
};
