#include "shell/Shortcuts.h"

#include <array>
#include <utility>

namespace clavenor {

TShortcutAction MatchShortcut(const TShortcutKey& key) {
    static constexpr std::array<std::pair<char, TShortcutAction>, 10> letters{{
        {'O', TShortcutAction::OpenFile},
        {'R', TShortcutAction::RemoveFile},
        {'L', TShortcutAction::ClearFile},
        {'I', TShortcutAction::Options},
        {'P', TShortcutAction::Play},
        {'U', TShortcutAction::Pause},
        {'T', TShortcutAction::Stop},
        {'S', TShortcutAction::Convert},
        {'N', TShortcutAction::Convert},
        {'B', TShortcutAction::SelectOutputFolder},
    }};
    const bool onlyCtrl = key.Ctrl && !key.Shift && !key.Alt && !key.MouseButton;
    if (onlyCtrl && key.Letter != 0) {
        for (const auto& [letter, action] : letters)
            if (letter == key.Letter)
                return action;
    }
    if (key.F1)
        return TShortcutAction::Help;
    return TShortcutAction::None;
}

} // namespace clavenor
