// The built archive read back the way the game reads it.
#include "tools/content/check/ArchiveChunks.h"
#include "tools/content/check/MeshProbe.h"
#include "platform/MMesh.h"
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

// Every chunk is of the kind the game reads there, and every mesh loads with
// the game's loader with all its faces and textures.
TEST(ArchiveTest, EveryGroupHoldsTheKindsTheGameReadsInOrder)
{
    MMesh::SetTextureFolder(std::filesystem::path(RVX_ARCHIVE_FILE).parent_path().string().c_str());
    ArchiveChunks archive(RVX_ARCHIVE_FILE);
    for (const Group& group : kGroups) {
        std::vector<ArchiveChunk> chunks = archive.Group(group.entry, group.kinds.size());
        ASSERT_EQ(chunks.size(), group.kinds.size());
        for (size_t i = 0; i < chunks.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "entry " << group.entry << " chunk " << i);
            EXPECT_EQ(chunks[i].kind, group.kinds[i]);
            if (chunks[i].kind != "mesh")
                continue;
            std::unique_ptr<MMesh> mesh = archive.Mesh(group.entry, i);
            ASSERT_TRUE(mesh);
            EXPECT_GT(mesh->GetSubsetCount(), 0u);
            EXPECT_EQ(mesh->GetIndices().size(), MeshProbe(chunks[i].data).TriangleCount() * 3);
            // The maze, base, ball and table are textured.
            if (group.entry != 2 || i == 8)
                for (uint32_t s = 0; s < mesh->GetSubsetCount(); ++s)
                    EXPECT_TRUE(mesh->HasTexture(s)) << "subset " << s;
        }
    }
}

} // namespace
