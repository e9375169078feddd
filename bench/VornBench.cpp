// Side-by-side timings of the archive reader and its plain baselines:
//   Open/index        TVornFile::Open of 1,000,000 entries  vs  read() of the same index bytes
//   Test/<archive>    open + ReadFileData of every entry   vs  direct zlib/LZO decoding + CRC
// The data comes from make_bench_archives (directory in PELLORY_BENCH_DATA
// or the build's bench-data).
#include "DirectDecode.h"
#include "archive/TreeWalk.h"
#include "archive/VornFile.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace {

std::string DataDir() {
    const char* dir = std::getenv("PELLORY_BENCH_DATA");
    return dir && *dir ? dir : PELLORY_BENCH_DATA_DEFAULT;
}

void ReadAll(int fd, uint8_t* out, size_t count) {
    while (count > 0) {
        const ssize_t got = read(fd, out, count);
        if (got <= 0) throw std::runtime_error("short read");
        out += got;
        count -= static_cast<size_t>(got);
    }
}

void OpenArchive(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        std::unique_ptr<TVornFile> vorn = TVornFile::Open(path);
        benchmark::DoNotOptimize(vorn->GetRootOffset());
    }
}

// What opening has to do at least: the header and one read() of the index.
void ReadIndexPlain(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        const int fd = open(path.c_str(), O_RDONLY);
        TVornHeader header;
        ReadAll(fd, reinterpret_cast<uint8_t*>(&header), sizeof header);
        std::unique_ptr<uint8_t[]> index(new uint8_t[header.m_IndexSize]);
        lseek(fd, header.m_DirSetOffset, SEEK_SET);
        ReadAll(fd, index.get(), header.m_IndexSize);
        close(fd);
        benchmark::DoNotOptimize(index[0]);
    }
}

// The work of "pellory-cli test": every file entry decoded and checked.
void TestInProcess(benchmark::State& state, const std::string& path, uint64_t bytes) {
    for (auto _ : state) {
        std::unique_ptr<TVornFile> vorn = TVornFile::Open(path);
        WalkTree(*vorn, vorn->GetRootOffset(), [&](uint32_t offset, const std::vector<uint32_t>&) {
            if (!vorn->IsDirectory(offset)) {
                TDataBuffer buffer;
                vorn->ReadFileData(offset, buffer);
            }
            return true;
        });
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

void DirectDecode(benchmark::State& state, const TBenchManifest& manifest) {
    for (auto _ : state) benchmark::DoNotOptimize(DirectDecodeAll(manifest));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * ContentBytes(manifest)));
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    const std::string dir = DataDir();
    benchmark::RegisterBenchmark("Open/index/vorn", OpenArchive, dir + "/index.kvres")
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Open/index/read", ReadIndexPlain, dir + "/index.kvres")
        ->Unit(benchmark::kMillisecond);
    static std::vector<TBenchManifest> manifests;
    for (const char* name : {"zlib-whole", "zlib-chunked", "lzo-whole", "lzo-chunked"})
        manifests.push_back(LoadManifest(dir + "/" + name + ".manifest"));
    for (const TBenchManifest& m : manifests) {
        const std::string name = m.Archive.substr(m.Archive.rfind('/') + 1);
        benchmark::RegisterBenchmark(("Test/" + name + "/vorn").c_str(), TestInProcess, m.Archive,
                                     ContentBytes(m))->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("Test/" + name + "/direct").c_str(), DirectDecode, m)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
