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
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

void ContentSet::Write(const std::string& contentDir, const std::string& runDir)
{
    for (const char* sub : {"meshes", "sprites", "sounds", "icons"})
        fs::create_directories(fs::path(contentDir) / sub);
    fs::create_directories(runDir);
    entries.clear();
    CheckMaze(contentDir);
    WriteTextures(runDir);
    WriteSounds(contentDir);
    WriteSprites(contentDir);
    WriteMeshes(contentDir);
    WriteIcons(contentDir);
    std::ofstream out(fs::path(contentDir) / "manifest.txt", std::ios::binary);
    out << ManifestText(entries);
    if (!out)
        throw std::runtime_error("cannot write the manifest");
}

void ContentSet::CheckMaze(const std::string& contentDir)
{
    MazeReport report = MazeChecker(maze).Check();
    MazePicture::Render(maze, report, 64).WritePng((fs::path(contentDir) / "maze_plan.png").string(), false);
    if (!report.problems.empty())
        throw std::runtime_error("maze: " + report.problems.front());
}

void ContentSet::WriteTextures(const std::string& runDir)
{
    auto path = [&](const char* name) { return (fs::path(runDir) / name).string(); };
    TextureSynth::Board(maze, 1024).WritePng(path(Materials::kBoardTexture), false);
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
    };
    for (const ButtonSet& set : sets) {
        ManifestChunk& anim = Add(2, "anim", {});
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
}

void ContentSet::WriteMeshes(const std::string& dir)
{
    struct Mesh {
        int entry;
        const char* name;
        MeshBuilder mesh;
    };
    const Mesh meshes[] = {
        {2, "books", PropMeshes::Books()},
        {2, "pencil_cup", PropMeshes::PencilCup()},
        {2, "ruler", PropMeshes::RulerAndBall(maze.fBallRadius)},
        {2, "table", PropMeshes::Table()},
        {9, "base", PropMeshes::Base(maze)},
        {10, "board", MazeMeshes::Board(maze)},
        {11, "frame", MazeMeshes::Frame(maze)},
        {13, "ball", PropMeshes::Ball(maze.fBallRadius)},
    };
    for (const Mesh& mesh : meshes) {
        std::string file = std::string("meshes/") + mesh.name + ".x";
        mesh.mesh.Write((fs::path(dir) / file).string(), mesh.name);
        Add(mesh.entry, "mesh", {file});
    }
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
    text += "entries " + std::to_string(kEntryCount) + "\n";
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
