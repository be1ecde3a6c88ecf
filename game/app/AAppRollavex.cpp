#include "game/app/AAppRollavex.h"

#include "base/CException.h"
#include "base/FileSpec.h"
#include "base/Result.h"
#include "base/Trace.h"
#include "common/assets/CFileMM.h"
#include "game/options/AOptionsRollavex.h"
#include "game/app/AScreenRollavex.h"
#include "game/app/WindowIcon.h"
#include "platform/io/MDataFolders.h"
#include "platform/video/MDeviceManager.h"
#include "platform/io/MFileMMIO.h"
#include "platform/text/MFont.h"
#include "platform/text/MFontSet.h"
#include "platform/dialogs/MMessageDialog.h"
#include "platform/mesh/MMesh.h"
#include "platform/audio/MMusicManager.h"
#include "platform/dialogs/MOpenDialog.h"
#include "platform/io/MSettings.h"
#include "platform/audio/MSoundManager.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr const char* kSubkey = "Config";
constexpr int32_t kFullWidth = 800;
constexpr int32_t kFullHeight = 600;
constexpr int32_t kMinOpenGL = 33;
constexpr uint32_t kWindowedFlags = 0x11B;
constexpr uint32_t kFullScreenFlags = 0x910;
constexpr int32_t kNotHere = -1;
// SDL gives a window one icon, which the desktop scales: the small icon has no picture.
constexpr uint16_t kLargeIcon = 101;
constexpr uint16_t kSmallIcon = 102;

constexpr const char* kNoOpenGL =
    "OpenGL 3.3 or higher is not available on this machine.  Please install or update the graphics "
    "drivers for your video card.";
constexpr const char* kBitDepth =
    "Rollavex has a problem running Direct3D in windowed mode with your current video settings.  To "
    "run windowed, the bitdepth must be set to 16 or 32 bits.  Rollavex will try to run full screen.";
constexpr const char* kResolution =
    "Your screen resolution must be set to 800 x 600 or higher.  Please adjust your settings.  "
    "Rollavex will exit.";
constexpr const char* kFullScreenFailed =
    "Rollavex has a problem running in full screen mode.  Next time it will start in windowed mode.  "
    "Please check your video drivers.  Rollavex will exit.";
constexpr const char* kFatal = "Rollavex encountered a fatal error and will exit.";
constexpr const char* kNoSound = "Rollavex: no sound device; playing without sound.\n";
constexpr const char* kCannotLocate =
    "An asset file cannot be located.  Please point to the directory where it is located.";
constexpr const char* kMissing = "Game cannot be loaded.  An asset file is missing.";

// 0 open, kNotHere when no archive is at where, or Result::kArchiveRejected after telling that
// the one there is damaged. Mesh textures lie beside the archive.
int32_t OpenArchiveFrom(CFileMM* pArchive, const FileSpec& where, BWindow* pOwner)
{
    try {
        if (pArchive->Open(where, 2) != 0 || pArchive->GetEntryCount() <= 0) {
            AAppRollavex::ReportDamagedArchive(where.szName, nullptr, pOwner);
            return Result::kArchiveRejected;
        }
    } catch (const CFileException& e) {
        if (!AAppRollavex::IsArchivePresent(where))
            return kNotHere;
        AAppRollavex::ReportDamagedArchive(where.szName, e.Describe().c_str(), pOwner);
        return Result::kArchiveRejected;
    }
    MMesh::SetTextureFolder(where.szFolder);
    return 0;
}

} // namespace

bool AAppRollavex::IsArchivePresent(const FileSpec& where)
{
    MFileMMIO probe;
    return probe.Open(where, 9, 0) == 0;
}

void AAppRollavex::ShowBox(const char* szCaption, int32_t nIcon, const char* szText, BWindow* pOwner)
{
    MMessageDialog box;
    if (szCaption)
        box.SetCaption(szCaption);
    box.SetIcon(nIcon);
    box.SetText(szText);
    box.Show(pOwner);
}

void AAppRollavex::ReportDamagedArchive(const char* szFileName, const char* szIdentifier, BWindow* pOwner)
{
    std::string text = std::string("The asset file ") + szFileName +
                       " was found but is damaged.  Please reinstall Rollavex.  Rollavex will exit.";
    if (szIdentifier)
        text += std::string("  (") + szIdentifier + ")";
    ShowBox("Error", BMessageDialog::IconStop, text.c_str(), pOwner);
}

