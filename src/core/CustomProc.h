#pragma once
// TCustomProc: builds the encoder command line of one source file from the current
// settings, the source rows and the output folder, and keeps the texts of the file being
// converted. UI thread only, while no encoder runs.

#include "core/CommonLib.h"
#include "core/FileFunc.h"
#include "engine/CommandLine.h"
#include "foundation/Log.h"
#include "settings/Catalogue.h"
#include "settings/ConversionSettings.h"
#include "sources/SourceFileRow.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace clavenor {

// The lists the builder looks up by output type index.
struct TOutputTypeTable {
    TTextList CodecOptions;
    TTextList Formats;
    TTextList Extensions;

    static TOutputTypeTable FromCatalogue() {
        return {cstCodecOptions(), cstFormats(), cstExtensions()};
    }
};

class TCustomProc {
public:
    using TRowsSource = std::function<std::vector<TSourceFileRow>()>;
    using TTextSource = std::function<std::string()>;

    // The collaborators are not owned and must outlive this object. rows gives the source
    // list, outputFolder the text of the output folder field, both read at every build.
    TCustomProc(TCommonLib& commonLib, TFileFunc& fileFunc, const TAppFunc& appFunc,
                ConversionSettings& settings, TRowsSource rows, TTextSource outputFolder);
    // The same over plain values that the caller keeps alive and up to date.
    TCustomProc(TCommonLib& commonLib, TFileFunc& fileFunc, const TAppFunc& appFunc,
                ConversionSettings& settings, const std::vector<TSourceFileRow>& rows,
                const std::string& outputFolder);

    // Builds the command line for the source at path: fills the record of TCommonLib, stores
    // the start time and cut duration, creates the output folder, picks a free output name
    // and writes the script "VideoFile.avs" in the program folder. Both parts of the result
    // are empty when the codec option has no known form ("-none" logs
    // "Create convert parameter failure."). Throws EConvertError for a trim time field that
    // is no decimal integer (nothing is stored then) and std::runtime_error naming the script
    // when it cannot be written.
    TBuiltCommandLine BuildCommandLine(const std::string& path);

    // Start time of the last row whose path equals path without regard to ASCII case, ""
    // when none does. Applies the selected custom profile once per matching row.
    std::string GetStartTimeText(const std::string& path);
    // Whole seconds from start to end time of the last matching row (negative when the end
    // comes first), "" when no row matches. Throws EConvertError naming a bad time field.
    std::string GetCutDuration(const std::string& path) const;
    // The output folder text with a trailing "/", created with its parents; the creation is
    // logged, and a failure is logged and otherwise left to the encoder to meet.
    std::string PrepareOutputFolder() const;

    // Texts of the file being converted; they keep the last build's values.
    const std::string& StartTimeText() const { return startTimeText_; }
    const std::string& CutDuration() const { return cutDuration_; }
    const std::string& CommandLine() const { return commandLine_; }
    void SetCommandLine(std::string commandLine) { commandLine_ = std::move(commandLine); }

    // Replaces the lists looked up by output type (the catalogue's by default).
    void SetOutputTypeTable(TOutputTypeTable table) { outputTypes_ = std::move(table); }

    static constexpr const char* ScriptFileName = "VideoFile.avs";

private:
    void FillOptionFragments(TConvertParameterStruct& parameter) const;

    TCommonLib& commonLib_;
    TFileFunc& fileFunc_;
    const TAppFunc& appFunc_;
    ConversionSettings& settings_;
    TRowsSource rows_;
    TTextSource outputFolder_;
    TOutputTypeTable outputTypes_ = TOutputTypeTable::FromCatalogue();

    std::string startTimeText_;
    std::string cutDuration_;
    std::string commandLine_;
};

} // namespace clavenor
