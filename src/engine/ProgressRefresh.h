#pragma once
// The figures of the progress window (TfrmConverting) and the rules that move them: the
// reset when the window is shown, the animated status line, the progress refresh that
// reads the encoder's pieces of output, and the reset after a stop. The window's widgets
// mirror a TProgressView; everything here runs on the UI thread.

#include <string>

namespace clavenor {

// A progress bar as the platform keeps it: the position always lies within min..max, and
// the maximum never below the minimum.
struct TProgressBarValue {
    int Min = 0;
    int Max = 1;
    int Position = 0;

    void SetMax(int max);
    void SetPosition(int position);
};

struct TProgressView {
    std::string Info = "Please wait . . .";         // lblInfo
    std::string CurFileName;                        // lblCurFileName
    std::string Persent = "Current: 1, Total: ..."; // lblPersent
    std::string Status;                             // statState's only panel
    TProgressBarValue Current;                      // ProgressBar1, in seconds
    TProgressBarValue Total;                        // pbTotal, in hundredths of files
    int SpinnerPhase = 0;                           // 0 to 5
};

// What a refresh reads besides the view: the job state and the conversion parameter record.
struct TProgressInputs {
    int FilesDone = 0;
    int FilesTotal = 0;
    std::string CutDuration;     // the current file's cut length in whole seconds, as text
    std::string CodecFragment;   // the record's codec fragment ("-acodec ..." for audio only)
    std::string OutputExtension; // the record's output extension (".mp4", ".3gp", ...)
};

// FormShow: spinner phase 0, the file name, the counter "Current: 1, Total: n", both bars
// at 0 of 1.
void ResetOnShow(TProgressView& view, const std::string& inputPath, int filesTotal);

// tmrChanging, every 500 ms: the next spinner phase (1 to 5, round) and its status line,
// "Installing convert information  " below position 3 of the current-file bar, else
// "Converting  ", followed by the phase's symbol.
void AnimateStatus(TProgressView& view);

// actRefreshProgress, once for every piece of encoder output (already in view.Status).
// Counts refreshCount up; the first piece of every file changes nothing. Then the total bar
// and the counter follow the files done and the current-file bar, the current-file bar's
// maximum becomes the cut duration, and the encoder's time value in the piece, when it has
// one, becomes the current-file bar's position.
void RefreshProgress(TProgressView& view, int& refreshCount, const TProgressInputs& inputs);

// After a confirmed Stop: current-file bar at 0, total bar 0 of 0, counter
// "Current: 1, Total: ...".
void ResetAfterStop(TProgressView& view);

} // namespace clavenor
