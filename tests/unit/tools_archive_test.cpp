// The built archive read back the way the game reads it.
#include "platform/Image.h"
#include "tools/content/check/ArchiveChunks.h"
#include "platform/MMesh.h"
#include "tools/content/SpriteSynth.h"
#include "tools/content/check/MeshProbe.h"
#include <filesystem>
#include <gtest/gtest.h>

namespace {

struct Group {
    uint32_t entry;
    std::vector<std::string> kinds;
};

// What the game's loaders read, entry by entry, in order.
const Group kGroups[] = {
    {1, {"wave", "wave", "wave"}},
    {2, {"anim", "anim", "anim", "rgba", "rgba", "mesh", "mesh", "mesh", "mesh"}},
    {9, {"mesh"}},
    {10, {"mesh"}},
    {11, {"mesh"}},
    {12, {"wave", "wave", "wave", "wave"}},
    {13, {"mesh"}},
};

class ArchiveTest : public ::testing::Test {
protected:
    static std::vector<ArchiveChunk> Read(const Group& group)
    {
        ArchiveChunks archive(RVX_ARCHIVE_FILE);
        return archive.Group(group.entry, group.kinds.size());
    }

    static std::vector<ArchiveChunk> All(const std::string& kind)
    {
        std::vector<ArchiveChunk> found;
        for (const Group& group : kGroups)
            for (ArchiveChunk& chunk : Read(group))
                if (chunk.kind == kind)
                    found.push_back(std::move(chunk));
        return found;
    }

    static Image Decode(const std::vector<uint8_t>& tga)
    {
        Image image;
        EXPECT_EQ(image.DecodeTGA(tga.data(), tga.size()), 0);
        return image;
    }
};

TEST_F(ArchiveTest, EveryGroupHoldsTheKindsTheGameReadsInOrder)
{
    for (const Group& group : kGroups) {
        std::vector<ArchiveChunk> chunks = Read(group);
        ASSERT_EQ(chunks.size(), group.kinds.size());
        for (size_t i = 0; i < chunks.size(); ++i)
            EXPECT_EQ(chunks[i].kind, group.kinds[i]) << "entry " << group.entry << " chunk " << i;
    }
}

TEST_F(ArchiveTest, ButtonSetsHaveThreeStatesOfOneSize)
{
    std::vector<ArchiveChunk> sets = All("anim");
    ASSERT_EQ(sets.size(), 3u);
    for (size_t s = 0; s < sets.size(); ++s) {
        ASSERT_EQ(sets[s].frames.size(), 3u) << "set " << s;
        Image first = Decode(sets[s].frames[0]);
        for (const auto& frame : sets[s].frames) {
            Image state = Decode(frame);
            EXPECT_EQ(state.nWidth, first.nWidth);
            EXPECT_EQ(state.nHeight, first.nHeight);
            EXPECT_TRUE(state.fHasAlpha);
        }
    }
    // New and Quit sit at (690, 30) and (690, 80) on a 794-pixel-wide window.
    for (size_t s = 0; s < 2; ++s) {
        Image button = Decode(sets[s].frames[0]);
        EXPECT_LE(690 + int(button.nWidth) + button.nOriginX, 794);
        EXPECT_LE(button.nHeight, 50u);
    }
}

// Every pixel, in both row orders and both TGA forms, comes back as drawn.
void ExpectSamePicture(const Image& image, const Raster& drawn)
{
    ASSERT_EQ(int(image.nWidth), drawn.Width());
    ASSERT_EQ(int(image.nHeight), drawn.Height());
    std::vector<uint8_t> rgba = drawn.ToRGBA8();
    size_t differing = 0;
    for (size_t i = 0; i < rgba.size() / 4; ++i) {
        const uint8_t* p = &rgba[i * 4];
        uint32_t word = uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
        differing += image.GetPixels()[i] != word;
    }
    EXPECT_EQ(differing, 0u);
}

TEST_F(ArchiveTest, SpritesDecodeToThePicturesDrawn)
{
    std::vector<ArchiveChunk> group = Read(kGroups[1]);
    ExpectSamePicture(Decode(group[3].data), SpriteSynth::Intro());
    ExpectSamePicture(Decode(group[4].data), SpriteSynth::AboutBox());
    std::vector<Raster> answers = SpriteSynth::ButtonStates("OK", 80, 32);
    for (size_t i = 0; i < answers.size(); ++i) {
        Image state = Decode(group[2].frames.at(i));
        ExpectSamePicture(state, answers[i]);
        // The dialog places answer buttons by their centre.
        EXPECT_EQ(state.nOriginX, -40);
        EXPECT_EQ(state.nOriginY, -16);
    }
}

TEST_F(ArchiveTest, EveryWaveIsPcm22050Mono16Bit)
{
    std::vector<ArchiveChunk> waves = All("wave");
    ASSERT_EQ(waves.size(), 7u);
    for (const ArchiveChunk& wave : waves) {
        WaveFacts facts = ParseWave(wave.data);
        ASSERT_TRUE(facts.valid);
        EXPECT_EQ(facts.format, 1);
        EXPECT_EQ(facts.channels, 1);
        EXPECT_EQ(facts.rate, 22050u);
        EXPECT_EQ(facts.bits, 16);
        EXPECT_GT(facts.samples.size(), 2000u);
    }
}

TEST_F(ArchiveTest, EveryMeshLoadsWithTheGamesLoaderWithAllItsFaces)
{
    MMesh::SetTextureFolder(std::filesystem::path(RVX_ARCHIVE_FILE).parent_path().string().c_str());
    ArchiveChunks archive(RVX_ARCHIVE_FILE);
    for (const Group& group : kGroups) {
        std::vector<ArchiveChunk> chunks = Read(group);
        for (size_t i = 0; i < chunks.size(); ++i) {
            if (chunks[i].kind != "mesh")
                continue;
            std::unique_ptr<MMesh> mesh = archive.Mesh(group.entry, i);
            ASSERT_TRUE(mesh) << "entry " << group.entry << " chunk " << i;
            EXPECT_GT(mesh->GetSubsetCount(), 0u);
            MeshProbe probe(chunks[i].data);
            EXPECT_GT(probe.TriangleCount(), 0u);
            EXPECT_EQ(mesh->GetIndices().size(), probe.TriangleCount() * 3) << "entry " << group.entry;
        }
    }
}

TEST_F(ArchiveTest, MazeBaseBallAndTableFindTheirTextures)
{
    MMesh::SetTextureFolder(std::filesystem::path(RVX_ARCHIVE_FILE).parent_path().string().c_str());
    ArchiveChunks archive(RVX_ARCHIVE_FILE);
    const std::pair<uint32_t, size_t> textured[] = {{2, 8}, {9, 0}, {10, 0}, {11, 0}, {13, 0}};
    for (const auto& [entry, chunk] : textured) {
        std::unique_ptr<MMesh> mesh = archive.Mesh(entry, chunk);
        ASSERT_TRUE(mesh);
        for (uint32_t s = 0; s < mesh->GetSubsetCount(); ++s)
            EXPECT_TRUE(mesh->HasTexture(s)) << "entry " << entry << " subset " << s;
    }
}

} // namespace
