#include "platform/MFileMMIO.h"
#include <benchmark/benchmark.h>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// A 1 MB scratch file, removed at exit.
const std::string& ScratchFile()
{
    static const std::string path = [] {
        char name[] = "/tmp/rvx-bench-XXXXXX";
        const int fd = mkstemp(name);
        const std::vector<char> bytes(1 << 20, 'r');
        if (fd < 0 || write(fd, bytes.data(), bytes.size()) != ssize_t(bytes.size()))
            std::abort();
        close(fd);
        std::atexit([] { std::remove(ScratchFile().c_str()); });
        return std::string(name);
    }();
    return path;
}

// Header read, then a skip over a small chunk: seeks that stay inside the buffer.
void BM_HeaderAndSkip(benchmark::State& state)
{
    MFileMMIO file;
    file.Open(ScratchFile().c_str(), 1, 1);
    char header[8];
    for (auto _ : state) {
        if (file.GetRemaining() < state.range(0) + 8)
            file.Seek(0, 0);
        file.Read(header, 8);
        file.Seek(int32_t(state.range(0)), 1);
        benchmark::DoNotOptimize(header);
    }
}
BENCHMARK(BM_HeaderAndSkip)->Arg(16)->Arg(4096)->Arg(65536);

// One large read of a whole chunk, as the mesh and image loaders do.
void BM_LargeRead(benchmark::State& state)
{
    MFileMMIO file;
    file.Open(ScratchFile().c_str(), 1, 1);
    std::vector<char> buffer(size_t(state.range(0)));
    for (auto _ : state) {
        file.Seek(0, 0);
        file.Read(buffer.data(), int32_t(buffer.size()));
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * state.range(0));
}
BENCHMARK(BM_LargeRead)->Arg(1 << 12)->Arg(1 << 20);

} // namespace
