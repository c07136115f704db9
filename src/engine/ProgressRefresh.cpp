#include "engine/ProgressRefresh.h"

#include "foundation/TextHelpers.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace clavenor {

void TProgressBarValue::SetMax(int max) {
    Max = std::max(max, Min);
    Position = std::clamp(Position, Min, Max);
}

void TProgressBarValue::SetPosition(int position) {
    Position = std::clamp(position, Min, Max);
}

namespace {

int ClampToInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
}

// A decimal integer (an optional sign, then digits only), clamped into the int range;
// nullopt for anything else, "" included.
std::optional<int> DecimalInteger(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '+' || text.front() == '-'))
        text.remove_prefix(1);
    if (text.empty() ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc::result_out_of_range)
        return negative ? INT_MIN : INT_MAX;
    return ClampToInt(negative ? -value : value);
}

int TruncatedToInt(double value) {
    if (std::isnan(value))
        return 0;
    return static_cast<int>(std::clamp(std::trunc(value), double(INT_MIN), double(INT_MAX)));
}

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

} // namespace

void ResetOnShow(TProgressView& view, const std::string& inputPath, int filesTotal) {
    view.SpinnerPhase = 0;
    view.CurFileName = inputPath;
    view.Persent = "Current: 1, Total: " + std::to_string(filesTotal);
    view.Current = TProgressBarValue{0, 1, 0};
    view.Total = TProgressBarValue{0, 1, 0};
}

void AnimateStatus(TProgressView& view) {
    view.SpinnerPhase += 1;
    if (view.SpinnerPhase > 5 || view.SpinnerPhase < 1)
        view.SpinnerPhase = 1;
    static const char* const symbols[] = {"", "|", "/", "-", "\\", "|"};
    view.Info = std::string(view.Current.Position < 3 ? "Installing convert information  "
                                                      : "Converting  ") +
                symbols[view.SpinnerPhase];
}

void RefreshProgress(TProgressView& view, int& refreshCount, const TProgressInputs& inputs) {
    refreshCount += 1;
    if (refreshCount <= 1)
        return;

    // Total bar and counter, from the current-file bar as the previous refresh left it.
    // Computed in 64 bits so that no figure can overflow.
    view.Total.SetMax(ClampToInt(std::int64_t(inputs.FilesTotal) * 100));
    view.Total.SetPosition(ClampToInt(std::int64_t(view.Current.Position) * 100 /
                                          (std::int64_t(view.Current.Max) + 1) +
                                      std::int64_t(inputs.FilesDone) * 100));
    view.Persent = "Current: " + std::to_string(std::int64_t(inputs.FilesDone) + 1) +
                   " , Total: " + std::to_string(inputs.FilesTotal) + ".";

    // Current-file bar range: 0 to the cut duration. A negative duration (an end before the
    // start) gives an empty range; a text that is not a whole number leaves the range as it
    // was, since it says nothing about the file's length.
    view.Current.Min = 0;
    if (const auto seconds = DecimalInteger(inputs.CutDuration))
        view.Current.SetMax(std::max(*seconds, 0));
    else
        view.Current.SetMax(view.Current.Max);

    const std::string& piece = view.Status;
    if (piece.empty())
        return;
    const std::vector<std::string> fields = GetDelimitedField(piece, '=');
    const bool audioOnly =
        Trimmed(inputs.CodecFragment).starts_with("-acodec") && inputs.OutputExtension != ".3gp";
    const std::size_t needed = audioOnly ? 4 : 5;
    const std::size_t index = audioOnly ? 2 : 4;
    if (fields.size() < needed)
        return;
    const std::vector<std::string> parts = GetDelimitedField(fields[index], '.');
    if (parts.empty())
        return;
    if (parts[0] == "10000000000") // the encoder does not know the time yet
        return;
    double seconds = 0;
    try {
        seconds = TextToNumber(parts[0]);
    } catch (const EConvertError&) {
        return; // no number: the bar stays where it was
    }
    view.Current.SetPosition(TruncatedToInt(seconds));
}

void ResetAfterStop(TProgressView& view) {
    view.Current.SetPosition(0);
    view.Total = TProgressBarValue{0, 0, 0};
    view.Persent = "Current: 1, Total: ...";
}

} // namespace clavenor
