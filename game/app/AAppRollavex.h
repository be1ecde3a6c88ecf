#pragma once
#include "platform/window/MApplication.h"
#include <memory>
#include <string>
#include <vector>

class AOptionsRollavex;
class AScreenRollavex;
class BWindow;
class CFileMM;
struct FileSpec;

// The game's application: the ordered start-up with its checks of the
// machine, the process-wide services and the search for the asset archive.
class AAppRollavex : public MApplication {
public:
    static constexpr const char* kCompany = "Orvande";
    static constexpr const char* kName = "Rollavex";
    static constexpr const char* kArchiveName = "RollavexAssets.mm";

    AAppRollavex();
    ~AAppRollavex() override;

    // 1 when the game is ready to run, 0 when the start-up ended (after its message).
    int32_t Initialise() override;
    // Music, sound, fonts and the device, the reverse of their creation.
    void ShutdownServices() override;
    // Ends what Initialise made, in the reverse order; the destructor's work.
    void Shutdown();
    // Ends the program at the next frame.
    void RequestQuit() override;
    const char* GetCompanyName() const override { return kCompany; }
    COptions* GetOptions() override;

    // Opens the archive from the working folder, then from the stored folder
    // "mmpath" (the start folder when none is stored), then from the installed
    // data folders, then from wherever the user points. 0 open, 6 the user
    // gave up, 7 the file opened but is no usable archive.
    static int32_t LocateAndOpenArchive(CFileMM* pArchive, const char* szFileName, BWindow* pOwner,
                                        const char* szStartFolder);
    // Where the archive is looked for, in that order: the working folder, the
    // stored folder "mmpath" (the start folder when none is stored), the
    // installed data folders. The settings must be open.
    static std::vector<std::string> ArchiveFolders(const char* szStartFolder);
    // Whether the archive's file is there (its open may still fail).
    static bool IsArchivePresent(const FileSpec& where);
    // Asks the user for the archive's folder, stores it and sets it as
    // pWhere's folder, stored or not; 0, or 6 when cancelled.
    static int32_t AskForArchiveFolder(const char* szFileName, BWindow* pOwner, FileSpec* pWhere);
    // Tells that the archive was found but is damaged, with the engine's
    // identifier of the fault when there is one.
    static void ReportDamagedArchive(const char* szFileName, const char* szIdentifier, BWindow* pOwner);
    // A message box; no caption keeps "Message".
    static void ShowBox(const char* szCaption, int32_t nIcon, const char* szText, BWindow* pOwner);

protected:
    // The machine checks and creation steps of the start-up.
    virtual int32_t GetGraphicsVersion();
    virtual int32_t CanRunWindowed();
    virtual int32_t IsDisplayAtLeast(int32_t nMinWidth, int32_t nMinHeight);
    virtual void ReleaseDevice();
    // Creates the screen and its window and shows it; 0 or a result code.
    virtual int32_t CreateScreenWindow();
    virtual int32_t CreateDevice();
    // 0, or nonzero when the font set cannot be created.
    virtual int32_t CreateFonts();
    virtual int32_t InitialiseSound();
    virtual void InitialiseMusic();
    virtual int32_t LoadAssetsAndCreateGame();
    virtual void StartGame();
    virtual void CloseScreen();

private:
    AScreenRollavex* GetGameScreen() const;
    int32_t CheckWindowedDisplay();
    int32_t CreateDeviceOrFail();
    // The start-up's boxes: caption "Error" with the stop icon, or "Warning"
    // with the exclamation icon; owned by the screen once it exists.
    void ShowError(const char* szText, bool fOwned);
    void ShowWarning(const char* szText);
    void SaveFullscreen(int32_t fFull);

    std::unique_ptr<AOptionsRollavex> pOptions;
};
