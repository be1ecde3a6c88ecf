// A replay file played by the game, loaded from the seed archive, to its last record.
#include <memory>
#include "FuzzSupport.h"
#include "common/screen/CInputRecorder.h"
#include "game/AGameRollavex.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::StartSound();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    setenv("RVX_REPLAY", fuzz::WriteFile("replay.txt", data, size).c_str(), 1);
    fuzz::Screen screen;
    screen.OpenGameArchive();
    std::unique_ptr<AGameRollavex> game;
    try {
        game = std::make_unique<AGameRollavex>(&screen, 0, 0, 0, 1, 0, 1);
    } catch (const CException&) {
        return 0;
    }
    if (game->Load() != 0 || game->Begin() != 0)
        std::abort();
    CInputRecorder* recorder = GetInputRecorder();
    // Each frame takes at least one record; the replay stops itself after its last.
    const size_t records = recorder->GetReplayLength();
    for (size_t frame = 0; frame < records && recorder->GetMode() == CInputRecorder::kReplaying; ++frame) {
        CScene::UpdateAllScenes();
        CScene::TickAllScenes();
    }
    game.reset();
    recorder->Stop();
    return 0;
}
