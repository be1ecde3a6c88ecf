#include "tools/mmbuild/ArchiveLister.h"
#include "base/LittleEndian.h"
#include "tools/mmbuild/ArchiveWriter.h"
#include "tools/mmbuild/XMeshCounter.h"
#include <algorithm>
#include <filesystem>

namespace {
std::string KindName(uint32_t id)
{
    std::string name;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = char(id >> shift);
        name += (c >= 32 && c < 127) ? c : '?';
    }
    return name;
}

std::string Number(uint32_t value)
{
    return std::to_string(value);
}

// TGA origins are kept as signed 16-bit values.
std::string Signed16(const uint8_t* p)
{
    return std::to_string(int16_t(ReadLE16(p)));
}
} // namespace

void ArchiveLister::List(const std::string& archive, std::ostream& out)
{
    ArchiveLister lister(archive, out);
    const uint32_t count = uint32_t(lister.mm.GetEntryCount());
    std::vector<uint32_t> starts;
    for (uint32_t i = 0; i < count; ++i)
        starts.push_back(lister.mm.GetEntryOffset(i));
    std::sort(starts.begin(), starts.end());
    starts.erase(std::unique(starts.begin(), starts.end()), starts.end());

    out << "archive " << std::filesystem::path(archive).filename().string() << ": " << count << " entries, "
        << lister.mm.GetSize() << " bytes\n";
    for (uint32_t i = 0; i < count; ++i)
        lister.ListEntry(i, starts);
}

ArchiveLister::ArchiveLister(const std::string& archive, std::ostream& out) : out(out)
{
    mm.Open(SpecOf(archive), 2);
}

void ArchiveLister::ListEntry(uint32_t index, const std::vector<uint32_t>& starts)
{
    const uint32_t offset = mm.GetEntryOffset(index);
    out << "entry " << index << " @ " << offset;
    for (uint32_t earlier = 0; earlier < index; ++earlier) {
        if (mm.GetEntryOffset(earlier) == offset) {
            out << ": as entry " << earlier << "\n";
            return;
        }
    }
    out << "\n";
    const auto next = std::upper_bound(starts.begin(), starts.end(), offset);
    const int32_t end = next == starts.end() ? mm.GetSize() : int32_t(*next);
    mm.SeekEntryPoint(index);
    while (mm.Tell() + 8 <= end)
        ListChunk("  ");
}

void ArchiveLister::ListChunk(const std::string& indent)
{
    ChunkHeader header;
    mm.Descend(&header);
    out << indent << KindName(header.id) << " " << header.size << " bytes";
    std::string detail;
    if (header.id == ChunkId("rgba"))
        detail = DescribeImage(header.size);
    else if (header.id == ChunkId("anim"))
        detail = DescribeAnimation(indent + "  ");
    else if (header.id == ChunkId("wave"))
        detail = DescribeWave();
    else if (header.id == ChunkId("mesh"))
        detail = DescribeMesh();
    if (header.id != ChunkId("anim"))
        out << (detail.empty() ? "" : ": ") << detail << "\n";
    mm.Ascend();
}

std::string ArchiveLister::DescribeImage(uint32_t size)
{
    uint8_t tga[18];
    if (size < sizeof tga)
        return "too short for a TGA header";
    mm.Read(tga, sizeof tga);
    const uint32_t type = tga[2];
    std::string text = Number(ReadLE16(tga + 12)) + " x " + Number(ReadLE16(tga + 14)) + " at (" +
                       Signed16(tga + 8) + ", " + Signed16(tga + 10) + "), " +
                       Number(tga[16]) + " bit, ";
    text += type == 2 ? "plain" : type == 10 ? "run-length" : "type " + Number(type);
    return text + ((tga[17] & 0x20) ? ", top row first" : "");
}

std::string ArchiveLister::DescribeAnimation(const std::string& indent)
{
    uint32_t frames = 0;
    if (mm.GetRemaining() >= 4)
        mm.ReadLong(&frames);
    out << ": " << frames << " frames\n";
    for (uint32_t i = 0; i < frames && mm.GetRemaining() >= 8; ++i)
        ListChunk(indent);
    return "";
}

std::string ArchiveLister::DescribeWave()
{
    MBufferedFile* handle = mm.GetHandle();
    MChunkInfo riff, chunk;
    if (handle->Descend(&riff, nullptr, 0) != 0 || riff.ckid != MakeFourCC('R', 'I', 'F', 'F') ||
        riff.fccType != MakeFourCC('W', 'A', 'V', 'E'))
        return "not a RIFF WAVE file";
    chunk.ckid = MakeFourCC('f', 'm', 't', ' ');
    uint8_t format[16];
    if (handle->Descend(&chunk, &riff, MMIO_FINDCHUNK) != 0 || chunk.cksize < 16 || handle->Read(format, 16) != 16)
        return "no format";
    const uint32_t tag = ReadLE16(format);
    std::string text = (tag == 1 ? std::string("PCM") : "format " + Number(tag)) + " " +
                       Number(ReadLE16(format + 2)) + " ch " + Number(ReadLE32(format + 4)) + " Hz " +
                       Number(ReadLE16(format + 14)) + " bit";
    handle->Seek(int32_t(riff.dwDataOffset + 4), 0);
    chunk.ckid = MakeFourCC('d', 'a', 't', 'a');
    if (handle->Descend(&chunk, &riff, MMIO_FINDCHUNK) != 0)
        return text + ", no data";
    return text + ", " + Number(chunk.cksize) + " data bytes";
}

std::string ArchiveLister::DescribeMesh()
{
    std::string data(size_t(mm.GetRemaining()), '\0');
    mm.Read(data.data(), int32_t(data.size()));
    int meshes = 0;
    long vertices = 0, faces = 0;
    if (!XMeshCounter::Count(data, &meshes, &vertices, &faces))
        return data.compare(0, 4, "xof ") == 0 ? "X file (not counted)" : "not an X file";
    return std::to_string(vertices) + " vertices, " + std::to_string(faces) + " faces" +
           (meshes == 1 ? "" : " in " + std::to_string(meshes) + " meshes");
}
