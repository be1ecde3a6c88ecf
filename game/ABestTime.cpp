#include "game/ABestTime.h"

#include <cinttypes>
#include <cstdio>
#include "game/AAppRollavex.h"

ABestTime::ABestTime() : file(AAppRollavex::kCompany, AAppRollavex::kName, "best-times") {}

void ABestTime::Open(uint64_t nMaze)
{
    char name[17];
    std::snprintf(name, sizeof name, "%016" PRIx64, nMaze);
    szMaze = name;
    file.Read();
    if (!file.Get(szMaze, &lBest) || lBest < 0)
        lBest = None;
}

bool ABestTime::OfferWin(int32_t nSeconds)
{
    if (nSeconds < 0 || (lBest != None && nSeconds >= lBest))
        return false;
    lBest = nSeconds;
    if (!file.Set(szMaze, lBest))
        std::fprintf(stderr, "Rollavex: the best time could not be kept in \"%s\".\n",
                     file.GetPath().empty() ? "$XDG_STATE_HOME or $HOME" : file.GetPath().c_str());
    return true;
}
