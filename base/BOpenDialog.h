#pragma once
#include "base/BDialog.h"

struct FileSpec;

// A file-open dialog. Show returns 1 when a file was chosen, 2 when cancelled.
class BOpenDialog : public BDialog {
public:
    enum : int32_t { Chosen = 1, Cancelled = 2 };

    virtual void SetFileNameFromResource(uint32_t nId) = 0;
    virtual void SetFileName(const char* szText) = 0;
    // 0, or 2 when the resource is empty.
    virtual int32_t SetFilterFromResource(uint32_t nId) = 0;
    // The chosen path from its file-name part on; out holds 256 characters.
    virtual void GetFileTitle(char* szOut) = 0;
    // Folder (up to and including the last separator) and name of the chosen path.
    virtual void GetFolderAndName(FileSpec* pOut) = 0;
    // Four characters: "." and the first three extension characters padded
    // with blanks, or four zero bytes without an extension.
    virtual void GetExtension(char* szOut) = 0;
};
