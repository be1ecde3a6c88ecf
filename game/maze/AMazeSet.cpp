#include "game/maze/AMazeSet.h"

#include <cmath>
#include <cstring>
#include "base/CException.h"
#include "base/Digest.h"
#include "common/assets/CFileMM.h"

namespace {
const char kSource[] = "game/AMazeSet";
constexpr uint32_t kLineNotTable = 31;
constexpr uint32_t kLineBadCount = 36;
constexpr uint32_t kLineBadRecord = 52;
constexpr uint32_t kLineNotMesh = 70;
// Start and goal lie on the board, well within this of its centre.
constexpr float kMaxReach = 20.0f;
constexpr float kMaxGoalHalf = 2.0f;
constexpr uint32_t kMaxChunkBytes = 64u << 20;

float ReadFloat(CFileMM* pArchive)
{
    uint32_t bits = 0;
    pArchive->ReadLong(&bits);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

bool Within(float value, float reach) { return std::isfinite(value) && std::fabs(value) <= reach; }
} // namespace

void AMazeSet::ReadFrom(CFileMM* pArchive)
{
    rgMazes.clear();
    pArchive->SeekEntryPoint(TableEntry);
    ChunkHeader header;
    pArchive->Descend(&header);
    if (header.id != ChunkId("maze"))
        throw CFileException(kSource, kLineNotTable);
    uint32_t count = 0;
    pArchive->ReadLong(&count);
    if (count == 0 || count > MaxMazes || header.size != 4 + count * RecordBytes)
        throw CFileException(kSource, kLineBadCount);
    rgMazes.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        rgMazes.push_back(ReadRecord(pArchive));
        Check(rgMazes.back(), pArchive);
    }
    pArchive->Ascend();
}

AMaze AMazeSet::ReadRecord(CFileMM* pArchive)
{
    AMaze maze{};
    pArchive->ReadLong(&maze.nBoardEntry);
    pArchive->ReadLong(&maze.nFrameEntry);
    for (float* value : {&maze.fStartX, &maze.fStartY, &maze.fGoalX, &maze.fGoalY, &maze.fGoalHalf})
        *value = ReadFloat(pArchive);
    pArchive->ReadBytes(maze.szName, sizeof maze.szName);
    return maze;
}

// A name of 1 to 31 printable characters ended by zeros; entries of the map
// past the game's fixed ones; a start and a goal on the board.
void AMazeSet::Check(const AMaze& maze, const CFileMM* pArchive)
{
    const size_t length = strnlen(maze.szName, sizeof maze.szName);
    bool good = length > 0 && length < sizeof maze.szName;
    for (size_t i = 0; i < sizeof maze.szName; ++i)
        good = good && (i < length ? maze.szName[i] >= 32 && maze.szName[i] < 127 : maze.szName[i] == 0);
    const uint32_t entries = uint32_t(pArchive->GetEntryCount());
    good = good && maze.nBoardEntry >= 10 && maze.nBoardEntry < entries && maze.nFrameEntry >= 10 &&
           maze.nFrameEntry < entries && maze.nBoardEntry != TableEntry && maze.nFrameEntry != TableEntry;
    good = good && Within(maze.fStartX, kMaxReach) && Within(maze.fStartY, kMaxReach) &&
           Within(maze.fGoalX, kMaxReach) && Within(maze.fGoalY, kMaxReach) && maze.fGoalHalf > 0.0f &&
           maze.fGoalHalf <= kMaxGoalHalf;
    if (!good)
        throw CFileException(kSource, kLineBadRecord);
}

uint64_t AMazeSet::Key(uint64_t nBoardDigest, uint64_t nFrameDigest)
{
    return Digest64(&nFrameDigest, sizeof nFrameDigest, nBoardDigest);
}

uint64_t AMazeSet::ReadKey(CFileMM* pArchive, int32_t nMaze) const
{
    const AMaze& maze = Get(nMaze);
    const uint64_t board = ReadChunkDigest(pArchive, maze.nBoardEntry);
    return Key(board, ReadChunkDigest(pArchive, maze.nFrameEntry));
}

// A mesh's digest is that of its chunk's bytes.
uint64_t AMazeSet::ReadChunkDigest(CFileMM* pArchive, uint32_t nEntry)
{
    pArchive->SeekEntryPoint(nEntry);
    ChunkHeader header;
    pArchive->Descend(&header);
    if (header.id != ChunkId("mesh") || header.size > kMaxChunkBytes)
        throw CFileException(kSource, kLineNotMesh);
    std::vector<uint8_t> bytes(header.size);
    pArchive->ReadBytes(bytes.data(), int32_t(bytes.size()));
    pArchive->Ascend();
    return Digest64(bytes.data(), bytes.size());
}
