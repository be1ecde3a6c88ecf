#include "tools/content/check/ArchiveChunks.h"
#include "base/FileSpec.h"
#include "common/assets/CFileMM.h"
#include "platform/mesh/MMesh.h"
#include <algorithm>
#include <filesystem>

namespace {

std::string KindName(uint32_t id)
{
    return {char(id >> 24), char(id >> 16), char(id >> 8), char(id)};
}

std::vector<uint8_t> ReadRest(CFileMM& file)
{
    std::vector<uint8_t> data(size_t(std::max(0, file.GetRemaining())));
    if (!data.empty())
        file.ReadBytes(data.data(), int32_t(data.size()));
    return data;
}

} // namespace

ArchiveChunks::ArchiveChunks(const std::string& archivePath) : path(archivePath)
{
    CFileMM file;
    Open(file);
}

void ArchiveChunks::Open(CFileMM& file) const
{
    std::filesystem::path p(path);
    file.Open(FileSpec(p.parent_path().string().c_str(), p.filename().string().c_str()), 2);
}

std::unique_ptr<MMesh> ArchiveChunks::Mesh(uint32_t index, size_t chunk)
{
    CFileMM file;
    Open(file);
    file.SeekEntryPoint(index);
    ChunkHeader header{};
    for (size_t i = 0; i < chunk; ++i) {
        file.Descend(&header);
        file.Ascend();
    }
    file.Descend(&header);
    if (header.id != ChunkId("mesh"))
        return nullptr;
    auto mesh = std::make_unique<MMesh>(&file);
    file.Ascend();
    return mesh;
}

std::vector<ArchiveChunk> ArchiveChunks::Group(uint32_t index, size_t count)
{
    CFileMM file;
    Open(file);
    file.SeekEntryPoint(index);
    std::vector<ArchiveChunk> chunks;
    for (size_t i = 0; i < count; ++i) {
        ChunkHeader header{};
        file.Descend(&header);
        chunks.push_back({KindName(header.id), ReadRest(file)});
        file.Ascend();
    }
    return chunks;
}
