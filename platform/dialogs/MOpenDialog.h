#pragma once
#include "base/BOpenDialog.h"
#include <string>

// A file-open dialog run as a child process: zenity, else kdialog. Where
// neither exists the user is told so and the dialog counts as cancelled.
class MOpenDialog : public BOpenDialog {
public:
    explicit MOpenDialog(int32_t nMode = 0) : fSaveMode(nMode == 1) {}

    int32_t Show(BWindow* pOwner) override;
    void SetFileNameFromResource(uint32_t nId) override;
    void SetFileName(const char* szText) override;
    int32_t SetFilterFromResource(uint32_t nId) override;
    void GetFileTitle(char* szOut) override;
    void GetFolderAndName(FileSpec* pOut) override;
    void GetExtension(char* szOut) override;
    // The last character of the text is its separator: "Asset files|*.mm|".
    void SetFilter(const char* szText);

    const char* GetFile() const { return szFile; }
    // Description and pattern of the first filter pair.
    std::string GetFilterDescription() const;
    std::string GetFilterPattern() const;

private:
    int32_t ShowScripted();
    int32_t ShowSystem();
    // Offset of the file-name part of the chosen path.
    size_t TitleOffset() const;

    int32_t fSaveMode;
    char szFile[256] = "";
    char szFilter[64] = "";
};
