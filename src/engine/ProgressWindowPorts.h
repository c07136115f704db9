#pragma once
// What the progress window (TfrmConverting) reaches outside itself: the running job's
// figures and stop operations, and the yes/no questions of its two stop commands. The app
// wires the conversion job and Qt message boxes; tests wire fakes.

#include "engine/ProgressRefresh.h"

#include <string>

namespace clavenor {

class IProgressWindowContext {
public:
    virtual ~IProgressWindowContext() = default;
    // The job's figures and the record's fields that a refresh reads.
    virtual TProgressInputs Inputs() const = 0;
    // The job's refresh count of the current file, counted up by each refresh.
    virtual int& RefreshCount() = 0;
    // The input path of the record (the source, or the script for RealMedia sources).
    virtual std::string InputPath() const = 0;
    // The Stop button, confirmed: stop flag, row index past the end, encoders stopped.
    virtual void RequestStop() = 0;
    // The close command, confirmed: as RequestStop but without the stop flag.
    virtual void RequestClose() = 0;
    // Gives the main window back to the user.
    virtual void EnableMainWindow() = 0;
};

// A question with Yes and No, captioned with the application title. True for Yes.
class IQuestionPort {
public:
    virtual ~IQuestionPort() = default;
    virtual bool AskYesNo(const std::string& question) = 0;
};

} // namespace clavenor
