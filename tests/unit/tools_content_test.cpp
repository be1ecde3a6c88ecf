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
        std::ifstream in(item.path(), std::ios::binary);
        if (item.is_regular_file())
            files[fs::relative(item.path(), root).string()] =
                std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return files;
}

TEST(ContentTest, SameSourcesGiveSameBytesAndTheManifestNamesOnlyWrittenFiles)
{
    const fs::path root = fs::temp_directory_path() / ("rvx_content_test_" + std::to_string(::getpid()));
    std::map<std::string, std::string> trees[2];
    for (int i = 0; i < 2; ++i) {
        const fs::path out = root / std::to_string(i);
        ContentSet content(Maze::Load(RVX_MAZE_FILE));
        content.Write((out / "content").string(), (out / "run").string());
        trees[i] = ReadTree(out);
        for (int entry : {1, 2, 9, 10, 11, 12, 13})
            EXPECT_TRUE(content.Manifest().count(entry)) << entry;
        for (const auto& [entry, chunks] : content.Manifest())
            for (const ManifestChunk& chunk : chunks)
                for (const std::string& file : chunk.files)
                    EXPECT_TRUE(fs::exists(out / "content" / file)) << file;
    }
    fs::remove_all(root);
    ASSERT_FALSE(trees[0].empty());
    EXPECT_TRUE(trees[0] == trees[1]);
}

} // namespace
