#pragma once
// TFrmMainForm: the program's single main window. A frameless window cut to the outline of
// its background picture, holding the preview, the trim bar, the source list, the settings
// selectors, the output folder, the job options and the command buttons. The window sees
// every key before the focused control does (the shortcut table), can be dragged by its
// title and its background, and trims the heap every second.

#include "engine/JobPorts.h"
#include "settings/UserSettings.h"
#include "shell/Shortcuts.h"

#include <QPixmap>
#include <QPoint>
#include <QWidget>
#include <string>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QProgressBar;
class QSlider;
class QTimer;

namespace clavenor {

class ConversionSettings;
class IFolderBrowser;
class IMainFormCommands;
class TConversionJob;
class TPictureButton;
class TSourceFileController;

// The main window's collaborators; all outlive the window.
struct TMainFormPorts {
    IMessageBoxPort& MessageBox;   // ShowMessageBox
    IFolderBrowser& FolderBrowser; // BrowseForFolder
    IDesktopServices& Desktop;     // the codec download link
    IEventPump& Events;            // TrimWorkingSet's pass of pending events
    IApplicationPort& Application; // ends the program after the close sequence
    IMainFormCommands& Commands;   // help, about, links, Options dialog, preview
};

class TFrmMainForm : public QWidget, public IMainWindowPort {
    Q_OBJECT
public:
    // programFolder ends in "/"; homeFolder gives the first run's output folder. The
    // settings selectors mirror settings, which outlives the window.
    TFrmMainForm(std::string programFolder, std::string homeFolder, ConversionSettings& settings,
                 TMainFormPorts ports, QWidget* parent = nullptr);
    ~TFrmMainForm() override;

    // Design size of the client area and of the background picture.
    static constexpr int kDesignWidth = 692;
    static constexpr int kDesignHeight = 456;
    // The minimum size set on every resize.
    static constexpr int kMinimumWidth = 686;
    static constexpr int kMinimumHeight = 519;

    // --- controls (objectName = the member's name) ---
    QLabel* lblTitle = nullptr;
    TPictureButton* btnWindowMinimize = nullptr;
    TPictureButton* btnWindowClose = nullptr;
    TPictureButton* btnHomePage = nullptr;
    TPictureButton* btnEMail = nullptr;
    TPictureButton* btnHelp = nullptr;
    TPictureButton* btnAbout = nullptr;
    QFrame* DSVideoWindowEx1 = nullptr;
    QWidget* panLogo = nullptr;
    QLabel* imgLOGO = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* lblOutputFileTypeName = nullptr;
    QComboBox* cbbOutputFiletype = nullptr;
    QLabel* lblProfileSettings = nullptr;
    QComboBox* cbbProfile = nullptr;
    TPictureButton* btnOptions = nullptr;
    QLabel* lblOutputFolderInfo = nullptr;
    QLineEdit* edtOutputFolder = nullptr;
    TPictureButton* RzBmpButton1 = nullptr;
    QCheckBox* chkShutdown = nullptr;
    QLabel* Label1 = nullptr;
    QCheckBox* chkShowOutputDirectory = nullptr;
    QLabel* Label2 = nullptr;
    QFrame* Panel1 = nullptr;
    QLabel* Panel2 = nullptr;
    QLabel* Splitter1 = nullptr;
    QLabel* Panel4 = nullptr;
    QLabel* Splitter2 = nullptr;
    QLabel* Panel3 = nullptr;
    TPictureButton* btnPlay = nullptr;
    TPictureButton* btnPause = nullptr;
    TPictureButton* btnStop = nullptr;
    QLabel* imgPlay = nullptr;
    QLabel* pnlCurTime = nullptr;
    QLabel* Label3 = nullptr;
    QWidget* dxTreeSourceFileInfo = nullptr; // the source list's place until the grid is set
    TPictureButton* btnOpenFile = nullptr;
    TPictureButton* btnRemoveFile = nullptr;
    TPictureButton* btnClearFile = nullptr;
    TPictureButton* btnConvert = nullptr;
    TPictureButton* btnSelectOutputFolder = nullptr; // never shown
    TPictureButton* btnUpdate = nullptr;             // never shown
    QSlider* dstrckbrMainform = nullptr;             // never shown
    QProgressBar* pbPlayState = nullptr;             // never shown
    QLabel* imgL = nullptr;                          // never shown
    QLabel* imgR = nullptr;                          // never shown
    QTimer* tmrClearMemory = nullptr;
    QTimer* tmrPaintSP = nullptr;
    QTimer* tmrAutoUpdate = nullptr;

    // The source list: puts grid (dxTreeSourceFileInfo) in its place and binds Add, Remove,
    // Clear and the files dropped on the window to controller. Both outlive the window's use
    // of them.
    void AttachSourceList(QWidget& grid, TSourceFileController& controller);
    // The conversion job that Convert starts.
    void AttachConversionJob(TConversionJob& job);

    // The job's view of the window (IMainWindowPort).
    void SetEnabled(bool enabled) override;
    bool ShowOutputDirectoryChecked() const override;
    bool ShutdownChecked() const override;

    // --- operations ---
    // Fills the settings selectors and loads the user settings into the output folder field
    // and the two check boxes.
    void FillSettingsControls();
    // Writes the output folder field and the two check boxes to the user settings file.
    void SaveUserSettings();
    // The output folder, byte for byte as it was set or read from the settings file: the
    // field shows it through QString, which would change a name that is not valid UTF-8.
    std::string OutputFolder() const { return OutputFolderPath; }
    void SetOutputFolder(const std::string& folder);
    // What the window shows of the user settings.
    TUserSettings UserSettings() const;
    void SetUserSettings(const TUserSettings& settings);

    // --- handlers ---
    void FormShow();
    void FormResize();
    void FormClose();
    // The shortcut table; returns the action taken (None when the key is not a shortcut).
    TShortcutAction FormKeyDown(const TShortcutKey& key);
    void actMinimizeExecute();
    void actCloseWindowExecute();
    void tmrClearMemoryTimer();
    void tmrPaintSPTimer();
    void btnOptionsClick();
    void btnConvertClick();
    void btnSelectOutputFolderClick();
    void Label3Click();
    void cbbOutputFiletypeChange(int index);
    void cbbProfileChange(int index);
    void actUpdateExecute();
    void ActSysHomePageExecute();
    void ActSysEmailExecute();
    void ActSysHelpExecute();
    void ActSysAboutExecute();

    // The window region cut from the background picture (empty before the first show).
    QRegion WindowRegion() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void BuildControls();
    void LayOutAnchored();
    void StartWindowDrag(const QPointF& globalPosition);
    void CutWindowRegion();
    void MirrorSettings();

    std::string ProgramFolder;
    std::string OutputFolderPath; // what edtOutputFolder shows
    bool SettingOutputFolder = false;
    ConversionSettings& Settings;
    TMainFormPorts Ports;
    TUserSettingsFile UserSettingsFile;
    QPixmap Background;
    bool Shown = false;
    bool RegionMade = false;
    bool Closing = false;
    bool ManualDrag = false; // dragging without the window manager's help
    QPoint DragOffset;       // pointer position inside the window at the drag's start
    QRect HandleDrawnAt[2];
    TSourceFileController* SourceController = nullptr;
    TConversionJob* Job = nullptr; // where tmrPaintSP last drew the two trim handles
};

} // namespace clavenor
