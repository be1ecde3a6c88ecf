// Ray tests of the kind the ball runs each frame: horizontal wall rays
// against the frame mesh, vertical hole rays against the board mesh.
#include "platform/MMesh.h"
#include "platform/MVector3.h"
#include <benchmark/benchmark.h>
#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

uint32_t Dword(const Bytes& b, size_t at)
{
    uint32_t v = 0;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}

// The mesh chunk at an entry point of the game's archive; null when the
// archive is not built.
std::unique_ptr<MMesh> ArchiveMesh(uint32_t entry)
{
    std::ifstream in(RVX_RUN_DIR "/RollavexAssets.mm", std::ios::binary);
    const Bytes archive((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (archive.size() < 24 || Dword(archive, 20) <= entry || archive.size() < 28 + 4 * size_t(entry))
        return nullptr;
    const size_t chunk = Dword(archive, 24 + 4 * size_t(entry));
    if (chunk + 8 > archive.size() || std::memcmp(archive.data() + chunk, "hsem", 4) != 0)
        return nullptr;
    const uint32_t size = std::min<uint32_t>(Dword(archive, chunk + 4), uint32_t(archive.size() - chunk - 8));
    return std::make_unique<MMesh>(archive.data() + chunk + 8, size);
}

struct Bounds {
    float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
};

Bounds BoundsOf(const MMesh& mesh)
{
    Bounds b;
    for (const MVertex& v : mesh.GetVertices()) {
        b.x0 = std::min(b.x0, v.x);
        b.y0 = std::min(b.y0, v.y);
        b.x1 = std::max(b.x1, v.x);
        b.y1 = std::max(b.y1, v.y);
    }
    return b;
}

// Rays from random points over the mesh at height z; horizontal rays turn
// through eight directions, vertical ones point along +z.
void RunRays(benchmark::State& state, const MMesh* mesh, float z, bool horizontal)
{
    if (mesh == nullptr) {
        state.SkipWithError("the archive is not built");
        return;
    }
    const Bounds b = BoundsOf(*mesh);
    std::mt19937 random(1);
    std::uniform_real_distribution<float> rx(b.x0, b.x1), ry(b.y0, b.y1);
    std::vector<MVector3> origins;
    for (int i = 0; i < 256; ++i)
        origins.emplace_back(rx(random), ry(random), z);
    const MVector3 directions[8] = {{1, 0, 0}, {0, 1, 0}, {-1, 0, 0}, {0, -1, 0},
                                    {0.707f, 0.707f, 0}, {0.383f, 0.924f, 0}, {0.924f, -0.383f, 0}, {-0.707f, 0.707f, 0}};
    size_t i = 0;
    int64_t hits = 0;
    for (auto _ : state) {
        int32_t hit = 0;
        float distance = 0;
        const MVector3& d = horizontal ? directions[i % 8] : MVector3(0, 0, 1);
        mesh->Intersect(origins[i % origins.size()], d, &hit, &distance);
        benchmark::DoNotOptimize(distance);
        hits += hit;
        ++i;
    }
    state.counters["triangles"] = double(mesh->GetIndices().size() / 3);
    state.counters["hit rate"] = double(hits) / double(std::max<size_t>(i, 1));
}

void BM_FrameWallRay(benchmark::State& state)
{
    static const std::unique_ptr<MMesh> frame = ArchiveMesh(11);
    RunRays(state, frame.get(), -0.2f, true);
}

void BM_BoardHoleRay(benchmark::State& state)
{
    static const std::unique_ptr<MMesh> board = ArchiveMesh(10);
    RunRays(state, board.get(), -0.3f, false);
}

} // namespace

BENCHMARK(BM_FrameWallRay);
BENCHMARK(BM_BoardHoleRay);
