#pragma once

// A file to open: a folder and a name, 256 characters each.
struct FileSpec {
    static constexpr int kLength = 256;

    char szFolder[kLength];
    char szName[kLength];

    FileSpec();
    FileSpec(const char* folder, const char* name);

    // Both copy at most 255 characters; the last position is always NUL.
    void SetFolder(const char* folder);
    void SetName(const char* name);
};
