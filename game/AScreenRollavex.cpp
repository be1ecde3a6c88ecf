#include "game/AScreenRollavex.h"

#include "base/Trace.h"
#include "common/CFileMM.h"
#include "game/AAppRollavex.h"
#include "game/AGameRollavex.h"
#include "platform/MDeviceManager.h"

namespace {
constexpr int32_t kArchiveMissing = 6;
}

int32_t AScreenRollavex::LoadAssetsAndCreateGame()
{
    delete pMMFile;
    pMMFile = new CFileMM();
    Trace("Size of pMMFile object = %d.\n", static_cast<int>(sizeof(CFileMM)));
    if (AAppRollavex::LocateAndOpenArchive(pMMFile, "RollavexAssets.mm", this, ".") != 0)
        return kArchiveMissing;
    if (IsFullScreen())
        GetDeviceManager()->SetDeviceCursorFromClass();
    ShowPointer(1);
    bool windowed = !IsFullScreen();
    pScene = new AGameRollavex(this, windowed ? WindowedOffsetX : 0, windowed ? WindowedOffsetY : 0, 0, 1, 0, 1);
    Trace("Size of pScene object = %d.\n", static_cast<int>(sizeof(AGameRollavex)));
    pScene->Load();
    return 0;
}

int32_t AScreenRollavex::StartGame()
{
    if (pScene)
        pScene->Begin();
    return 0;
}

int32_t AScreenRollavex::IsMusicOff() { return fAudio ? CScreen::IsMusicOff() : 1; }

int32_t AScreenRollavex::IsSoundOff() { return fAudio ? CScreen::IsSoundOff() : 1; }
