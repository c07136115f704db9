#pragma once
// The conversion job's command builder port over TCustomProc and the record of TCommonLib.

#include "core/CommonLib.h"
#include "core/CustomProc.h"
#include "engine/JobPorts.h"

namespace clavenor {

class TJobCommandBuilder final : public IJobCommandBuilder {
public:
    // Neither is owned; both outlive this object.
    TJobCommandBuilder(TCustomProc& customProc, const TCommonLib& commonLib)
        : customProc_(customProc), commonLib_(commonLib) {}

    TJobCommandLine BuildCommandLine(const std::string& sourcePath) override {
        TBuiltCommandLine line = customProc_.BuildCommandLine(sourcePath);
        return {std::move(line.Text), std::move(line.Arguments)};
    }
    std::string EncoderPath() const override { return commonLib_.ConvertParameter().EncoderPath; }
    std::string InputPath() const override { return commonLib_.ConvertParameter().InputPath; }
    std::string OutputFolder() const override { return commonLib_.ConvertParameter().OutputFolder; }
    std::string StartTime() const override { return customProc_.StartTimeText(); }
    std::string CutDuration() const override { return customProc_.CutDuration(); }

private:
    TCustomProc& customProc_;
    const TCommonLib& commonLib_;
};

} // namespace clavenor
