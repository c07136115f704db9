#include "engine/ConversionJob.h"

#include "engine/AdvanceSystem.h"
#include "engine/EncoderControl.h"
#include "foundation/Log.h"

namespace clavenor {

namespace {

// Marks the job as running for as long as it runs, errors included.
class TRunningMark {
public:
    explicit TRunningMark(bool& running) : Running(running) { Running = true; }
    ~TRunningMark() { Running = false; }
    TRunningMark(const TRunningMark&) = delete;
    TRunningMark& operator=(const TRunningMark&) = delete;

private:
    bool& Running;
};

} // namespace

TConversionJob::TConversionJob(TJobPorts ports, std::string programFolder)
    : Ports(ports), ProgramFolder(std::move(programFolder)),
      Control(std::make_unique<TEncoderControl>(ports.Processes, ports.Events, ports.Log)) {}

TConversionJob::~TConversionJob() = default;

void TConversionJob::RunConversionJob() {
    // The main window is disabled while a job runs, but a stop command enables it again
    // before the job has returned: a second Convert then must not start a nested job.
    if (Running)
        return;
    TRunningMark mark(Running);
    FailedInputs.clear();

    JobState.FilesDone = 0;
    JobState.FilesTotal = 0;
    std::vector<TSourceFileRow> rows = Ports.Sources.Rows();
    for (const TSourceFileRow& row : rows)
        if (row.IsChecked())
            ++JobState.FilesTotal;

    if (rows.empty()) {
        WarnNoFiles();
    } else {
        JobState.FilesDone = 0;
        JobState.RowIndex = 0;
        // The list is read again at every test: the stop commands move the row index past
        // its end.
        while (JobState.RowIndex <= static_cast<int>((rows = Ports.Sources.Rows()).size()) - 1) {
            const TSourceFileRow& row = rows[static_cast<std::size_t>(JobState.RowIndex)];
            if (!row.IsChecked()) {
                ++JobState.RowIndex;
                continue;
            }
            RunOneFile(row.SourceFileName);
            ++JobState.FilesDone;
            ++JobState.RowIndex;
        }

        if (!JobState.StopFlag) {
            if (Ports.MainWindow.ShowOutputDirectoryChecked())
                OpenOutputFolder(Ports.Builder.OutputFolder());
            if (Ports.MainWindow.ShutdownChecked()) {
                ShutdownComputer();
                return; // the program has ended; nothing after this runs
            }
        }
        JobState.StopFlag = false;
    }
    Ports.ProgressWindow.Hide();
    Ports.MainWindow.SetEnabled(true);

    if (!FailedInputs.empty()) {
        std::string text = "Some files could not be converted:";
        for (const std::string& path : FailedInputs)
            text += "\n" + path;
        Ports.MessageBox.ShowMessageBox(text, 1);
    }
}

void TConversionJob::RunOneFile(const std::string& sourcePath) {
    CurrentRunStopped = false;
    TJobCommandLine command = Ports.Builder.BuildCommandLine(sourcePath);
    JobState.CommandLine = command.Text;
    JobState.StartTime = Ports.Builder.StartTime();
    JobState.CutDuration = Ports.Builder.CutDuration();
    Ports.Log.WriteLog("parameter: " + command.Text);

    JobState.RefreshCount = 0;
    Ports.ProgressWindow.SetCurrentFilePosition(0);
    Ports.ProgressWindow.Show();
    Ports.MainWindow.SetEnabled(false);
    Ports.Events.ProcessPendingEvents();

    // The runner starts at once; the job then waits on what the encoder does, not on fixed
    // pauses. A stop command handled above keeps the encoder from starting at all.
    AdvanceSystem = std::make_unique<TAdvanceSystem>(
        command.Arguments, ProgramFolder,
        [this](const std::string& piece) { OnEncoderOutput(piece); }, Ports.Processes,
        Ports.UiThread, [this] { Ports.Events.Wake(); });
    if (CurrentRunStopped)
        AdvanceSystem->Terminate();
    AdvanceSystem->Start();
    Ports.Events.WaitUntil([this] { return AdvanceSystem->StartSettled(); });
    Ports.Events.WaitUntil(
        [this] { return AdvanceSystem->Finished() && !EncoderOfThisProgramRunning(); });

    const TRunOutcome outcome = AdvanceSystem->Outcome();
    const int status = outcome == TRunOutcome::Ended ? AdvanceSystem->ExitStatus() : -1;
    AdvanceSystem.reset();

    const bool failed =
        outcome == TRunOutcome::StartFailed || (outcome == TRunOutcome::Ended && status != 0);
    if (failed) {
        Ports.Log.WriteLog("Encoder exit code " + std::to_string(status) + ": " + sourcePath);
        // A run the user stopped is no surprise to report at the end.
        if (!CurrentRunStopped)
            FailedInputs.push_back(sourcePath);
    }
}

bool TConversionJob::EncoderOfThisProgramRunning() const {
    return IsProcessRunning(Ports.Processes, "evc") != 0 ||
           IsProcessRunning(Ports.Processes, "revc") != 0;
}

void TConversionJob::OnEncoderOutput(const std::string& text) {
    Ports.Events.ProcessPendingEvents();
    Ports.ProgressWindow.SetStatusText(text);
    Ports.ProgressWindow.SetCurrentFileName(Ports.Builder.InputPath());
    Ports.ProgressWindow.RefreshProgress();
}

void TConversionJob::RequestStop() {
    // The progress window can outlive its job (a build error leaves it shown; a question is
    // answered after the job ended): a stop then has nothing to stop, and a stop flag left
    // set would skip the next job's post-job actions.
    if (!Running)
        return;
    JobState.StopFlag = true;
    JobState.RowIndex = static_cast<int>(Ports.Sources.Rows().size()) + 10;
    CurrentRunStopped = true;
    Control->StopEncoder(Ports.Builder.EncoderPath());
    Control->StopEncoder("evc");
    // Also catches an encoder between its start and its exec, which no name finds yet.
    if (AdvanceSystem)
        AdvanceSystem->Terminate();
}

void TConversionJob::RequestClose() {
    if (!Running)
        return;
    JobState.RowIndex = static_cast<int>(Ports.Sources.Rows().size()) + 10;
    CurrentRunStopped = true;
    Control->StopEncoder(Ports.Builder.EncoderPath());
    if (AdvanceSystem)
        AdvanceSystem->Terminate();
}

void TConversionJob::WarnNoFiles() {
    Ports.MessageBox.ShowMessageBox("Please add media files you want to convert into the list.", 1);
}

void TConversionJob::OpenOutputFolder(const std::string& folder) {
    // Before the first build there is no output folder to show.
    if (!folder.empty())
        Ports.Desktop.OpenWithDesktop(folder);
}

void TConversionJob::ShutdownComputer() {
    // Linux has no shutdown privilege to enable: the system's policy decides.
    Ports.Desktop.PowerOff();
    Ports.Application.EndProgram();
}

} // namespace clavenor
