#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

class CFileMM;

// One maze of the set: its name, the archive entries of its board and frame
// meshes, the ball's start and the goal square (centre and half size).
struct AMaze {
    char szName[32];
    uint32_t nBoardEntry;
    uint32_t nFrameEntry;
    float fStartX, fStartY;
    float fGoalX, fGoalY, fGoalHalf;
};

// The mazes of the archive, from its maze table (entry 14): the count, then
// per maze the board and frame entries, start x y, goal x y and half size
// (32-bit little-endian each) and the name in 32 bytes padded with zeros.
class AMazeSet {
public:
    enum : uint32_t { TableEntry = 14, MaxMazes = 99, RecordBytes = 60 };

    // Throws CFileException ("game/AMazeSet") when the table is missing or damaged.
    void ReadFrom(CFileMM* pArchive);
    int32_t Count() const { return int32_t(rgMazes.size()); }
    // Maze n, counted from 1; n must lie within 1..Count().
    const AMaze& Get(int32_t nMaze) const { return rgMazes[size_t(nMaze - 1)]; }
    // The key a maze's best time is kept under, from the bytes of its board
    // and frame chunks, without building their meshes.
    uint64_t ReadKey(CFileMM* pArchive, int32_t nMaze) const;
    // The same key from the digests of the loaded meshes.
    static uint64_t Key(uint64_t nBoardDigest, uint64_t nFrameDigest);

private:
    static AMaze ReadRecord(CFileMM* pArchive);
    static void Check(const AMaze& maze, const CFileMM* pArchive);
    static uint64_t ReadChunkDigest(CFileMM* pArchive, uint32_t nEntry);

    std::vector<AMaze> rgMazes;
};
