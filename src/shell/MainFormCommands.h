#pragma once
// Commands of the main window that other windows and subsystems carry out: the product
// links and help, the Options dialog and the preview. Until a subsystem provides its part,
// the window is wired with TNoMainFormCommands, whose commands do nothing.

namespace clavenor {

class IMainFormCommands {
public:
    virtual ~IMainFormCommands() = default;
    virtual void OpenHomePage() = 0;
    virtual void SendSupportEmail() = 0;
    virtual void OpenHelp() = 0;
    virtual void ShowAbout() = 0;
    virtual void ShowOptions() = 0; // the Options dialog, not modal
    virtual void Play() = 0;        // the preview's play, pause and stop buttons
    virtual void Pause() = 0;
    virtual void Stop() = 0;
    virtual void ReleasePreview() = 0; // stops the preview and clears it (window closing)
};

class TNoMainFormCommands : public IMainFormCommands {
public:
    void OpenHomePage() override {}
    void SendSupportEmail() override {}
    void OpenHelp() override {}
    void ShowAbout() override {}
    void ShowOptions() override {}
    void Play() override {}
    void Pause() override {}
    void Stop() override {}
    void ReleasePreview() override {}
};

} // namespace clavenor
