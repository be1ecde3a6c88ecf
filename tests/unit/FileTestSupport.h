#pragma once
#include "base/CException.h"
#include "base/FileSpec.h"
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

// A fresh folder under /tmp, removed with everything in it.
class TempFolder {
public:
    TempFolder()
    {
        char pattern[] = "/tmp/rvx-test-XXXXXX";
        szPath = mkdtemp(pattern);
    }
    ~TempFolder() { std::filesystem::remove_all(szPath); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return szPath; }
    std::string File(const std::string& name) const { return szPath + "/" + name; }

private:
    std::string szPath;
};

using Bytes = std::vector<uint8_t>;

inline Bytes ReadAllBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteAllBytes(const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline Bytes Text(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

inline std::string ReadText(const std::string& path)
{
    const Bytes bytes = ReadAllBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

inline void WriteText(const std::string& path, const std::string& text) { WriteAllBytes(path, Text(text)); }

inline void Append(Bytes* bytes, const Bytes& more)
{
    bytes->insert(bytes->end(), more.begin(), more.end());
}

inline void AppendLE32(Bytes* bytes, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes->push_back(uint8_t(value >> (8 * i)));
}

// A chunk with a 4-byte tag as it appears on disk, a little-endian size (the
// data's own unless told) and the data, padded to even length.
inline Bytes Chunk(const std::string& tag, const Bytes& data, int64_t size = -1)
{
    Bytes bytes = Text(tag);
    AppendLE32(&bytes, uint32_t(size < 0 ? data.size() : size));
    Append(&bytes, data);
    if (data.size() & 1)
        bytes.push_back(0);
    return bytes;
}

// An archive: "FFIR", its size, "LFMM", then the chunks.
inline Bytes Form(const Bytes& chunks)
{
    Bytes data = Text("LFMM");
    Append(&data, chunks);
    return Chunk("FFIR", data);
}

// An archive whose map chunk holds the entry count, the offsets and extra bytes; the other chunks follow it.
inline Bytes Archive(uint32_t count, const std::vector<uint32_t>& offsets, const Bytes& after, const Bytes& extra = {})
{
    Bytes map;
    AppendLE32(&map, count);
    for (uint32_t offset : offsets)
        AppendLE32(&map, offset);
    Append(&map, extra);
    Bytes chunks = Chunk(" pam", map);
    Append(&chunks, after);
    return Form(chunks);
}

// The description of the CFileException f throws, or "nothing".
template <typename F>
std::string Thrown(F f)
{
    try {
        f();
    } catch (const CFileException& e) {
        return e.Describe();
    }
    return "nothing";
}

// A test with its own folder, opened through FileSpecs.
class FolderTest : public ::testing::Test {
protected:
    FileSpec SpecFor(const std::string& name) const { return FileSpec(folder.Path().c_str(), name.c_str()); }
    FileSpec Make(const std::string& name, const Bytes& bytes) const
    {
        WriteAllBytes(folder.File(name), bytes);
        return SpecFor(name);
    }

    TempFolder folder;
};
