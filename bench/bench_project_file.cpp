// Reading and writing the largest project the limits allow, in memory and
// through a real file.

#include <benchmark/benchmark.h>

#include <memory>

#include "file/ProjectFile.h"
#include "support/SampleProjects.h"
#include "support/TestFiles.h"

namespace {

using tavo::BinBuffer;
using tavo::ProjectData;

// Projects are too large for the stack of a benchmark loop; each is built once.
const ProjectData& maximalProject() {
    static const auto project = std::make_unique<ProjectData>(tavo::test::makeMaximalProject());
    return *project;
}

const std::vector<std::uint8_t>& maximalFile() {
    static const std::vector<std::uint8_t> bytes = [] {
        BinBuffer buffer;
        tavo::writeProject(buffer, maximalProject());
        return buffer.bytes();
    }();
    return bytes;
}

void WriteMaximalProjectToMemory(benchmark::State& state) {
    for (auto _ : state) {
        BinBuffer buffer;
        tavo::writeProject(buffer, maximalProject());
        benchmark::DoNotOptimize(buffer.bytes().data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(maximalFile().size()));
}
BENCHMARK(WriteMaximalProjectToMemory)->Unit(benchmark::kMicrosecond);

void ReadMaximalProjectFromMemory(benchmark::State& state) {
    const auto project = std::make_unique<ProjectData>();
    for (auto _ : state) {
        project->reset();
        BinBuffer buffer(maximalFile());
        tavo::readProject(buffer, *project);
        benchmark::DoNotOptimize(project.get());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(maximalFile().size()));
}
BENCHMARK(ReadMaximalProjectFromMemory)->Unit(benchmark::kMicrosecond);

// The whole save: temporary file, flush to the disk, rename over the target.
void SaveMaximalProjectFile(benchmark::State& state) {
    const tavo::test::TemporaryFolder folder;
    const std::string path = folder.file("maximal.tavo");
    for (auto _ : state) {
        if (!tavo::saveProjectFile(path, maximalProject()).ok) state.SkipWithError("save failed");
    }
}
BENCHMARK(SaveMaximalProjectFile)->Unit(benchmark::kMicrosecond);

void LoadMaximalProjectFile(benchmark::State& state) {
    const tavo::test::TemporaryFolder folder;
    const std::string path = folder.file("maximal.tavo");
    tavo::test::writeFile(path, maximalFile());
    const auto project = std::make_unique<ProjectData>();
    std::int32_t version = 0;
    for (auto _ : state) {
        if (!tavo::loadProjectFile(path, *project, version).ok) state.SkipWithError("load failed");
    }
}
BENCHMARK(LoadMaximalProjectFile)->Unit(benchmark::kMicrosecond);

}  // namespace
