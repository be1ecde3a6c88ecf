#pragma once
#include "tools/content/Maze.h"
#include <map>
#include <string>
#include <vector>

// One chunk of the archive: its kind ("rgba", "anim", "mesh", "wave") and the
// files it is made of (an "anim" lists its frames).
struct ManifestChunk {
    std::string kind;
    std::vector<std::string> files;
};

// Every asset of the game, generated from the maze, and the manifest that
// says which archive entry holds which chunk.
class ContentSet {
public:
    // Entry points 0 to 13 exist; those the game never reads share mmbuild's filler.
    static constexpr int kEntryCount = 14;
    using Entries = std::map<int, std::vector<ManifestChunk>>;

    explicit ContentSet(Maze maze) : maze(std::move(maze)) {}

    // Writes the assets and the icons under contentDir, the mesh textures into
    // runDir and the manifest as contentDir/manifest.txt. Throws when the maze is not playable.
    void Write(const std::string& contentDir, const std::string& runDir);

private:
    // The manifest in mmbuild's format.
    static std::string ManifestText(const Entries& entries);
    void CheckMaze(const std::string& contentDir);
    void WriteTextures(const std::string& runDir);
    void WriteSprites(const std::string& dir);
    void WriteSounds(const std::string& dir);
    void WriteMeshes(const std::string& dir);
    // The desktop icons, icons/rollavex_<size>.png; not in the archive.
    void WriteIcons(const std::string& dir);
    ManifestChunk& Add(int entry, const std::string& kind, std::vector<std::string> files);

    Maze maze;
    Entries entries;
};
