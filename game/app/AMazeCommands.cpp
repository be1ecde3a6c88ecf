#include "game/app/AMazeCommands.h"

#include <cstring>
#include <string>
#include "base/CException.h"
#include "base/FileSpec.h"
#include "common/assets/CFileMM.h"
#include "common/status/CClock.h"
#include "game/app/AAppRollavex.h"
#include "game/records/ABestTime.h"
#include "game/maze/AMazeSet.h"
#include "game/records/AProgress.h"
#include "platform/io/MSettings.h"

namespace {

// The archive's mazes and the player's progress through them.
struct MazeBook {
    CFileMM archive;
    AMazeSet mazes;
    AProgress progress;
};

void TellDamaged(const CException& e)
{
    std::fprintf(stderr, "Rollavex: the asset file %s is damaged (%s).\n", AAppRollavex::kArchiveName,
                 e.Describe().c_str());
}

// Opens the first archive found where the game looks for it; false after a
// line on standard error.
bool Open(MazeBook& book)
{
    GetSettings()->OpenConfigRoot(AAppRollavex::kCompany, AAppRollavex::kName);
    for (const std::string& folder : AAppRollavex::ArchiveFolders(".")) {
        const FileSpec where(folder.c_str(), AAppRollavex::kArchiveName);
        if (!AAppRollavex::IsArchivePresent(where))
            continue;
        try {
            book.archive.Open(where, 2);
            book.mazes.ReadFrom(&book.archive);
            book.progress.Read(book.mazes.Count());
            return true;
        } catch (const CException& e) {
            TellDamaged(e);
            return false;
        }
    }
    std::fprintf(stderr, "Rollavex: the asset file %s cannot be found.\n", AAppRollavex::kArchiveName);
    return false;
}

} // namespace

int AMazeCommands::List(FILE* out)
{
    MazeBook book;
    if (!Open(book))
        return 1;
    try {
        ABestTime best;
        for (int32_t n = 1; n <= book.mazes.Count(); ++n) {
            best.Open(book.mazes.ReadKey(&book.archive, n));
            char time[16] = "-";
            if (best.Get() != ABestTime::None)
                CClock::FormatTime(time, best.Get(), 4);
            std::fprintf(out, "%-2d  %-31s  %s", int(n), book.mazes.Get(n).szName, time);
            if (!book.progress.IsUnlocked(n))
                std::fprintf(out, "%*s  locked", int(5 - std::strlen(time)), "");
            std::fputc('\n', out);
        }
    } catch (const CException& e) {
        TellDamaged(e);
        return 1;
    }
    return 0;
}

int AMazeCommands::CheckStart(int32_t nMaze)
{
    MazeBook book;
    if (!Open(book))
        return 1;
    const int32_t count = book.mazes.Count();
    if (nMaze < 1 || nMaze > count) {
        std::fprintf(stderr, "Rollavex: there is no maze %d; the mazes are 1 to %d.\n", int(nMaze), int(count));
        return 2;
    }
    if (!book.progress.IsUnlocked(nMaze)) {
        std::fprintf(stderr, "Rollavex: maze %d is locked; win maze %d to open it.\n", int(nMaze), int(nMaze - 1));
        return 2;
    }
    return 0;
}
