#pragma once
// The adapters between the conversion job and the rest of the program: what the progress
// window reads of the running job and of the conversion parameter record (and how its stop
// commands reach the job and the main window), and the job's view of the source list.

#include "core/CommonLib.h"
#include "engine/ConversionJob.h"
#include "engine/JobPorts.h"
#include "engine/ProgressWindowPorts.h"
#include "sources/SourceFileList.h"

namespace clavenor {

class TJobProgressContext final : public IProgressWindowContext {
public:
    // None is owned; all outlive this object. The job is attached once it exists (it needs
    // the progress window, which needs this context).
    TJobProgressContext(const TCommonLib& commonLib, IMainWindowPort& mainWindow)
        : CommonLib(commonLib), MainWindow(mainWindow) {}
    void AttachJob(TConversionJob& job) { Job = &job; }

    TProgressInputs Inputs() const override {
        const TConvertParameterStruct& record = CommonLib.ConvertParameter();
        if (!Job)
            return {0, 0, "", record.CodecFragment, record.OutputExtension};
        const TJobState& state = Job->State();
        return {state.FilesDone, state.FilesTotal, state.CutDuration, record.CodecFragment,
                record.OutputExtension};
    }
    int& RefreshCount() override { return Job ? Job->State().RefreshCount : NoJobCount; }
    std::string InputPath() const override { return CommonLib.ConvertParameter().InputPath; }
    void RequestStop() override {
        if (Job)
            Job->RequestStop();
    }
    void RequestClose() override {
        if (Job)
            Job->RequestClose();
    }
    void EnableMainWindow() override { MainWindow.SetEnabled(true); }

private:
    const TCommonLib& CommonLib;
    IMainWindowPort& MainWindow;
    TConversionJob* Job = nullptr;
    int NoJobCount = 0;
};

// The job's source rows, read from the source list at every call.
class TJobSourceRows final : public IJobSourceList {
public:
    explicit TJobSourceRows(const TSourceFileList& list) : List(list) {}
    std::vector<TSourceFileRow> Rows() const override {
        std::vector<TSourceFileRow> rows;
        rows.reserve(List.Count());
        for (std::size_t i = 0; i < List.Count(); ++i)
            rows.push_back(List.Row(i));
        return rows;
    }

private:
    const TSourceFileList& List;
};

} // namespace clavenor
