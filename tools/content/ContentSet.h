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

// Every asset of the game, generated from the mazes, and the manifest that
// says which archive entry holds which chunk.
class ContentSet {
public:
    // Entry points 0 to 13 exist; those the game never reads share mmbuild's filler.
    static constexpr int kEntryCount = 14;
    // The maze table, then the board and frame of mazes 2 on, two entries each;
    // maze 1's are entries 10 and 11.
    static constexpr int kMazeTableEntry = 14;
    // The Next and Options buttons; the options panel's arrows and board.
    static constexpr int kNextButtonEntry = 4;
    static constexpr int kOptionsEntry = 5;
    static constexpr size_t kMaxMazes = 99;
    using Entries = std::map<int, std::vector<ManifestChunk>>;

    // Maze 1 first. Throws unless every maze has a name and the board size of maze 1.
    explicit ContentSet(std::vector<Maze> mazes);

    static int BoardEntry(int nMaze) { return nMaze == 1 ? 10 : kMazeTableEntry + 2 * nMaze - 3; }
    static int FrameEntry(int nMaze) { return BoardEntry(nMaze) + 1; }
    // One line a maze: number, name and the checker's figures.
    const std::string& Figures() const { return szFigures; }

    // Writes the assets and the icons under contentDir, the mesh textures into
    // runDir and the manifest as contentDir/manifest.txt. Throws when the maze is not playable.
    void Write(const std::string& contentDir, const std::string& runDir);

private:
    // The manifest in mmbuild's format.
    static std::string ManifestText(const Entries& entries);
    void CheckMazes(const std::string& contentDir);
    void WriteMazeTable(const std::string& dir);
    void WriteTextures(const std::string& runDir);
    void WriteSprites(const std::string& dir);
    void WriteSounds(const std::string& dir);
    void WriteMeshes(const std::string& dir);
    // The desktop icons, icons/rollavex_<size>.png; not in the archive.
    void WriteIcons(const std::string& dir);
    ManifestChunk& Add(int entry, const std::string& kind, std::vector<std::string> files);

    std::vector<Maze> mazes;
    Entries entries;
    std::string szFigures;
};
