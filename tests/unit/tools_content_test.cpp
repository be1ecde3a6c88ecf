// The generators are deterministic and write every file the manifest names.
#include "tools/content/ContentSet.h"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::map<std::string, std::string> ReadTree(const fs::path& root)
{
    std::map<std::string, std::string> files;
    for (const auto& item : fs::recursive_directory_iterator(root)) {
        if (!item.is_regular_file())
            continue;
        std::ifstream in(item.path(), std::ios::binary);
        files[fs::relative(item.path(), root).string()] =
            std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return files;
}

class ContentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = fs::temp_directory_path() / ("rvx_content_test_" + std::to_string(::getpid()));
        fs::remove_all(root);
    }
    void TearDown() override { fs::remove_all(root); }

    fs::path Generate(const std::string& name)
    {
        ContentSet content(Maze::Load(RVX_MAZE_FILE));
        content.Write((root / name / "content").string(), (root / name / "run").string());
        manifest = content.Manifest();
        return root / name;
    }

    fs::path root;
    ContentSet::Entries manifest;
};

TEST_F(ContentTest, SameSourcesGiveSameBytes)
{
    auto first = ReadTree(Generate("a"));
    auto second = ReadTree(Generate("b"));
    ASSERT_FALSE(first.empty());
    ASSERT_EQ(first.size(), second.size());
    for (const auto& [name, bytes] : first)
        EXPECT_TRUE(second.count(name) && second[name] == bytes) << name;
}

TEST_F(ContentTest, ManifestNamesOnlyWrittenFilesForTheGamesEntries)
{
    fs::path content = Generate("a") / "content";
    for (int entry : {1, 2, 9, 10, 11, 12, 13})
        EXPECT_TRUE(manifest.count(entry)) << entry;
    for (const auto& [entry, chunks] : manifest) {
        EXPECT_LT(entry, ContentSet::kEntryCount);
        for (const ManifestChunk& chunk : chunks)
            for (const std::string& file : chunk.files)
                EXPECT_TRUE(fs::exists(content / file)) << file;
    }
    std::string text = ContentSet::ManifestText(manifest);
    EXPECT_NE(text.find("entries 14\n"), std::string::npos);
    EXPECT_NE(text.find("entry 13\nmesh meshes/ball.x\n"), std::string::npos);
}

} // namespace
