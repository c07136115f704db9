// A conversion job with the real command line builder and the real evc over generated clips.

#include "core/CustomProc.h"
#include "core/JobCommandBuilder.h"
#include "engine/ConversionJob.h"

#include "FakeUiLoop.h"
#include "JobFakes.h"
#include "ProcessTestSupport.h"
#include "platform/FakeDesktopServices.h"

#include <gtest/gtest.h>

extern "C" {
#include <libavformat/avformat.h>
}

using namespace clavenor;
using namespace clavenor::testing;

namespace {

// A clip of testsrc video and a sine tone, made by ffmpeg.
void MakeClip(const std::string& path, int seconds) {
    std::string command = "ffmpeg -v error -y -f lavfi -i testsrc=size=160x120:rate=10:duration=" +
                          std::to_string(seconds) +
                          " -f lavfi -i sine=sample_rate=8000:duration=" + std::to_string(seconds) +
                          " -c:v mpeg4 -q:v 31 -c:a pcm_s16le '" + path + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

struct TMediaFacts {
    bool Opened = false;
    bool HasVideo = false;
    bool HasAudio = false;
    double Seconds = 0;
};

TMediaFacts Probe(const std::string& path) {
    TMediaFacts facts;
    AVFormatContext* context = nullptr;
    if (avformat_open_input(&context, path.c_str(), nullptr, nullptr) != 0)
        return facts;
    if (avformat_find_stream_info(context, nullptr) >= 0) {
        facts.Opened = true;
        for (unsigned i = 0; i < context->nb_streams; ++i) {
            AVMediaType type = context->streams[i]->codecpar->codec_type;
            facts.HasVideo = facts.HasVideo || type == AVMEDIA_TYPE_VIDEO;
            facts.HasAudio = facts.HasAudio || type == AVMEDIA_TYPE_AUDIO;
        }
        if (context->duration > 0)
            facts.Seconds = static_cast<double>(context->duration) / AV_TIME_BASE;
    }
    avformat_close_input(&context);
    return facts;
}

} // namespace

// Whether a live process mentions text on its command line (any program, ours or not).
bool AnyProcessMentions(const std::string& text) {
    for (const TProcessEntry& entry : ReadProcessTable(false)) {
        std::string commandLine = ReadFile("/proc/" + std::to_string(entry.Pid) + "/cmdline");
        if (commandLine.find(text) != std::string::npos)
            return true;
    }
    return false;
}

TEST(ConversionEndToEnd, TwoClipsBecomeTwoPlayableFilesWithTheirLogLines) {
    const std::string builtEncoder = std::string(CLAVENOR_PROGRAM_DIR) + "evc";
    ASSERT_TRUE(std::filesystem::exists(builtEncoder))
        << "the encoder is not built: " << builtEncoder;

    TTempFolder tmp;
    const std::string program = tmp.Path() + "Clavenor/";
    const std::string sources = tmp.Path() + "in/";
    const std::string output = tmp.Path() + "out put";
    std::filesystem::create_directories(program);
    std::filesystem::create_directories(sources);
    std::filesystem::copy_file(builtEncoder, program + "evc");
    MakeClip(sources + "first clip.avi", 3);
    MakeClip(sources + "second.avi", 3);

    std::vector<TSourceFileRow> rows;
    for (const char* name : {"first clip.avi", "second.avi"})
        rows.push_back(
            {"True", sources + name, "", "00:00:03", "00:00:00", "00:00:02", "00:00:02"});
    TCommonLib commonLib(program);
    TFileFunc fileFunc;
    TAppFunc log(program);
    ConversionSettings settings;
    settings.ApplyProfile();
    std::string outputFolder = output;
    TCustomProc customProc(commonLib, fileFunc, log, settings, rows, outputFolder);
    TJobCommandBuilder builder(customProc, commonLib);

    TSeen seen;
    TFakeSources list;
    list.List = rows;
    TFakeProgressWindow progress(seen);
    TFakeMainWindow main(seen);
    TFakeMessageBox box(seen);
    TFakeApplication app(seen);
    TFakeDesktopServices desktop;
    TLinuxProcessServices processes;
    TFakeUiLoop ui;
    TConversionJob job(
        TJobPorts{builder, list, progress, main, box, ui, ui, processes, desktop, app, log},
        program);
    job.RunConversionJob();

    for (const char* name : {"first clip.mp4", "second.mp4"}) {
        TMediaFacts facts = Probe(output + "/" + name);
        EXPECT_TRUE(facts.Opened) << name;
        EXPECT_TRUE(facts.HasVideo) << name;
        EXPECT_TRUE(facts.HasAudio) << name;
        EXPECT_GT(facts.Seconds, 1.0) << name;
        EXPECT_LT(facts.Seconds, 2.9) << name << ": trimmed to 2 s";
    }
    std::vector<std::string> logged = LogMessages(program);
    ASSERT_EQ(logged.size(), 4u);
    EXPECT_EQ(logged[0], "Output directory " + output + "/");
    EXPECT_EQ(
        logged[1].rfind("parameter: " + program + "evc -y -i \"" + sources + "first clip.avi\"", 0),
        0u)
        << logged[1];
    EXPECT_EQ(logged[2], "Output directory " + output + "/");
    EXPECT_EQ(
        logged[3].rfind("parameter: " + program + "evc -y -i \"" + sources + "second.avi\"", 0), 0u)
        << logged[3];
    EXPECT_FALSE(seen.empty());
    EXPECT_TRUE(processes.OwnDescendants().empty());
}

TEST(ConversionEndToEnd, StopEndsTheEncoderAndLeavesNoProcessBehind) {
    const std::string builtEncoder = std::string(CLAVENOR_PROGRAM_DIR) + "evc";
    ASSERT_TRUE(std::filesystem::exists(builtEncoder))
        << "the encoder is not built: " << builtEncoder;

    TTempFolder tmp;
    const std::string program = tmp.Path() + "Clavenor/";
    const std::string source = tmp.Path() + "long.avi";
    std::filesystem::create_directories(program);
    std::filesystem::copy_file(builtEncoder, program + "evc");
    MakeClip(source, 300); // several seconds of work for the encoder

    std::vector<TSourceFileRow> rows{{"True", source, "", "00:05:00", "", "", ""}};
    TCommonLib commonLib(program);
    TFileFunc fileFunc;
    TAppFunc log(program);
    ConversionSettings settings;
    settings.ApplyProfile();
    std::string outputFolder = tmp.Path() + "out";
    TCustomProc customProc(commonLib, fileFunc, log, settings, rows, outputFolder);
    TJobCommandBuilder builder(customProc, commonLib);

    TSeen seen;
    TFakeSources list;
    list.List = rows;
    TFakeProgressWindow progress(seen);
    TFakeMainWindow main(seen);
    main.ShowOutputDirectory = true;
    TFakeMessageBox box(seen);
    TFakeApplication app(seen);
    TFakeDesktopServices desktop;
    TLinuxProcessServices processes;
    TFakeUiLoop ui;
    TConversionJob job(
        TJobPorts{builder, list, progress, main, box, ui, ui, processes, desktop, app, log},
        program);
    // Stop and confirm once the encoder has shown some progress.
    progress.OnStatus = [&] {
        progress.OnStatus = nullptr;
        ui.Post([&] { job.RequestStop(); });
    };
    job.RunConversionJob();

    EXPECT_TRUE(desktop.Opened.empty());
    EXPECT_TRUE(processes.OwnDescendants().empty());
    // Nothing the encoder started lives on, under whatever parent: what still works on the
    // file after a moment's grace is a stray.
    EXPECT_TRUE(Eventually([&] { return !AnyProcessMentions(tmp.Path()); }, 1000))
        << "a process working on the stopped file is still running";
    std::vector<std::string> logged = LogMessages(program);
    ASSERT_FALSE(logged.empty());
    EXPECT_EQ(logged.back(), "Encoder exit code 137: " + source);
}
