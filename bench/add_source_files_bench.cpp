// Benchmark of adding source files: one AddSourceFiles call over many small clips, probe
// (libavformat) and row creation together. Run by hand through bench/run-sources-bench.sh;
// the figure goes into the report, not into tests.
//
//   add_source_files_bench [files] [rounds]   defaults 200 and 5

#include "engine/JobPorts.h"
#include "sources/MediaProbe.h"
#include "sources/SourceFileList.h"
#include "sources/SourceListOps.h"

#include "temp_folder.h"
#include "test_media.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

using namespace clavenor;
using Clock = std::chrono::steady_clock;

namespace {

struct CountingErrorInfo : IErrorInfo {
    int shown = 0;
    void ShowErrorInfo() override { ++shown; }
};
struct NoEvents : IEventPump {
    void ProcessPendingEvents() override {}
    void WaitUntil(const std::function<bool()>&) override {}
    void Wake() override {}
};

} // namespace

int main(int argc, char** argv) {
    const int files = argc > 1 ? std::atoi(argv[1]) : 200;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
    clavenor_test::TempFolder folder;

    // A few small clips of different containers, copied under distinct names.
    const std::vector<std::string> kinds = {"mp4", "avi", "mov", "flv"};
    std::vector<std::string> originals;
    for (const std::string& kind : kinds) {
        const std::string path = folder.Path() + "original." + kind;
        clavenor_test::MakeClip(path, 2.0);
        originals.push_back(path);
    }
    std::vector<std::string> paths;
    for (int i = 0; i < files; ++i) {
        const std::string& original = originals[i % originals.size()];
        const std::string path =
            folder.Path() + "clip" + std::to_string(i) + "." + kinds[i % kinds.size()];
        std::filesystem::copy_file(original, path);
        paths.push_back(path);
    }

    TAvMediaProbeFactory probes;
    CountingErrorInfo errorInfo;
    TNoTrimSync trim;
    NoEvents events;
    TSourceListOps ops(probes, errorInfo, trim, events);

    std::vector<double> rates;
    for (int round = 0; round < rounds; ++round) {
        TSourceFileList list;
        const auto start = Clock::now();
        ops.AddSourceFiles(list, paths);
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        if (list.Count() != paths.size() || errorInfo.shown != 0) {
            std::fprintf(stderr, "only %zu of %zu files became rows\n", list.Count(), paths.size());
            return 1;
        }
        rates.push_back(files / seconds);
        std::printf("round %d: %d files in %.3f s = %.0f files/s\n", round + 1, files, seconds,
                    files / seconds);
    }
    std::sort(rates.begin(), rates.end());
    std::printf("median: %.0f files/s (goal: at least 200)\n", rates[rates.size() / 2]);
    return 0;
}
