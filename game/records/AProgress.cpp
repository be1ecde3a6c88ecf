#include "game/records/AProgress.h"

#include <algorithm>
#include <cstdio>
#include "game/app/AAppRollavex.h"

namespace {
constexpr const char* kUnlocked = "unlocked";
constexpr const char* kLast = "last";
} // namespace

AProgress::AProgress() : file(AAppRollavex::kCompany, AAppRollavex::kName, "progress") {}

void AProgress::Read(int32_t nCount)
{
    nMazes = std::max(nCount, 1);
    nUnlocked = nLast = 1;
    const MStateFile::ReadResult result = file.Read();
    if (result == MStateFile::ReadResult::Missing)
        return;
    if (!IsSound(result)) {
        std::fprintf(stderr, "Rollavex: the progress file \"%s\" is damaged or unreadable; only maze 1 is open.\n",
                     file.GetPath().c_str());
        nUnlocked = nLast = 1;
        return;
    }
    nUnlocked = std::min(nUnlocked, nMazes);
    nLast = std::min(nLast, nUnlocked);
}

// Both values there and at least 1, and nothing else in the file.
bool AProgress::IsSound(MStateFile::ReadResult result)
{
    return result == MStateFile::ReadResult::Read && file.GetSkippedLines() == 0 && file.Get(kUnlocked, &nUnlocked) &&
           file.Get(kLast, &nLast) && nUnlocked >= 1 && nLast >= 1;
}

void AProgress::Won(int32_t nMaze)
{
    if (nMaze < nMazes && nMaze + 1 > nUnlocked) {
        nUnlocked = nMaze + 1;
        fPending = true;
    }
}

void AProgress::Played(int32_t nMaze)
{
    if (nMaze == nLast || !IsUnlocked(nMaze))
        return;
    nLast = nMaze;
    Write();
}

void AProgress::Keep()
{
    if (fPending)
        Write();
}

// Each write replaces the whole file with both values.
void AProgress::Write()
{
    fPending = false;
    if (!file.Set({{kUnlocked, nUnlocked}, {kLast, nLast}}))
        std::fprintf(stderr, "Rollavex: the progress could not be kept in \"%s\".\n",
                     file.GetPath().empty() ? "$XDG_STATE_HOME or $HOME" : file.GetPath().c_str());
}
