#pragma once
// What the fuzz targets share: a scratch folder, the input as a file the
// engine opens, a chunk file written with the engine's own writer, the sound
// device and a screen without a window that holds the archive.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include "../unit/game_fakes.h"
#include "base/CException.h"
#include "base/FileSpec.h"
#include "common/assets/CFileIFF.h"
#include "common/assets/CFileMM.h"
#include "platform/audio/MSoundManager.h"

namespace fuzz {

// This process's scratch folder, in memory where there is a tmpfs (each input
// is written anew), removed at exit.
inline const std::string& Folder()
{
    struct Scratch {
        std::string path;
        Scratch()
        {
            std::string pattern = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
            pattern += "/rvx-fuzz-XXXXXX";
            path = mkdtemp(pattern.data());
        }
        ~Scratch() { std::filesystem::remove_all(path); }
    };
    static const Scratch scratch;
    return scratch.path;
}

inline FileSpec SpecOf(const char* name)
{
    return FileSpec(Folder().c_str(), name);
}

inline std::string WriteFile(const char* name, const uint8_t* data, size_t size)
{
    const std::string path = Folder() + "/" + name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data), std::streamsize(size));
    return path;
}

// Writes the bytes as the only chunk of a 'RIFF' form, as the archive holds an
// asset, and hands the file, opened at the chunk, to the loader; the engine's
// exceptions are the loader's answer to bad bytes.
template <typename Loader> void ReadChunk(uint32_t id, const uint8_t* data, size_t size, Loader load)
{
    CFileIFF out(ChunkId("RIFF"), ChunkId("FUZZ"));
    out.Open(SpecOf("chunk"), 5);
    out.BeginChunk(id, 0);
    out.Write(data, int32_t(size));
    out.Close();
    CFileIFF file(ChunkId("RIFF"), ChunkId("FUZZ"));
    file.Open(SpecOf("chunk"), 1);
    try {
        load(&file);
    } catch (const CException&) {
    }
}

// Sounds are made on OpenAL's silent device.
inline void StartSound()
{
    setenv("ALSOFT_DRIVERS", "null", 1);
    if (GetSoundManager()->Initialize(nullptr, snd::DSSCL_PRIORITY, 2, 22050, 16) != 0)
        std::abort();
}

// A screen without a window, owning the archive it opens.
class Screen : public gamefakes::Screen {
public:
    // Opens a file of the scratch folder as the game does; throws as it does.
    void OpenArchive(const char* name)
    {
        pMMFile = new CFileMM();
        pMMFile->Open(SpecOf(name), 2);
    }
};

} // namespace fuzz
