// Benchmarks of the conversion job and the encoder runner, run by hand through
// bench/run-job-bench.sh (the figures go into the report, not into tests).
//
//   job_bench per-file [files]   the job's time per file with an encoder that exits at once
//   job_bench idle-cpu [seconds] CPU time of the runner (and of the whole job) while the
//                                encoder runs silently

#include "engine/AdvanceSystem.h"
#include "engine/ConversionJob.h"
#include "foundation/Log.h"
#include "platform/FakeDesktopServices.h"
#include "platform/LinuxProcessServices.h"
#include "platform/LinuxSpawn.h"

#include "FakeUiLoop.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <thread>

using namespace clavenor;
using Clock = std::chrono::steady_clock;

namespace {

double CpuSeconds(int who) {
    rusage usage{};
    ::getrusage(who, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct TQuietWindows : IProgressWindowPort, IMainWindowPort, IMessageBoxPort, IApplicationPort {
    void Show() override {}
    void Hide() override {}
    void SetCurrentFilePosition(int) override {}
    void SetStatusText(const std::string&) override {}
    void SetCurrentFileName(const std::string&) override {}
    void RefreshProgress() override {}
    void SetEnabled(bool) override {}
    bool ShowOutputDirectoryChecked() const override { return false; }
    bool ShutdownChecked() const override { return false; }
    void ShowMessageBox(const std::string& text, int) override {
        std::fprintf(stderr, "message: %s\n", text.c_str());
    }
    void EndProgram() override {}
};

struct TBenchBuilder : IJobCommandBuilder {
    std::vector<std::string> Arguments;
    TJobCommandLine BuildCommandLine(const std::string& path) override {
        Input = path;
        return {Arguments[0] + " -y -i \"" + path + "\"", Arguments};
    }
    std::string EncoderPath() const override { return Arguments[0]; }
    std::string InputPath() const override { return Input; }
    std::string OutputFolder() const override { return "/tmp/"; }
    std::string StartTime() const override { return ""; }
    std::string CutDuration() const override { return ""; }
    std::string Input;
};

struct TBenchRows : IJobSourceList {
    std::vector<TSourceFileRow> List;
    std::vector<TSourceFileRow> Rows() const override { return List; }
};

std::string MakeProgramFolder() {
    char pattern[] = "/tmp/clavenor-bench-XXXXXX";
    if (!::mkdtemp(pattern))
        std::exit(1);
    return std::string(pattern) + "/";
}

// Runs one job over files rows with encoder as every row's encoder; returns wall seconds.
double RunJob(const std::string& folder, const std::vector<std::string>& encoder, int files) {
    TLinuxProcessServices processes;
    testing::TFakeUiLoop ui;
    TQuietWindows windows;
    TBenchBuilder builder;
    builder.Arguments = encoder;
    TBenchRows rows;
    for (int i = 0; i < files; ++i)
        rows.List.push_back({"True", "/src/clip" + std::to_string(i) + ".avi", "", "", "", "", ""});
    TFakeDesktopServices desktop;
    TAppFunc log(folder);
    TConversionJob job(TJobPorts{builder, rows, windows, windows, windows, ui, ui, processes,
                                 desktop, windows, log},
                       folder);
    auto start = Clock::now();
    job.RunConversionJob();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

int PerFile(int files) {
    std::string folder = MakeProgramFolder();
    std::filesystem::create_symlink(FindExecutable("true"), folder + "evc");
    RunJob(folder, {folder + "evc"}, 3); // warm up
    double seconds = RunJob(folder, {folder + "evc"}, files);
    std::printf("job over %d files, encoder exits at once: %.1f ms per file "
                "(fixed pauses of the old design alone: 5000 ms per file)\n",
                files, seconds * 1000.0 / files);
    std::filesystem::remove_all(folder);
    return 0;
}

int IdleCpu(int seconds) {
    std::string folder = MakeProgramFolder();
    std::filesystem::create_symlink(FindExecutable("sleep"), folder + "evc");
    const std::vector<std::string> encoder{folder + "evc", std::to_string(seconds)};

    // The runner alone, on a thread of its own.
    double runnerCpu = 0, runnerWall = 0;
    std::thread runner([&] {
        TLinuxProcessServices processes;
        double before = CpuSeconds(RUSAGE_THREAD);
        auto start = Clock::now();
        RunCapturedProcess(processes, encoder, folder, [](const std::string&) {});
        runnerWall = std::chrono::duration<double>(Clock::now() - start).count();
        runnerCpu = CpuSeconds(RUSAGE_THREAD) - before;
    });
    runner.join();
    std::printf("runner thread, encoder silent for %.1f s: %.2f ms CPU (%.4f%% of one core)\n",
                runnerWall, runnerCpu * 1000.0, 100.0 * runnerCpu / runnerWall);

    // The whole job: the UI thread's wait and the runner together.
    double before = CpuSeconds(RUSAGE_SELF);
    double wall = RunJob(folder, encoder, 1);
    double cpu = CpuSeconds(RUSAGE_SELF) - before;
    std::printf("whole job (UI wait + runner), %.1f s: %.2f ms CPU (%.4f%% of one core)\n", wall,
                cpu * 1000.0, 100.0 * cpu / wall);
    std::filesystem::remove_all(folder);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "per-file")
        return PerFile(argc > 2 ? std::atoi(argv[2]) : 200);
    if (mode == "idle-cpu")
        return IdleCpu(argc > 2 ? std::atoi(argv[2]) : 10);
    std::fprintf(stderr, "usage: job_bench per-file [files] | idle-cpu [seconds]\n");
    return 2;
}