AAppRollavex::AAppRollavex()
{
    AddStringResource(1, kName);
    LoadStringResource(1, szName, sizeof szName);
    AddIconResource(kLargeIcon, kWindowIconPng, kWindowIconPngSize);
}

AAppRollavex::~AAppRollavex() { Shutdown(); }

// The reverse of Initialise: the game's scenes and archive (they hold
// textures, fonts and sounds), the services, the window, the options and the
// settings. The device lets go of its context while the window still exists.
void AAppRollavex::Shutdown()
{
    if (AScreenRollavex* screen = GetGameScreen())
        screen->ReleaseContent();
    ShutdownServices();
    DeleteScreen();
    pOptions.reset();
    DestroySettings();
}

COptions* AAppRollavex::GetOptions()
{
    if (!pOptions)
        pOptions = std::make_unique<AOptionsRollavex>();
    return pOptions.get();
}

void AAppRollavex::ShutdownServices()
{
    DestroyMusicManager();
    DestroySoundManager();
    DestroyFontSet();
    DestroyDeviceManager();
}

void AAppRollavex::RequestQuit()
{
    if (AScreenRollavex* screen = GetGameScreen())
        screen->FinishScene(nullptr, 99, 1);
}

AScreenRollavex* AAppRollavex::GetGameScreen() const { return static_cast<AScreenRollavex*>(GetScreen()); }

void AAppRollavex::ShowError(const char* szText, bool fOwned)
{
    ShowBox("Error", BMessageDialog::IconStop, szText, fOwned ? GetScreen() : nullptr);
}

void AAppRollavex::ShowWarning(const char* szText)
{
    ShowBox("Warning", BMessageDialog::IconExclamation, szText, nullptr);
}

void AAppRollavex::SaveFullscreen(int32_t fFull)
{
    COptions* options = GetOptions();
    options->Fullscreen = fFull;
    options->Save();
}

// Creates, in this order: the settings and the options, the window, the
// device on it, the fonts, the sound and the music managers, the game.
// Without a sound device the game plays silently. Shutdown destroys them in
// the reverse order.
int32_t AAppRollavex::Initialise()
{
    GetSettings()->OpenConfigRoot(GetCompanyName(), GetName());
    COptions* options = GetOptions();
    options->Load();
    if (options->Fullscreen)
        SetFullScreenMode(1, kFullWidth, kFullHeight);
    if (GetGraphicsVersion() < kMinOpenGL) {
        ShowError(kNoOpenGL, false);
        return 0;
    }
    if (!IsFullScreen() && !CheckWindowedDisplay())
        return 0;
    ReleaseDevice();
    wIconId = kLargeIcon;
    wSmallIconId = kSmallIcon;
    // A window that cannot be created fails at the device step.
    CreateScreenWindow();
    if (!CreateDeviceOrFail())
        return 0;
    if (CreateFonts() != 0) {
        CloseScreen();
        return 0;
    }
    if (InitialiseSound() != 0)
        std::fputs(kNoSound, stderr);
    InitialiseMusic();
    if (LoadAssetsAndCreateGame() != 0) {
        CloseScreen();
        return 0;
    }
    StartGame();
    fInitialised = 1;
    return MApplication::Initialise();
}

// 0 when the start-up must end.
int32_t AAppRollavex::CheckWindowedDisplay()
{
    if (!CanRunWindowed()) {
        ShowWarning(kBitDepth);
        SaveFullscreen(1);
        SetFullScreenMode(1, kFullWidth, kFullHeight);
        return 1;
    }
    if (!IsDisplayAtLeast(kFullWidth, kFullHeight)) {
        ShowError(kResolution, false);
        return 0;
    }
    return 1;
}

// A failed device flips the stored display mode for the next start.
int32_t AAppRollavex::CreateDeviceOrFail()
{
    if (CreateDevice() == 0)
        return 1;
    bool full = IsFullScreen() != 0;
    ShowError(full ? kFullScreenFailed : kFatal, true);
    SaveFullscreen(full ? 0 : 1);
    CloseScreen();
    return 0;
}

int32_t AAppRollavex::GetGraphicsVersion() { return GetDeviceManager()->GetOpenGLVersion(); }

int32_t AAppRollavex::CanRunWindowed() { return GetDeviceManager()->CanRunWindowed(); }

int32_t AAppRollavex::IsDisplayAtLeast(int32_t nMinWidth, int32_t nMinHeight)
{
    return GetDeviceManager()->IsDisplayAtLeast(nMinWidth, nMinHeight);
}

