#pragma once
// The conversion job: walks the source list, runs the encoder once for every checked row
// (one run at a time, each through a TAdvanceSystem runner) and performs the post-job
// actions. Lives on the UI thread; its waits process pending events, so the progress
// window's Stop and close commands (RequestStop, RequestClose) run in the middle of a job.

#include "engine/JobPorts.h"

#include <memory>
#include <string>
#include <vector>

namespace clavenor {

class TAdvanceSystem;
class TEncoderControl;

// The job state that the progress window reads and writes.
struct TJobState {
    int FilesDone = 0;       // checked rows handled so far; the window shows it + 1
    int FilesTotal = 0;      // checked rows counted at the start of the job
    int RowIndex = 0;        // row being visited; the stop commands move it past the end
    int RefreshCount = 0;    // progress refreshes of the current file, counted by the window
    std::string CommandLine; // of the current file
    bool StopFlag = false;   // set by Stop; skips the post-job actions
    std::string StartTime;   // of the current file (hh:mm:ss)
    std::string CutDuration; // of the current file (whole seconds as text, may be "")
};

class TConversionJob {
public:
    TConversionJob(TJobPorts ports, std::string programFolder);
    ~TConversionJob();
    TConversionJob(const TConversionJob&) = delete;
    TConversionJob& operator=(const TConversionJob&) = delete;

    // The job (Convert). Returns at once when a job is already running. Errors from building
    // a command line or writing the log end the job and propagate.
    void RunConversionJob();
    // Status callback: runs on the UI thread for every piece of encoder output.
    void OnEncoderOutput(const std::string& text);

    // The Stop button, after the user confirmed: sets the stop flag, moves the row index past
    // the end, stops the encoders, and keeps a run that has not started yet from starting.
    // (The window itself hides, enables the main window and resets its bars.) Does nothing
    // when no job runs.
    void RequestStop();
    // The close command, after the user confirmed: as RequestStop but without the stop flag,
    // so the post-job actions still run. Does nothing when no job runs.
    void RequestClose();

    void WarnNoFiles();
    void OpenOutputFolder(const std::string& folder);
    // Requests the power-off, then ends the program at once (EndProgram does not return in
    // the app; the job returns right after it in tests).
    void ShutdownComputer();

    bool IsRunning() const { return Running; }
    TJobState& State() { return JobState; }
    const TJobState& State() const { return JobState; }
    TEncoderControl& EncoderControl() { return *Control; }

private:
    void RunOneFile(const std::string& sourcePath);
    bool EncoderOfThisProgramRunning() const;

    TJobPorts Ports;
    std::string ProgramFolder;
    TJobState JobState;
    std::unique_ptr<TEncoderControl> Control;
    std::unique_ptr<TAdvanceSystem> AdvanceSystem; // the current runner, between start and release
    bool Running = false;
    bool CurrentRunStopped = false;        // a stop command came during the current file
    std::vector<std::string> FailedInputs; // input paths whose run failed, in job order
};

} // namespace clavenor
