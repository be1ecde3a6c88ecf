// An asset archive: opened with its map, every entry point's chunks walked,
// then the game's assets loaded from it in the game's order.
#include "FuzzSupport.h"
#include "game/AGameRollavex.h"

namespace {

void WalkEntry(CFileMM* archive, uint32_t index)
{
    try {
        archive->SeekEntryPoint(index);
        ChunkHeader header;
        while (archive->GetRemaining() >= 8) {
            archive->Descend(&header);
            archive->Ascend();
        }
    } catch (const CException&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::StartSound();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::WriteFile("fuzz.mm", data, size);
    fuzz::Screen screen;
    try {
        screen.OpenArchive("fuzz.mm");
    } catch (const CException&) {
        return 0;
    }
    for (int32_t i = 0; i < screen.GetMMFile()->GetEntryCount(); ++i)
        WalkEntry(screen.GetMMFile(), uint32_t(i));
    AGameRollavex game(&screen, 0, 0, 0, 1, 0, 1);
    try {
        game.Load();
    } catch (const CException&) {
    }
    return 0;
}
