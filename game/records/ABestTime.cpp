#include "game/records/ABestTime.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include "game/app/AAppRollavex.h"

namespace {
constexpr const char* kHundredths = ".h";
constexpr int32_t kMaxSeconds = INT32_MAX / 100;
} // namespace

ABestTime::ABestTime() : file(AAppRollavex::kCompany, AAppRollavex::kName, "best-times") {}

void ABestTime::Open(uint64_t nMaze)
{
    char name[17];
    std::snprintf(name, sizeof name, "%016" PRIx64, nMaze);
    szMaze = name;
    file.Read();
    lPrevious = None;
    fPending = false;
    int32_t seconds = None;
    if (file.Get(szMaze + kHundredths, &lBest) && lBest >= 0)
        return;
    lBest = file.Get(szMaze, &seconds) && seconds >= 0 && seconds <= kMaxSeconds ? seconds * 100 : None;
}

bool ABestTime::OfferWin(int32_t nHundredths)
{
    if (nHundredths < 0 || (lBest != None && nHundredths >= lBest))
        return false;
    lPrevious = lBest;
    lBest = nHundredths;
    fPending = true;
    return true;
}

void ABestTime::Keep()
{
    if (!fPending)
        return;
    fPending = false;
    if (!file.Set(szMaze + kHundredths, lBest))
        std::fprintf(stderr, "Rollavex: the best time could not be kept in \"%s\".\n",
                     file.GetPath().empty() ? "$XDG_STATE_HOME or $HOME" : file.GetPath().c_str());
}

void ABestTime::Format(char* out, size_t nSize, int32_t nHundredths)
{
    const int32_t t = nHundredths < 0 ? 0 : nHundredths;
    std::snprintf(out, nSize, "%02d:%02d.%02d", int(t / 6000), int(t / 100 % 60), int(t % 100));
}

void ABestTime::FormatDifference(char* out, size_t nSize, int32_t nDelta)
{
    const int32_t size = std::abs(nDelta);
    std::snprintf(out, nSize, "%c%d.%02d", nDelta < 0 ? '-' : '+', int(size / 100), int(size % 100));
}
