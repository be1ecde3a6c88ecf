#pragma once
#include "base/FileSpec.h"
#include "common/assets/CFileIFF.h"
#include <string>
#include <vector>

class Manifest;

// Writes a manifest's chunks as an asset archive: the map, one filler group
// for the entries without chunks, then the groups in manifest order.
class ArchiveWriter {
public:
    // Throws std::runtime_error for files it cannot read, CFileException for
    // write failures.
    static void Write(const Manifest& manifest, const std::string& archive);

private:
    explicit ArchiveWriter(const std::string& archive);

    void WriteMap(int count);
    void WriteGroups(const Manifest& manifest, int count);
    void WriteChunk(const std::string& kind, const std::vector<std::string>& files);
    void WriteFileChunk(uint32_t id, const std::string& file);
    void Check(bool shortWrite);

    CFileIFF out;
};

// Splits a path into the folder and name of a FileSpec ("." when there is no folder).
FileSpec SpecOf(const std::string& path);
