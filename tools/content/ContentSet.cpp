#include "tools/content/ContentSet.h"
#include "tools/content/IconSynth.h"
#include "tools/content/MazeChecker.h"
#include "tools/content/MazeMeshes.h"
#include "tools/content/MazePicture.h"
#include "tools/content/Materials.h"
#include "tools/content/PropMeshes.h"
#include "tools/content/SoundSynth.h"
#include "tools/content/SpriteSynth.h"
#include "tools/content/TextureSynth.h"
#include "tools/content/WaveWriter.h"
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

constexpr size_t kNameBytes = 32;

void PutLE32(std::string& out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out += char((value >> shift) & 0xFF);
}

void PutFloat(std::string& out, float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    PutLE32(out, bits);
}

} // namespace

ContentSet::ContentSet(std::vector<Maze> list) : mazes(std::move(list))
{
    if (mazes.empty() || mazes.size() > kMaxMazes)
        throw std::runtime_error("1 to 99 mazes are needed");
    for (size_t i = 0; i < mazes.size(); ++i) {
        const Maze& maze = mazes[i];
        const std::string which = "maze " + std::to_string(i + 1);
        if (maze.szName.empty())
            throw std::runtime_error(which + " has no name");
        const float edges[4][2] = {{maze.PlateLeft(), mazes[0].PlateLeft()}, {maze.PlateRight(), mazes[0].PlateRight()},
                                   {maze.PlateTop(), mazes[0].PlateTop()}, {maze.PlateBottom(), mazes[0].PlateBottom()}};
        if (std::any_of(std::begin(edges), std::end(edges), [](const float* e) { return std::fabs(e[0] - e[1]) > 1e-3f; }))
            throw std::runtime_error(which + " has a board of another size than maze 1");
    }
}

void ContentSet::Write(const std::string& contentDir, const std::string& runDir)
{
    for (const char* sub : {"meshes", "sprites", "sounds", "icons"})
        fs::create_directories(fs::path(contentDir) / sub);
    fs::create_directories(runDir);
    entries.clear();
    CheckMazes(contentDir);
    WriteTextures(runDir);
    WriteSounds(contentDir);
    WriteSprites(contentDir);
    WriteMeshes(contentDir);
    WriteMazeTable(contentDir);
    WriteIcons(contentDir);
    std::ofstream out(fs::path(contentDir) / "manifest.txt", std::ios::binary);
    out << ManifestText(entries);
    if (!out)
        throw std::runtime_error("cannot write the manifest");
}

void ContentSet::CheckMazes(const std::string& contentDir)
{
    szFigures.clear();
    for (size_t i = 0; i < mazes.size(); ++i) {
        const int number = int(i) + 1;
        const MazeReport report = MazeChecker(mazes[i]).Check();
        const std::string plan = Maze::FileName("maze_plan", number, ".png");
        MazePicture::Render(mazes[i], report, 64).WritePng((fs::path(contentDir) / plan).string(), false);
        if (!report.problems.empty())
            throw std::runtime_error("maze " + std::to_string(number) + ": " + report.problems.front());
        char line[128];
        std::snprintf(line, sizeof line, "maze %2d  %-24s path %6.2f  holes near %2d  turns %2d\n", number,
                      mazes[i].szName.c_str(), double(report.fPathLength), report.nHolesNearPath, report.nTurns);
        szFigures += line;
    }
}

void ContentSet::WriteTextures(const std::string& runDir)
{
    auto path = [&](const char* name) { return (fs::path(runDir) / name).string(); };
    for (size_t i = 0; i < mazes.size(); ++i)
        TextureSynth::Board(mazes[i], 1024).WritePng(path(Materials::BoardTexture(int(i) + 1).c_str()), false);
    TextureSynth::Walnut(256).WritePng(path(Materials::kWalnutTexture), false);
    TextureSynth::Oak(512).WritePng(path(Materials::kOakTexture), false);
    TextureSynth::Felt(128).WritePng(path(Materials::kFeltTexture), false);
    TextureSynth::Metal(128).WritePng(path(Materials::kMetalTexture), false);
    TextureSynth::Ball(256, 128).WritePng(path(Materials::kBallTexture), false);
}

void ContentSet::WriteIcons(const std::string& dir)
{
    for (int size : IconSynth::kSizes) {
        std::string file = "icons/rollavex_" + std::to_string(size) + ".png";
        IconSynth::Icon(size).WritePng((fs::path(dir) / file).string(), true);
    }
}

void ContentSet::WriteSounds(const std::string& dir)
{
    struct Sound {
        int entry;
        const char* name;
        std::vector<float> (*make)();
    };
    const Sound sounds[] = {
        {1, "intro.wav", SoundSynth::IntroChime}, {1, "goal.wav", SoundSynth::GoalFanfare},
        {1, "fall.wav", SoundSynth::Fall},        {12, "rolling.wav", SoundSynth::Rolling},
        {12, "drop_start.wav", SoundSynth::DropStart}, {12, "drop_end.wav", SoundSynth::DropEnd},
        {12, "bump.wav", SoundSynth::Bump},       {3, "music.wav", SoundSynth::MusicLoop},
    };
    for (const Sound& sound : sounds) {
        std::string file = std::string("sounds/") + sound.name;
        WaveWriter::Write((fs::path(dir) / file).string(), sound.make());
        Add(sound.entry, "wave", {file});
    }
}

