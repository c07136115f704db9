#include "settings/ConversionSettings.h"

#include "foundation/IntegerText.h"
#include "foundation/TextHelpers.h"

#include <optional>

namespace clavenor {

namespace {

std::size_t Slot(TAdvancedOption option) {
    return static_cast<std::size_t>(option);
}

TTextList OptionList(TAdvancedOption option) {
    switch (option) {
    case TAdvancedOption::VideoSize:
        return cstVideoSizes();
    case TAdvancedOption::VideoBitrate:
        return cstVideoBitrates();
    case TAdvancedOption::FrameRate:
        return cstFrameRates();
    case TAdvancedOption::AspectRatio:
        return cstAspectRatios();
    case TAdvancedOption::AudioBitrate:
        return cstAudioBitrates();
    case TAdvancedOption::AudioSample:
        return cstAudioSamples();
    case TAdvancedOption::AudioVolume:
        return cstAudioVolumes();
    case TAdvancedOption::AudioChannels:
        return cstAudioChannels();
    }
    return {};
}

} // namespace

TAdvancedOption OptionOfPresetField(TPresetField field) {
    switch (field) {
    case pfVideoSize:
        return TAdvancedOption::VideoSize;
    case pfFrameRate:
        return TAdvancedOption::FrameRate;
    case pfVideoBitrate:
        return TAdvancedOption::VideoBitrate;
    case pfAudioBitrate:
        return TAdvancedOption::AudioBitrate;
    case pfAudioChannels:
        return TAdvancedOption::AudioChannels;
    case pfAudioSample:
        return TAdvancedOption::AudioSample;
    }
    return TAdvancedOption::VideoSize;
}

ConversionSettings::ConversionSettings() {
    TTextList types = cstOutputTypes();
    outputTypeChoices_ = ShownEntries(types);
    outputType_ = InRange(DefaultIndex(types), outputTypeChoices_);
    for (TAdvancedOption option : cAdvancedOptions) {
        TTextList list = OptionList(option);
        choices_[Slot(option)] = ShownEntries(list);
        indexes_[Slot(option)] = InRange(DefaultIndex(list), choices_[Slot(option)]);
    }
    TTextList levels = cstQualityLevels();
    profileChoices_ = ShownEntries(levels);
    profile_ = InRange(DefaultIndex(levels), profileChoices_);
}

int ConversionSettings::InRange(int index, const TTextList& list) {
    return index >= 0 && index < static_cast<int>(list.size()) ? index : -1;
}

void ConversionSettings::Changed() const {
    if (onChanged_)
        onChanged_();
}

void ConversionSettings::SetOutputType(int index) {
    outputType_ = InRange(index, outputTypeChoices_);
    Changed();
}

void ConversionSettings::SetProfile(int index) {
    profile_ = InRange(index, profileChoices_);
    Changed();
}

void ConversionSettings::FillProfileChoices(const TTextList& customProfileNames) {
    TTextList levels = cstQualityLevels();
    profileChoices_ = ShownEntries(levels);
    profileChoices_.insert(profileChoices_.end(), customProfileNames.begin(),
                           customProfileNames.end());
    profile_ = InRange(DefaultIndex(levels), profileChoices_);
    Changed();
}

const TTextList& ConversionSettings::Choices(TAdvancedOption option) const {
    return choices_[Slot(option)];
}

int ConversionSettings::Index(TAdvancedOption option) const {
    return indexes_[Slot(option)];
}

void ConversionSettings::Select(TAdvancedOption option, int index) {
    SelectQuietly(option, index);
    Changed();
}

void ConversionSettings::SelectQuietly(TAdvancedOption option, int index) {
    indexes_[Slot(option)] = InRange(index, choices_[Slot(option)]);
}

std::string ConversionSettings::SelectedText(TAdvancedOption option) const {
    int index = indexes_[Slot(option)];
    return index < 0 ? std::string() : choices_[Slot(option)][static_cast<std::size_t>(index)];
}

void ConversionSettings::ApplyProfile() {
    if (profile_ >= cBuiltInLevelCount) {
        if (customSource_)
            customSource_->SelectCustomProfile(profile_ - cBuiltInLevelCount);
        ApplyCustomProfile();
        return;
    }
    TTextList table = PresetTableOf(outputType_);
    if (profile_ < 0 || profile_ >= static_cast<int>(table.size()))
        return; // no level or no output type selected: there is no preset to apply
    std::vector<std::string> fields =
        GetDelimitedField(table[static_cast<std::size_t>(profile_)], '|');
    for (int f = 0; f < cPresetFieldCount && f < static_cast<int>(fields.size()); ++f) {
        const std::string& field = fields[static_cast<std::size_t>(f)];
        if (field != "none")
            SelectQuietly(OptionOfPresetField(static_cast<TPresetField>(f)), TextToInteger(field));
    }
    Changed();
}

void ConversionSettings::ApplyCustomProfile() {
    if (!customSource_)
        return;
    std::string value = customSource_->SelectedProfileValue();
    if (value.empty())
        return;
    std::vector<std::string> fields = GetDelimitedField(value, '|');
    if (fields.size() != cPresetFieldCount)
        return;
    // Read every field before selecting anything, so a bad field changes nothing.
    std::array<std::optional<int>, cPresetFieldCount> wanted;
    for (std::size_t f = 0; f < fields.size(); ++f)
        if (!fields[f].empty())
            wanted[f] = TextToInteger(fields[f]);
    for (std::size_t f = 0; f < wanted.size(); ++f) {
        if (!wanted[f])
            continue;
        SelectQuietly(OptionOfPresetField(static_cast<TPresetField>(f)), *wanted[f]);
    }
    Changed();
}

} // namespace clavenor
