#include "tools/mmbuild/ArchiveWriter.h"
#include "base/FileSpec.h"
#include "tools/mmbuild/Manifest.h"
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <stdexcept>
#include <vector>

namespace {
constexpr int32_t kFirstOffset = 24; // "FFIR" size "LFMM" " pam" size count

// The chunk id of a four-letter kind name, first letter most significant.
uint32_t KindId(const std::string& kind)
{
    uint32_t id = 0;
    for (size_t i = 0; i < 4; ++i)
        id = id << 8 | uint8_t(i < kind.size() ? kind[i] : ' ');
    return id;
}

std::vector<char> ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error(path + ": cannot read");
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() > size_t(std::numeric_limits<int32_t>::max() / 2))
        throw std::runtime_error(path + ": too large");
    return bytes;
}
} // namespace

FileSpec SpecOf(const std::string& path)
{
    const std::filesystem::path p(path);
    const std::string folder = p.parent_path().string();
    const std::string name = p.filename().string();
    if (folder.size() >= FileSpec::kLength || name.size() >= FileSpec::kLength)
        throw std::runtime_error(path + ": path too long");
    return FileSpec(folder.empty() ? "." : folder.c_str(), name.c_str());
}

ArchiveWriter::ArchiveWriter(const std::string& archive) : out(ChunkId("RIFF"), ChunkId("MMFL"))
{
    out.Open(SpecOf(archive), 5);
}

void ArchiveWriter::Write(const Manifest& manifest, const std::string& archive)
{
    ArchiveWriter writer(archive);
    writer.WriteMap(manifest.EntryCount());
    writer.WriteGroups(manifest, manifest.EntryCount());
    writer.out.Close();
}

void ArchiveWriter::Check(bool shortWrite)
{
    if (shortWrite)
        throw std::runtime_error("short write");
}

void ArchiveWriter::WriteMap(int count)
{
    Check(out.BeginChunk(ChunkId("map "), 0));
    Check(out.WriteULong(uint32_t(count)));
    for (int i = 0; i < count; ++i)
        Check(out.WriteULong(0));
    out.EndChunk();
}

void ArchiveWriter::WriteGroups(const Manifest& manifest, int count)
{
    std::vector<uint32_t> offsets(size_t(count), uint32_t(out.Tell()));
    Check(out.BeginChunk(ChunkId("fill"), 0));
    out.EndChunk();

    for (const Manifest::Entry& entry : manifest.Entries()) {
        if (entry.chunks.empty())
            continue;
        offsets[size_t(entry.index)] = uint32_t(out.Tell());
        for (const Manifest::Chunk& chunk : entry.chunks)
            WriteChunk(chunk.kind, chunk.files);
    }

    const int32_t end = out.Tell();
    out.Seek(kFirstOffset, 0);
    for (uint32_t offset : offsets)
        Check(out.WriteULong(offset));
    out.Seek(end, 0);
}

void ArchiveWriter::WriteChunk(const std::string& kind, const std::vector<std::string>& files)
{
    if (kind != "anim") {
        WriteFileChunk(KindId(kind), files.front());
        return;
    }
    Check(out.BeginChunk(ChunkId("anim"), 0));
    Check(out.WriteULong(uint32_t(files.size())));
    for (const std::string& file : files)
        WriteFileChunk(ChunkId("rgba"), file);
    out.EndChunk();
}

void ArchiveWriter::WriteFileChunk(uint32_t id, const std::string& file)
{
    const std::vector<char> bytes = ReadFile(file);
    Check(out.BeginChunk(id, 0));
    Check(out.Write(bytes.data(), int32_t(bytes.size())));
    out.EndChunk();
}