void ContentSet::WriteSprites(const std::string& dir)
{
    auto write = [&](const Raster& raster, const std::string& file, bool rle, bool bottomUp) {
        raster.WriteTga((fs::path(dir) / file).string(), rle, bottomUp);
        return file;
    };
    struct ButtonSet {
        const char* name;
        const char* word;
        int width, height;
        bool centred, rle, bottomUp;
    };
    const ButtonSet sets[] = {
        {"new", "New", SpriteSynth::kButtonWidth, SpriteSynth::kButtonHeight, false, false, false},
        {"quit", "Quit", SpriteSynth::kButtonWidth, SpriteSynth::kButtonHeight, false, true, false},
        {"ok", "OK", 80, 32, true, true, true},
        {"next", "Next", SpriteSynth::kButtonWidth, SpriteSynth::kButtonHeight, false, true, false},
        {"options", "Options", SpriteSynth::kButtonWidth, SpriteSynth::kButtonHeight, false, true, false},
        {"less", "<", 32, 28, false, true, false},
        {"more", ">", 32, 28, false, true, false},
    };
    const int entries[] = {2, 2, 2, kNextButtonEntry, kNextButtonEntry, kOptionsEntry, kOptionsEntry};
    for (const ButtonSet& set : sets) {
        ManifestChunk& anim = Add(entries[&set - sets], "anim", {});
        int state = 0;
        for (Raster& raster : SpriteSynth::ButtonStates(set.word, set.width, set.height)) {
            if (set.centred)
                raster.SetOrigin(-set.width / 2, -set.height / 2);
            std::string file = "sprites/" + std::string(set.name) + std::to_string(state++) + ".tga";
            anim.files.push_back(write(raster, file, set.rle, set.bottomUp));
        }
    }
    Add(2, "rgba", {write(SpriteSynth::Intro(), "sprites/intro.tga", false, true)});
    Add(2, "rgba", {write(SpriteSynth::AboutBox(), "sprites/about.tga", true, false)});
    Add(kOptionsEntry, "rgba", {write(SpriteSynth::OptionsPanel(), "sprites/options.tga", true, false)});
}

void ContentSet::WriteMeshes(const std::string& dir)
{
    struct Mesh {
        int entry;
        std::string file;
        const char* name;
        MeshBuilder mesh;
    };
    const Maze& first = mazes.front();
    std::vector<Mesh> meshes = {
        {2, "books", "books", PropMeshes::Books()},
        {2, "pencil_cup", "pencil_cup", PropMeshes::PencilCup()},
        {2, "ruler", "ruler", PropMeshes::RulerAndBall(first.fBallRadius)},
        {2, "table", "table", PropMeshes::Table()},
        {9, "base", "base", PropMeshes::Base(first)},
        {13, "ball", "ball", PropMeshes::Ball(first.fBallRadius)},
    };
    for (size_t i = 0; i < mazes.size(); ++i) {
        const int number = int(i) + 1;
        meshes.push_back({BoardEntry(number), Maze::FileName("board", number, ""), "board", MazeMeshes::Board(mazes[i], number)});
        meshes.push_back({FrameEntry(number), Maze::FileName("frame", number, ""), "frame", MazeMeshes::Frame(mazes[i])});
    }
    for (const Mesh& mesh : meshes) {
        std::string file = "meshes/" + mesh.file + ".x";
        mesh.mesh.Write((fs::path(dir) / file).string(), mesh.name);
        Add(mesh.entry, "mesh", {file});
    }
}

// The maze count, then per maze: board entry, frame entry, start x y, goal
// x y and half size, the name in 32 bytes padded with zeros; little-endian.
void ContentSet::WriteMazeTable(const std::string& dir)
{
    std::string table;
    PutLE32(table, uint32_t(mazes.size()));
    for (size_t i = 0; i < mazes.size(); ++i) {
        const Maze& maze = mazes[i];
        PutLE32(table, uint32_t(BoardEntry(int(i) + 1)));
        PutLE32(table, uint32_t(FrameEntry(int(i) + 1)));
        for (float value : {maze.fStartX, maze.fStartY, maze.fGoalX, maze.fGoalY, maze.fGoalHalf})
            PutFloat(table, value);
        std::string name = maze.szName;
        name.resize(kNameBytes, '\0');
        table += name;
    }
    const std::string file = "mazes.bin";
    std::ofstream out(fs::path(dir) / file, std::ios::binary);
    out << table;
    if (!out)
        throw std::runtime_error("cannot write the maze table");
    Add(kMazeTableEntry, "maze", {file});
}

ManifestChunk& ContentSet::Add(int entry, const std::string& kind, std::vector<std::string> files)
{
    auto& chunks = entries[entry];
    chunks.push_back({kind, std::move(files)});
    return chunks.back();
}

std::string ContentSet::ManifestText(const Entries& entries)
{
    std::string text = "# Rollavex asset archive: entry points and their chunks, in file order.\n";
    text += "entries " + std::to_string(std::max(kEntryCount, entries.rbegin()->first + 1)) + "\n";
    for (const auto& [index, chunks] : entries) {
        text += "entry " + std::to_string(index) + "\n";
        for (const ManifestChunk& chunk : chunks) {
            text += chunk.kind;
            for (const std::string& file : chunk.files)
                text += " " + file;
            text += "\n";
        }
    }
    return text;
}
