#include "tools/content/check/ArchiveChunks.h"
#include "base/FileSpec.h"
#include "common/CFileMM.h"
#include "platform/MMesh.h"
#include <cstring>
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

uint32_t Little(const std::vector<uint8_t>& b, size_t at, int bytes)
{
    uint32_t v = 0;
    for (int k = bytes - 1; k >= 0; --k)
        v = v << 8 | b[at + size_t(k)];
    return v;
}

} // namespace

ArchiveChunks::ArchiveChunks(const std::string& archivePath) : path(archivePath)
{
    CFileMM file;
    Open(file);
    nEntries = file.GetEntryCount();
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
        ArchiveChunk chunk{KindName(header.id), {}, {}};
        if (header.id == ChunkId("anim")) {
            uint32_t frames = 0;
            file.ReadLong(&frames);
            for (uint32_t f = 0; f < frames && f < 64; ++f) {
                ChunkHeader frame{};
                file.Descend(&frame);
                chunk.frames.push_back(frame.id == ChunkId("rgba") ? ReadRest(file) : std::vector<uint8_t>{});
                file.Ascend();
            }
        } else {
            chunk.data = ReadRest(file);
        }
        file.Ascend();
        chunks.push_back(std::move(chunk));
    }
    return chunks;
}

WaveFacts ParseWave(const std::vector<uint8_t>& b)
{
    WaveFacts facts;
    if (b.size() < 12 || std::memcmp(b.data(), "RIFF", 4) != 0 || std::memcmp(b.data() + 8, "WAVE", 4) != 0)
        return facts;
    bool haveFormat = false;
    for (size_t at = 12; at + 8 <= b.size();) {
        uint32_t size = Little(b, at + 4, 4);
        if (size > b.size() - at - 8)
            return facts;
        const uint8_t* id = b.data() + at;
        if (std::memcmp(id, "fmt ", 4) == 0 && size >= 16) {
            facts.format = uint16_t(Little(b, at + 8, 2));
            facts.channels = uint16_t(Little(b, at + 10, 2));
            facts.rate = Little(b, at + 12, 4);
            facts.bits = uint16_t(Little(b, at + 22, 2));
            haveFormat = true;
        } else if (std::memcmp(id, "data", 4) == 0 && haveFormat && facts.bits == 16) {
            for (size_t k = 0; k + 1 < size; k += 2)
                facts.samples.push_back(int16_t(Little(b, at + 8 + k, 2)));
            facts.valid = true;
        }
        at += 8 + size + (size & 1);
    }
    return facts;
}
