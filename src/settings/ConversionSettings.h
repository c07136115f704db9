#pragma once
// The current conversion settings: output type, profile and the eight advanced options, each
// an index into its list of shown texts (-1: nothing selected). The settings controls of the
// main window and the Options dialog mirror this model; the command line builder reads it.
// UI thread only.

#include "settings/Catalogue.h"

#include <array>
#include <functional>
#include <string>
#include <utility>

namespace clavenor {

enum class TAdvancedOption {
    VideoSize,
    VideoBitrate,
    FrameRate,
    AspectRatio,
    AudioBitrate,
    AudioSample,
    AudioVolume,
    AudioChannels,
};
inline constexpr int cAdvancedOptionCount = 8;
inline constexpr std::array<TAdvancedOption, cAdvancedOptionCount> cAdvancedOptions = {
    TAdvancedOption::VideoSize,   TAdvancedOption::VideoBitrate,  TAdvancedOption::FrameRate,
    TAdvancedOption::AspectRatio, TAdvancedOption::AudioBitrate,  TAdvancedOption::AudioSample,
    TAdvancedOption::AudioVolume, TAdvancedOption::AudioChannels,
};

// The option that field f of a preset string selects in.
TAdvancedOption OptionOfPresetField(TPresetField field);

// Where stored custom profiles come from (the Options dialog's custom profile list).
class ICustomProfileSource {
public:
    virtual ~ICustomProfileSource() = default;
    // Selects entry index of the custom profile list; an index outside it selects none.
    virtual void SelectCustomProfile(int index) = 0;
    // The stored preset string of the selected custom profile; "" when none is selected or
    // nothing is stored for it.
    virtual std::string SelectedProfileValue() const = 0;
};

class ConversionSettings {
public:
    // Lists filled from the catalogue, each selection at its default (output type 0, profile
    // "Normal Quality", ...); no preset applied yet: the start-up sequence calls ApplyProfile.
    ConversionSettings();

    // Output type: index into OutputTypeChoices(), the five shown output types.
    const TTextList& OutputTypeChoices() const { return outputTypeChoices_; }
    int OutputType() const { return outputType_; }
    void SetOutputType(int index); // an index outside the list selects none (-1)

    // Profile: the five quality levels, then the custom profile names (index 5 is custom
    // profile 0).
    const TTextList& ProfileChoices() const { return profileChoices_; }
    int Profile() const { return profile_; }
    void SetProfile(int index);
    // Rebuilds the profile list from the quality levels and customProfileNames and selects
    // "Normal Quality"; applies nothing, so the advanced options keep their values.
    void FillProfileChoices(const TTextList& customProfileNames);

    // The eight advanced options.
    const TTextList& Choices(TAdvancedOption option) const;
    int Index(TAdvancedOption option) const;
    void Select(TAdvancedOption option, int index); // outside the list: none (-1)
    // Text of the selected entry, "" when none is selected.
    std::string SelectedText(TAdvancedOption option) const;

    // Applies the selected profile: a quality level sets the six preset options of the
    // current output type's preset table (aspect ratio and volume never change); a custom
    // profile selects itself in the custom profile source and is applied from there.
    void ApplyProfile();

    // Sets the six preset options from the stored value of the selected custom profile.
    // Changes nothing without a source, when the value is "" or when it has not exactly six
    // fields. An empty field leaves its option alone; "-1" selects none. A field that is not
    // a decimal integer throws EConvertError naming it, before any option is changed.
    void ApplyCustomProfile();

    // The custom profile source, not owned; nullptr (the default) until custom profiles exist.
    void SetCustomProfileSource(ICustomProfileSource* source) { customSource_ = source; }

    // Called after every change of a selection or of the profile list, so views can mirror it.
    void SetOnChanged(std::function<void()> onChanged) { onChanged_ = std::move(onChanged); }

private:
    static int InRange(int index, const TTextList& list);
    void SelectQuietly(TAdvancedOption option, int index); // no change notice
    void Changed() const;

    TTextList outputTypeChoices_;
    TTextList profileChoices_;
    std::array<TTextList, cAdvancedOptionCount> choices_;
    int outputType_ = -1;
    int profile_ = -1;
    std::array<int, cAdvancedOptionCount> indexes_{};
    ICustomProfileSource* customSource_ = nullptr;
    std::function<void()> onChanged_;
};

} // namespace clavenor
