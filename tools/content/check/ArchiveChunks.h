#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CFileMM;
class MMesh;

// One chunk of an archive group as the game's loaders meet it.
struct ArchiveChunk {
    std::string kind;          // "rgba", "anim", "mesh", "wave"
    std::vector<uint8_t> data; // the payload
};

// Reads the groups of the archive through the engine's CFileMM, the way the
// game does: seek to the entry, then Descend / read / Ascend per chunk.
class ArchiveChunks {
public:
    // Throws the engine's exceptions on a malformed archive.
    explicit ArchiveChunks(const std::string& path);

    // Reads `count` chunks of entry `index`.
    std::vector<ArchiveChunk> Group(uint32_t index, size_t count);
    // The game's mesh loader on chunk `chunk` of entry `index`.
    std::unique_ptr<MMesh> Mesh(uint32_t index, size_t chunk);

private:
    void Open(CFileMM& file) const;

    std::string path;
};
