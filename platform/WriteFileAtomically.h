#pragma once
#include <string>

// Replaces the file with the content in one step: a temporary file in the
// same folder is written, flushed to disk and renamed over it, so a reader
// sees the old or the new file, never a part. An existing file's mode is
// kept. False when any step fails; the old file is then untouched.
bool WriteFileAtomically(const std::string& path, const std::string& content);
