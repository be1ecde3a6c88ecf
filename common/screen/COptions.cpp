#include "common/screen/COptions.h"

#include "base/BApplication.h"
#include "platform/io/MSettings.h"
#include "platform/window/MWindow.h"

#include <cstdio>
#include <cstring>

namespace {
constexpr const char* kSubkey = "Config";
constexpr int32_t kLargestWindow = 16384;

bool fFullscreenLatched = false;
int32_t nLatchedFullscreen = 0;
}

int32_t COptions::GetLatchedFullscreen() { return nLatchedFullscreen; }

bool COptions::IsFullscreenLatched() { return fFullscreenLatched; }

void COptions::ReadNumber(int32_t& out, const char* name, int32_t fallback)
{
    GetSettings()->ReadDword(&out, name, fallback, kSubkey);
}

void COptions::WriteNumber(const char* name, int32_t value)
{
    GetSettings()->WriteDword(name, value, kSubkey);
}

void COptions::ReadRanged(int32_t& out, const char* name, int32_t fallback, int32_t lowest, int32_t highest,
                          const char* subkey)
{
    if (GetSettings()->ReadDword(&out, name, fallback, subkey) != MSettings::Success ||
        (out >= lowest && out <= highest))
        return;
    std::fprintf(stderr, "settings: [%s] %s=%d is not from %d to %d; %d is used\n", subkey, name,
                 static_cast<int>(out), static_cast<int>(lowest), static_cast<int>(highest),
                 static_cast<int>(fallback));
    out = fallback;
}

int32_t COptions::Load()
{
    if (!GetApplication())
        return 0;
    ReadNumber(Difficulty, "Difficulty", 1);
    ReadNumber(Music, "Music", kDefaultMusic);
    ReadNumber(SFX, "SFX", 100);
    ReadNumber(Fullscreen, "Fullscreen", 1);
    ReadNumber(FirstTimeRun, "FirstTimeRun", 1);
    ReadNumber(Players, "Players", 1);
    ReadNumber(ShowHints, "ShowHints", 2);
    ReadRanged(WindowWidth, "WindowWidth", 0, MWindow::kMinWidth, kLargestWindow, kSubkey);
    ReadRanged(WindowHeight, "WindowHeight", 0, MWindow::kMinHeight, kLargestWindow, kSubkey);
    // Stored initials of exactly the field's size are kept cut to fit; longer ones are refused.
    char szStored[sizeof Initials + 1];
    GetSettings()->ReadString(szStored, "Initials", "", kSubkey, sizeof szStored);
    std::memcpy(Initials, szStored, sizeof Initials - 1);
    Initials[sizeof Initials - 1] = '\0';
    if (!fFullscreenLatched) {
        fFullscreenLatched = true;
        nLatchedFullscreen = Fullscreen;
    }
    return LoadExtra();
}

void COptions::Save()
{
    if (!GetApplication())
        return;
    WriteNumber("Difficulty", Difficulty);
    WriteNumber("Music", Music);
    WriteNumber("SFX", SFX);
    WriteNumber("Fullscreen", Fullscreen);
    WriteNumber("FirstTimeRun", FirstTimeRun);
    WriteNumber("Players", Players);
    WriteNumber("ShowHints", ShowHints);
    GetSettings()->WriteString("Initials", Initials, kSubkey);
    SaveExtra();
}

void COptions::SaveFullscreen(int32_t fFull)
{
    if (!GetApplication() || fFull == Fullscreen)
        return;
    Fullscreen = fFull;
    WriteNumber("Fullscreen", Fullscreen);
}

void COptions::SaveWindowSize(int32_t nWidth, int32_t nHeight)
{
    if (!GetApplication() || (nWidth == WindowWidth && nHeight == WindowHeight))
        return;
    WindowWidth = nWidth;
    WindowHeight = nHeight;
    WriteNumber("WindowWidth", WindowWidth);
    WriteNumber("WindowHeight", WindowHeight);
}
