#pragma once
#include <string>

// Replaces the file with the content in one step: a temporary file in the
// same folder is written, flushed to disk and renamed over it, then the folder
// is synced, so a reader sees the old or the new file, never a part. A link is
// followed to its target; an existing file's mode is kept, a new one gets the
// umask's. False with the reason in pError when any step fails; the old file
// is then untouched.
bool WriteFileAtomically(const std::string& path, const std::string& content, std::string* pError = nullptr);