void AAppRollavex::ReleaseDevice() { DestroyDeviceManager(); }

int32_t AAppRollavex::CreateScreenWindow()
{
    auto* screen = new AScreenRollavex();
    Trace("Size of pScreen object = %d.\n", static_cast<int>(sizeof(AScreenRollavex)));
    SetScreen(screen);
    screen->SetIcon(LoadIconResource(wIconId));
    screen->SetWindowedSize(GetOptions()->WindowWidth, GetOptions()->WindowHeight);
    int32_t result = screen->Create(GetName(), GetWidth(), GetHeight(),
                                    IsFullScreen() ? kFullScreenFlags : kWindowedFlags);
    if (pOptions)
        screen->SetStickDeadZone(pOptions->StickDeadZone);
    SetTitle(GetName());
    screen->Show();
    return result;
}

int32_t AAppRollavex::CreateDevice()
{
    AScreenRollavex* screen = GetGameScreen();
    if (!screen || !screen->GetSDLWindow())
        return Result::kDeviceFailed;
    MDeviceManager* device = GetDeviceManager(screen->GetSDLWindow());
    int32_t result = device->CreateDevice(IsFullScreen(), GetWidth(), GetHeight());
    if (result == 0)
        screen->SetDevice(device);
    return result;
}

int32_t AAppRollavex::CreateFonts()
{
    MFontSet* fonts = GetFontSet();
    if (!fonts)
        return 1;
    fonts->Add("Arial", 16, 0);
    fonts->Add("Arial", 20, MFont::kBold);
    fonts->Add("Arial", 12, MFont::kBold);
    return 0;
}

int32_t AAppRollavex::InitialiseSound()
{
    return GetSoundManager()->Initialize(GetScreen()->GetSDLWindow(), snd::DSSCL_PRIORITY, 2, 22050, 16);
}

void AAppRollavex::InitialiseMusic()
{
    GetMusicManager()->Initialize(GetScreen()->GetSDLWindow(), GetSoundManager(), 64, 8);
}

int32_t AAppRollavex::LoadAssetsAndCreateGame() { return GetGameScreen()->LoadAssetsAndCreateGame(); }

void AAppRollavex::StartGame() { GetGameScreen()->StartGame(); }

void AAppRollavex::CloseScreen()
{
    if (AScreenRollavex* screen = GetGameScreen())
        screen->Close();
}

std::vector<std::string> AAppRollavex::ArchiveFolders(const char* szStartFolder)
{
    char stored[FileSpec::kLength];
    GetSettings()->ReadString(stored, "mmpath", szStartFolder, kSubkey, FileSpec::kLength);
    std::vector<std::string> folders{".\\", stored};
    for (const std::string& folder : MDataFolders::List("rollavex"))
        folders.push_back(folder);
    return folders;
}

int32_t AAppRollavex::LocateAndOpenArchive(CFileMM* pArchive, const char* szFileName, BWindow* pOwner,
                                           const char* szStartFolder)
{
    FileSpec where(".\\", szFileName);
    int32_t result = kNotHere;
    for (const std::string& folder : ArchiveFolders(szStartFolder)) {
        where.SetFolder(folder.c_str());
        result = OpenArchiveFrom(pArchive, where, pOwner);
        if (result != kNotHere)
            break;
    }
    while (result == kNotHere) {
        if (AskForArchiveFolder(szFileName, pOwner, &where) != 0)
            return Result::kArchiveNotFound;
        result = OpenArchiveFrom(pArchive, where, pOwner);
    }
    return result;
}

int32_t AAppRollavex::AskForArchiveFolder(const char* szFileName, BWindow* pOwner, FileSpec* pWhere)
{
    ShowBox(nullptr, BMessageDialog::IconStop, kCannotLocate, pOwner);
    MOpenDialog dialog;
    dialog.SetFilter("Asset files|*.mm|");
    dialog.SetFileName(szFileName);
    if (dialog.Show(pOwner) == BOpenDialog::Chosen) {
        FileSpec chosen;
        dialog.GetFolderAndName(&chosen);
        GetSettings()->WriteString("mmpath", chosen.szFolder, kSubkey);
        pWhere->SetFolder(chosen.szFolder);
        return 0;
    }
    ShowBox(nullptr, BMessageDialog::IconExclamation, kMissing, pOwner);
    return Result::kArchiveNotFound;
}
