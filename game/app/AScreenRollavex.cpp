#include "game/app/AScreenRollavex.h"

#include "base/BMessageDialog.h"
#include "base/CException.h"
#include "base/Result.h"
#include "base/Trace.h"
#include "common/assets/CFileMM.h"
#include "game/app/AAppRollavex.h"
#include "game/AGameRollavex.h"
#include "platform/video/MDeviceManager.h"

#include <string>

int32_t AScreenRollavex::LoadAssetsAndCreateGame()
{
    delete pMMFile;
    pMMFile = new CFileMM();
    Trace("Size of pMMFile object = %d.\n", static_cast<int>(sizeof(CFileMM)));
    const int32_t located = AAppRollavex::LocateAndOpenArchive(pMMFile, AAppRollavex::kArchiveName, this, ".");
    if (located != 0)
        return located;
    if (IsFullScreen())
        GetDeviceManager()->SetDeviceCursorFromClass();
    ShowPointer(1);
    bool windowed = !IsFullScreen();
    pScene = new AGameRollavex(this, windowed ? WindowedOffsetX : 0, windowed ? WindowedOffsetY : 0, 0, 1, 0, 1);
    Trace("Size of pScene object = %d.\n", static_cast<int>(sizeof(AGameRollavex)));
    return LoadGame();
}

int32_t AScreenRollavex::LoadGame()
{
    try {
        const int32_t result = pScene->Load();
        if (result != 0) {
            const std::string text = std::string("The game cannot be loaded: an asset in the file ") + AAppRollavex::kArchiveName +
                                     " cannot be used (error " + std::to_string(result) + ").  Rollavex will exit.";
            AAppRollavex::ShowBox("Error", BMessageDialog::IconStop, text.c_str(), this);
        }
        return result;
    } catch (const CException& e) {
        AAppRollavex::ReportDamagedArchive(AAppRollavex::kArchiveName, e.Describe().c_str(), this);
        return Result::kLoaderFailed;
    }
}

int32_t AScreenRollavex::StartGame()
{
    if (pScene)
        pScene->Begin();
    return 0;
}

int32_t AScreenRollavex::IsMusicOff() { return fAudio ? CScreen::IsMusicOff() : 1; }

int32_t AScreenRollavex::IsSoundOff() { return fAudio ? CScreen::IsSoundOff() : 1; }
