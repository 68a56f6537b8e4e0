// Storage engine costs: a read-write open (which checks the block chain and free list) of
// files with many objects, allocation and release, and object lookups.
#include "core/storage/StorageFile.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <random>
#include <vector>

namespace {
// A file with n objects of assorted sizes, every fourth deleted again.
QString MakeFile(QTemporaryDir &dir, int n)
{
    const QString path = dir.filePath(QStringLiteral("bench-%1.qvd").arg(n));
    CStorageFile file;
    if (file.Create(path) != S_OK)
        return {};
    std::mt19937 rng(7);
    std::vector<char> data(4096, 'x');
    for (int id = 16; id < 16 + n; ++id) {
        std::uint32_t offset = 0, block = 0;
        const std::uint32_t length = 200 + rng() % 1500;
        file.OpenOrCreateObject(static_cast<std::uint32_t>(id), offset);
        file.AllocateBlock(length, block);
        file.WriteAt(block, data.data(), length);
        file.SetObjectOffset(static_cast<std::uint32_t>(id), block);
        file.ReleaseObject(static_cast<std::uint32_t>(id));
    }
    for (int id = 16; id < 16 + n; id += 4)
        file.DeleteObject(static_cast<std::uint32_t>(id));
    return path;
}

void OpenReadWrite(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = MakeFile(dir, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CStorageFile file;
        benchmark::DoNotOptimize(file.OpenExisting(path, false));
    }
    state.counters["objects"] = static_cast<double>(state.range(0));
}
BENCHMARK(OpenReadWrite)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);

void AllocateAndFree(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = MakeFile(dir, 2000);
    CStorageFile file;
    file.OpenExisting(path, false);
    std::mt19937 rng(11);
    std::vector<std::uint32_t> live;
    for (auto _ : state) {
        if (live.size() < 200 || rng() % 2) {
            std::uint32_t block = 0;
            file.AllocateBlock(rng() % 2000, block);
            live.push_back(block);
        } else {
            const std::size_t i = rng() % live.size();
            file.FreeBlock(live[i]);
            live[i] = live.back();
            live.pop_back();
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(AllocateAndFree);

void LookUpObjects(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = MakeFile(dir, 5000);
    CStorageFile file;
    file.OpenExisting(path, true);
    std::uint32_t id = 17;
    for (auto _ : state) {
        std::uint32_t offset = 0;
        if (file.OpenObject(id, offset) == S_OK)
            file.ReleaseObject(id);
        benchmark::DoNotOptimize(offset);
        id = id + 1 < 16 + 5000 ? id + 1 : 17;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(LookUpObjects);
} // namespace
