#pragma once
// The main window's keyboard shortcuts. The window sees every key before the focused
// control does and asks MatchShortcut what the key means.

namespace clavenor {

enum class TShortcutAction {
    None,
    OpenFile,           // click btnOpenFile
    RemoveFile,         // click btnRemoveFile
    ClearFile,          // click btnClearFile
    Options,            // click btnOptions
    Play,               // click btnPlay
    Pause,              // click btnPause
    Stop,               // click btnStop
    Convert,            // click btnConvert (Ctrl+S and Ctrl+N)
    SelectOutputFolder, // click the hidden btnSelectOutputFolder
    Help,               // OpenHelp
};

// A key as the window received it: a letter key ('A' to 'Z', upper case), or F1, with the
// modifiers and mouse buttons held at that moment.
struct TShortcutKey {
    char Letter = 0; // 0 when the key is not a letter
    bool F1 = false;
    bool Ctrl = false;
    bool Shift = false;
    bool Alt = false;
    bool MouseButton = false; // any mouse button held
};

// A letter shortcut fires only when Ctrl is the only modifier held (no Shift, no Alt, no
// mouse button); F1 fires with any modifiers. The table is checked in order; each key
// matches at most one row.
TShortcutAction MatchShortcut(const TShortcutKey& key);

} // namespace clavenor
