#include "game/AScreenRollavex.h"

#include "base/Trace.h"
#include "common/CFileMM.h"
#include "common/CScene.h"
#include "game/AAppRollavex.h"
#include "platform/MDeviceManager.h"

#if __has_include("game/AGameRollavex.h")
#include "game/AGameRollavex.h"
using GameScene = AGameRollavex;
#else
// Until the game scene exists the screen hosts an empty scene.
using GameScene = CScene;
#endif

namespace {
constexpr int32_t kArchiveMissing = 6;
}

CScene* AScreenRollavex::CreateGameScene(int32_t lOffsetX, int32_t lOffsetY)
{
    return new GameScene(this, lOffsetX, lOffsetY, 0, 1, 0, 1);
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
    pScene = CreateGameScene(windowed ? WindowedOffsetX : 0, windowed ? WindowedOffsetY : 0);
    Trace("Size of pScene object = %d.\n", static_cast<int>(sizeof(GameScene)));
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
