// End to end through the real main window: a generated clip dropped on the window, Convert
// clicked, the real evc and ffmpeg converting it, the progress window following the job.

#include "../logic/temp_folder.h"
#include "../logic/test_media.h"
#include "platform/FakeDesktopServices.h"
#include "shell/ui/ClavenorWiring.h"
#include "shell/ui/Skin.h"
#include "ui_fakes.h"
#include "ui_helpers.h"

#include <QCheckBox>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QTimer>
#include <QUrl>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <set>

namespace fs = std::filesystem;
using namespace clavenor;
using namespace clavenor_test;

namespace {

// ffprobe's findings about a media file, one "key=value" per line.
std::string Probe(const std::string& path) {
    const std::string command = "ffprobe -v error -show_entries format=format_name,duration "
                                "-show_entries stream=codec_type -of default=nw=1 '" +
                                path + "' 2>&1";
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe))
            out += buffer;
        ::pclose(pipe);
    }
    return out;
}

double DurationOf(const std::string& probe) {
    const auto at = probe.find("duration=");
    return at == std::string::npos ? -1 : std::stod(probe.substr(at + 9));
}

void DropOn(QWidget& window, const std::string& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    const QPoint at(150, 40); // the title area, beside the list
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
}

TEST(MainWindowConversion, ADroppedClipIsConvertedByTheRealEncoderWhileTheProgressWindowFollows) {
    const std::string builtEncoder = std::string(CLAVENOR_PROGRAM_DIR) + "evc";
    ASSERT_TRUE(fs::exists(builtEncoder)) << "the encoder is not built: " << builtEncoder;

    TempFolder tmp;
    const std::string program = tmp.Path() + "Clavenor/";
    const std::string output = tmp.Path() + "out put";
    const std::string clip = tmp.Path() + "in/holiday clip.avi";
    fs::create_directories(program + "Config");
    fs::create_directories(tmp.Path() + "in");
    fs::copy_file(builtEncoder, program + "evc");
    MakeClip(clip, 3.0);

    TRecordingMessageBox messages;
    TScriptedQuestions questions;
    TScriptedFolderBrowser browser;
    TFakeDesktopServices desktop;
    TRecordingApplication application;
    TRecordingCommands commands;
    auto wiring = std::make_unique<TClavenorWiring>(
        program, tmp.Path() + "home",
        TWiringPorts{messages, questions, browser, desktop, application, commands});
    TFrmMainForm& form = wiring->MainForm();
    form.show();
    form.edtOutputFolder->setText(QString::fromStdString(output));
    form.chkShowOutputDirectory->setChecked(true);

    DropOn(form, clip);
    ASSERT_TRUE(WaitUntil([&] { return wiring->Sources().List().Count() == 1; }));
    ASSERT_TRUE(wiring->Sources().List().Row(0).IsChecked());

    // What the progress window showed while the job ran.
    TfrmConverting& progress = wiring->ProgressWindow();
    std::set<std::string> counters;
    bool shownDisabled = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!progress.isVisible())
            return;
        counters.insert(progress.lblPersent->text().toStdString());
        shownDisabled = shownDisabled || !form.isEnabled();
    });
    watch.start(5);

    form.btnConvert->click(); // returns when the job has ended
    watch.stop();
    EXPECT_FALSE(wiring->Job().IsRunning());

    EXPECT_TRUE(counters.count("Current: 1, Total: 1")) << "progress window never showed";
    EXPECT_TRUE(shownDisabled);
    EXPECT_FALSE(progress.isVisible());
    EXPECT_TRUE(form.isEnabled());
    EXPECT_TRUE(messages.Shown.empty()) << messages.Shown[0].first;

    const std::string converted = output + "/holiday clip.mp4";
    ASSERT_TRUE(fs::exists(converted));
    const std::string probe = Probe(converted);
    EXPECT_NE(probe.find("codec_type=video"), std::string::npos) << probe;
    EXPECT_NE(probe.find("format_name=mov,mp4"), std::string::npos) << probe;
    EXPECT_NEAR(DurationOf(probe), 3.0, 0.5) << probe;

    const std::string log = ReadWholeFile(program + "log.txt");
    EXPECT_NE(log.find("|parameter: " + program + "evc"), std::string::npos) << log;
    EXPECT_NE(log.find(clip), std::string::npos) << log;
    EXPECT_EQ(log.find("Encoder exit code"), std::string::npos) << log;

    // The job's end: the output folder opened, as the ticked box asks.
    EXPECT_EQ(desktop.Opened, std::vector<std::string>{output + "/"});
    EXPECT_EQ(application.Ends, 0);
}

} // namespace
