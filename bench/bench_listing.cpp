// Laying out the listing of the largest project the limits allow: the document
// build and the pagination, as every print, preview and results page does them.
// Goal: well under 20 ms, so that the results page follows the user at once.

#include <benchmark/benchmark.h>

#include <memory>

#include "output/FixedMetricsDevice.h"
#include "output/ListingDocument.h"
#include "support/SampleProjects.h"

namespace {

using tavo::ProjectData;

const ProjectData& maximalProject() {
    static const auto project = std::make_unique<ProjectData>(tavo::test::makeMaximalProject());
    return *project;
}

void BuildAndPaginateMaximalListing(benchmark::State& state) {
    const tavo::PrintSettings settings;
    const tavo::HeaderLines banner = tavo::HeaderLines::makersBanner();
    const tavo::ListingFrame frame{settings, banner, "/home/planer/Projekte/Haus.tavo 01.02.2024"};
    tavo::FixedMetricsDevice device;
    tavo::PageComposer composer;
    for (auto _ : state) {
        tavo::buildListingDocument(composer, device, maximalProject(), frame);
        benchmark::DoNotOptimize(composer.paginate());
    }
}
BENCHMARK(BuildAndPaginateMaximalListing)->Unit(benchmark::kMillisecond);

}  // namespace
