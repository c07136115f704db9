#include "shell/ui/MainForm.h"

#include "engine/ConversionJob.h"
#include "engine/JobPorts.h"
#include "settings/ConversionSettings.h"
#include "shell/CodecLink.h"
#include "shell/ErrorText.h"
#include "shell/MainFormCommands.h"
#include "shell/OutputFolder.h"
#include "shell/WorkingSet.h"
#include "shell/ui/Skin.h"
#include "sources/SourceFileController.h"
#include "sources/ui/SourceFileGrid.h"

#include <QApplication>
#include <QBitmap>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QProcess>
#include <QProgressBar>
#include <QScreen>
#include <QSettings>
#include <QSlider>
#include <QStandardPaths>
#include <QTimer>
#include <QWindow>

namespace clavenor {

namespace {

// Places of the anchored source list: its margins to the right and bottom edges of the
// design client area.
constexpr QRect kGridPlace(22, 292, 525, 138);
constexpr int kGridRightMargin = TFrmMainForm::kDesignWidth - (22 + 525);
constexpr int kGridBottomMargin = TFrmMainForm::kDesignHeight - (292 + 138);

QLabel* SkinLabel(QWidget* parent, const char* name, const QString& text, QPoint place,
                  const QFont& font = SkinFont(11)) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(font);
    label->setAttribute(Qt::WA_TranslucentBackground);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(p);
    label->move(place);
    label->adjustSize();
    return label;
}

QLabel* PictureLabel(QWidget* parent, const char* name, const QString& picture, QRect place) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setPixmap(SkinPicture(picture));
    label->setScaledContents(true);
    label->setGeometry(place);
    return label;
}

TPictureButton* SkinButton(QWidget* parent, const char* name, const QString& picture, QPoint place,
                           const QString& hint = {}) {
    auto* button = new TPictureButton(picture, parent);
    button->setObjectName(name);
    button->move(place);
    if (!hint.isEmpty())
        button->setToolTip(hint);
    return button;
}

} // namespace

TFrmMainForm::TFrmMainForm(std::string programFolder, std::string homeFolder,
                           ConversionSettings& settings, TMainFormPorts ports, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      ProgramFolder(std::move(programFolder)), Settings(settings), Ports(ports),
      UserSettingsFile(ProgramFolder, homeFolder), Background(SkinPicture("background")) {
    setObjectName("FrmMainForm");
    setWindowTitle(QApplication::applicationName().isEmpty() ? QString("Clavenor")
                                                             : QApplication::applicationName());
    setWindowIcon(QIcon(SkinPicture("icon")));
    setAttribute(Qt::WA_OpaquePaintEvent);
    ApplySkinPalette(*this);
    resize(kDesignWidth, kDesignHeight);
    BuildControls();
    SetOutputFolder(DefaultOutputFolder(homeFolder));
    Settings.SetOnChanged([this] { MirrorSettings(); });

    tmrClearMemory = new QTimer(this);
    tmrClearMemory->setObjectName("tmrClearMemory");
    tmrClearMemory->setInterval(1000);
    connect(tmrClearMemory, &QTimer::timeout, this, [this] { tmrClearMemoryTimer(); });
    tmrClearMemory->start();

    tmrPaintSP = new QTimer(this);
    tmrPaintSP->setObjectName("tmrPaintSP");
    tmrPaintSP->setInterval(10);
    connect(tmrPaintSP, &QTimer::timeout, this, [this] { tmrPaintSPTimer(); });
    tmrPaintSP->start();

    // Kept for the layout of the window's parts; nothing switches it on.
    tmrAutoUpdate = new QTimer(this);
    tmrAutoUpdate->setObjectName("tmrAutoUpdate");
    tmrAutoUpdate->setInterval(10000);

    // Key preview: the window sees every key before the focused control does.
    qApp->installEventFilter(this);
}

TFrmMainForm::~TFrmMainForm() {
    Settings.SetOnChanged(nullptr);
    qApp->removeEventFilter(this);
}

void TFrmMainForm::BuildControls() {
    // Title
    lblTitle = SkinLabel(this, "lblTitle", windowTitle(), QPoint(63, 32), SkinFont(19, true));
    lblTitle->setGeometry(63, 32, 537, 27);
    lblTitle->installEventFilter(this);
    btnWindowMinimize = SkinButton(this, "btnWindowMinimize", "minimize", QPoint(606, 28));
    btnWindowClose = SkinButton(this, "btnWindowClose", "close", QPoint(640, 28));
    connect(btnWindowMinimize, &QAbstractButton::clicked, this, [this] { actMinimizeExecute(); });
    connect(btnWindowClose, &QAbstractButton::clicked, this, [this] { actCloseWindowExecute(); });

    // Links
    btnHomePage = SkinButton(this, "btnHomePage", "homepage", QPoint(406, 73));
    btnEMail = SkinButton(this, "btnEMail", "email", QPoint(459, 73));
    btnHelp = SkinButton(this, "btnHelp", "help", QPoint(565, 73));
    btnHelp->setProperty("hint", "Help (F1)"); // a hint that is not shown
    btnAbout = SkinButton(this, "btnAbout", "about", QPoint(618, 73));
    for (TPictureButton* b : {btnHomePage, btnEMail, btnHelp, btnAbout})
        b->setCursor(Qt::PointingHandCursor);
    connect(btnHomePage, &QAbstractButton::clicked, this, [this] { ActSysHomePageExecute(); });
    connect(btnEMail, &QAbstractButton::clicked, this, [this] { ActSysEmailExecute(); });
    connect(btnHelp, &QAbstractButton::clicked, this, [this] { ActSysHelpExecute(); });
    connect(btnAbout, &QAbstractButton::clicked, this, [this] { ActSysAboutExecute(); });

    // Preview
    DSVideoWindowEx1 = new QFrame(this);
    DSVideoWindowEx1->setObjectName("DSVideoWindowEx1");
    DSVideoWindowEx1->setGeometry(26, 76, 253, 152);
    DSVideoWindowEx1->setAutoFillBackground(true);
    {
        QPalette p = DSVideoWindowEx1->palette();
        p.setColor(QPalette::Window, Qt::black);
        DSVideoWindowEx1->setPalette(p);
    }
    const QPixmap logo = SkinPicture("logo");
    panLogo = new QWidget(DSVideoWindowEx1);
    panLogo->setObjectName("panLogo");
    panLogo->setGeometry((253 - logo.width()) / 2, (152 - logo.height()) / 2, logo.width(),
                         logo.height());
    imgLOGO = new QLabel(panLogo);
    imgLOGO->setObjectName("imgLOGO");
    imgLOGO->setPixmap(logo);
    imgLOGO->setGeometry(0, 0, logo.width(), logo.height());

    // Settings
    Image1 = PictureLabel(this, "Image1", "separator", QRect(290, 125, 379, 5));
    lblOutputFileTypeName =
        SkinLabel(this, "lblOutputFileTypeName", "Output FileType:", QPoint(288, 136));
    cbbOutputFiletype = new QComboBox(this);
    cbbOutputFiletype->setObjectName("cbbOutputFiletype");
    cbbOutputFiletype->setGeometry(368, 133, 297, 21);
    lblProfileSettings =
        SkinLabel(this, "lblProfileSettings", "Profile Settings:", QPoint(291, 164));
    cbbProfile = new QComboBox(this);
    cbbProfile->setObjectName("cbbProfile");
    cbbProfile->setGeometry(368, 160, 217, 21);
    for (QComboBox* box : {cbbOutputFiletype, cbbProfile}) {
        box->setFont(SkinFont(12));
        box->setEditable(false);
    }
    // Only the user's picks are change events; a selection made by the program is not.
    connect(cbbOutputFiletype, &QComboBox::activated, this,
            [this](int index) { cbbOutputFiletypeChange(index); });
    connect(cbbProfile, &QComboBox::activated, this,
            [this](int index) { cbbProfileChange(index); });
    btnOptions = SkinButton(this, "btnOptions", "options", QPoint(595, 160), "Ctrl + N");
    connect(btnOptions, &QAbstractButton::clicked, this, [this] { btnOptionsClick(); });
    lblOutputFolderInfo =
        SkinLabel(this, "lblOutputFolderInfo", "Output Folder:", QPoint(298, 191));
    edtOutputFolder = new QLineEdit(this);
    edtOutputFolder->setObjectName("edtOutputFolder");
    edtOutputFolder->setGeometry(368, 188, 217, 21);
    edtOutputFolder->setFont(SkinFont(12));
    edtOutputFolder->setReadOnly(true);
    // A text put into the field from elsewhere is the folder from then on.
    connect(edtOutputFolder, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!SettingOutputFolder)
            OutputFolderPath = text.toStdString();
    });
    RzBmpButton1 = SkinButton(this, "RzBmpButton1", "browse", QPoint(595, 188), "Ctrl + N");
    connect(RzBmpButton1, &QAbstractButton::clicked, this,
            [this] { btnSelectOutputFolderClick(); });

    // Job options
    chkShutdown = new QCheckBox(this);
    chkShutdown->setObjectName("chkShutdown");
    chkShutdown->move(294, 226);
    Label1 = SkinLabel(this, "Label1", "Shutdown computer when job is finished.", QPoint(313, 227));
    chkShowOutputDirectory = new QCheckBox(this);
    chkShowOutputDirectory->setObjectName("chkShowOutputDirectory");
    chkShowOutputDirectory->move(294, 246);
    chkShowOutputDirectory->setChecked(true);
    Label2 = SkinLabel(this, "Label2", "Show output directory when done", QPoint(313, 247));
    for (QCheckBox* box : {chkShutdown, chkShowOutputDirectory}) {
        box->setStyleSheet(
            "QCheckBox { background: #3D414D; spacing: 0px; }"
            "QCheckBox::indicator { width: 11px; height: 11px; border: 1px solid #8A96A8;"
            " border-radius: 3px; background: #2A2E36; }"
            "QCheckBox::indicator:hover { border-color: #B8C4D4; }"
            "QCheckBox::indicator:checked { background: #3B8EEA; border-color: #6CB6FF;"
            " image: url(:/skin/check.png); }");
        box->resize(13, 13);
        box->setAutoFillBackground(true);
        QPalette p = box->palette();
        p.setColor(QPalette::Window, SkinBackgroundColour());
        box->setPalette(p);
    }
    // A click on a box's text ticks the box, as on any desktop.
    for (QLabel* label : {Label1, Label2}) {
        label->installEventFilter(this);
        label->setCursor(Qt::PointingHandCursor);
    }

    // Trim bar, as laid out at start: left fill 1, handle 19, middle 220, handle 19, right 1.
    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setGeometry(22, 234, 260, 19);
    Panel1->setAutoFillBackground(true);
    {
        QPalette p = Panel1->palette();
        p.setColor(QPalette::Window, SkinBackgroundColour());
        Panel1->setPalette(p);
    }
    Panel2 = PictureLabel(Panel1, "Panel2", "trim_outside", QRect(0, 0, 1, 19));
    Splitter1 = new QLabel(Panel1);
    Splitter1->setObjectName("Splitter1");
    Splitter1->setGeometry(1, 0, 19, 19);
    Splitter1->setAlignment(Qt::AlignCenter);
    Panel4 = PictureLabel(Panel1, "Panel4", "trim_inside", QRect(20, 0, 220, 19));
    Splitter2 = new QLabel(Panel1);
    Splitter2->setObjectName("Splitter2");
    Splitter2->setGeometry(240, 0, 19, 19);
    Splitter2->setAlignment(Qt::AlignCenter);
    Panel3 = PictureLabel(Panel1, "Panel3", "trim_outside", QRect(259, 0, 1, 19));
    for (QLabel* handle : {Splitter1, Splitter2})
        handle->setCursor(Qt::PointingHandCursor);

    // Player
    btnPlay = SkinButton(this, "btnPlay", "play", QPoint(36, 261), "Ctrl + P");
    btnPause = SkinButton(this, "btnPause", "pause", QPoint(68, 261), "Ctrl + U");
    btnStop = SkinButton(this, "btnStop", "stop", QPoint(99, 261), "Ctrl + T");
    connect(btnPlay, &QAbstractButton::clicked, this, [this] { Ports.Commands.Play(); });
    connect(btnPause, &QAbstractButton::clicked, this, [this] { Ports.Commands.Pause(); });
    connect(btnStop, &QAbstractButton::clicked, this, [this] { Ports.Commands.Stop(); });
    imgPlay = PictureLabel(this, "imgPlay", "timedisplay", QRect(146, 253, 136, 38));
    pnlCurTime = new QLabel("00:00:00", this);
    pnlCurTime->setObjectName("pnlCurTime");
    pnlCurTime->setGeometry(171, 264, 81, 17);
    pnlCurTime->setAlignment(Qt::AlignCenter);
    pnlCurTime->setFont(SkinFont(13, true));
    pnlCurTime->setStyleSheet("QLabel { background: black; color: #7FC4FF; }");

    // Codec link
    Label3 = SkinLabel(this, "Label3", "Click here to download the coder", QPoint(296, 272));
    {
        QFont f = Label3->font();
        f.setUnderline(true);
        Label3->setFont(f);
        Label3->adjustSize();
    }
    Label3->setCursor(Qt::PointingHandCursor);
    Label3->installEventFilter(this);

    // Source list
    dxTreeSourceFileInfo = new QWidget(this);
    dxTreeSourceFileInfo->setObjectName("dxTreeSourceFileInfo");
    dxTreeSourceFileInfo->setGeometry(kGridPlace);

    // Commands
    btnOpenFile = SkinButton(this, "btnOpenFile", "openfile", QPoint(555, 289), "Ctrl + O");
    btnRemoveFile = SkinButton(this, "btnRemoveFile", "removefile", QPoint(555, 323), "Ctrl + R");
    btnClearFile = SkinButton(this, "btnClearFile", "clearfile", QPoint(555, 357), "Ctrl + L");
    btnConvert = SkinButton(this, "btnConvert", "convert", QPoint(555, 391), "Ctrl + S");
    connect(btnConvert, &QAbstractButton::clicked, this, [this] { btnConvertClick(); });

    // Never shown
    btnSelectOutputFolder =
        SkinButton(this, "btnSelectOutputFolder", "browse", QPoint(595, 218), "Ctrl + B");
    btnSelectOutputFolder->hide();
    connect(btnSelectOutputFolder, &QAbstractButton::clicked, this,
            [this] { btnSelectOutputFolderClick(); });
    btnUpdate = SkinButton(this, "btnUpdate", "browse", QPoint(610, 249));
    btnUpdate->hide();
    connect(btnUpdate, &QAbstractButton::clicked, this, [this] { actUpdateExecute(); });
    dstrckbrMainform = new QSlider(Qt::Horizontal, this);
    dstrckbrMainform->setObjectName("dstrckbrMainform");
    dstrckbrMainform->hide();
    pbPlayState = new QProgressBar(this);
    pbPlayState->setObjectName("pbPlayState");
    pbPlayState->hide();
    imgL = PictureLabel(this, "imgL", "trim_left", QRect(0, 0, 17, 19));
    imgL->hide();
    imgR = PictureLabel(this, "imgR", "trim_right", QRect(0, 0, 17, 19));
    imgR->hide();
    Splitter1->setPixmap(imgL->pixmap());
    Splitter2->setPixmap(imgR->pixmap());

    for (TPictureButton* b : {btnOptions, RzBmpButton1, btnOpenFile, btnRemoveFile, btnClearFile,
                              btnConvert, btnPlay, btnPause, btnStop})
        b->setCursor(Qt::PointingHandCursor);
}

QRegion TFrmMainForm::WindowRegion() const {
    return mask();
}

void TFrmMainForm::CutWindowRegion() {
    // Every pixel of the transparent colour, the colour of the picture's bottom-left pixel,
    // is cut out of the window.
    if (Background.isNull())
        return;
    const QRgb transparent = Background.toImage().pixel(0, Background.height() - 1);
    setMask(Background.createMaskFromColor(QColor::fromRgba(transparent), Qt::MaskInColor));
}

// --- show, resize, close ---

void TFrmMainForm::showEvent(QShowEvent* event) {
    if (!Shown) {
        Shown = true;
        FormShow();
    }
    QWidget::showEvent(event);
}

void TFrmMainForm::FormShow() {
    if (!RegionMade) {
        RegionMade = true;
        CutWindowRegion();
    }
    // Centre the picture on the desktop.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect desk = screen->availableGeometry();
        move(desk.center() - QPoint(kDesignWidth / 2, kDesignHeight / 2));
    }
    FillSettingsControls();
    if (SourceController)
        AcceptFileDropsOn(*this, *SourceController);
    Settings.ApplyProfile();
}

namespace {

QStringList ToQStringList(const TTextList& texts) {
    QStringList list;
    for (const std::string& text : texts)
        list << QString::fromStdString(text);
    return list;
}

} // namespace

void TFrmMainForm::FillSettingsControls() {
    // The selectors are appended to, never emptied, as the model's lists are filled once.
    cbbOutputFiletype->addItems(ToQStringList(Settings.OutputTypeChoices()));
    cbbProfile->addItems(ToQStringList(Settings.ProfileChoices()));
    MirrorSettings();
    TUserSettings settings = UserSettings();
    // A settings file that cannot be read is reported and the window starts from its
    // defaults: the rest of the start (drops, the preset) must not be skipped for it.
    try {
        UserSettingsFile.LoadUserSettings(settings);
    } catch (const std::exception& error) {
        Ports.MessageBox.ShowMessageBox(ErrorDisplayText(error.what()), 0);
        settings = UserSettings();
        settings.ShowOutputDirectory = false;
        settings.Shutdown = false;
    }
    SetUserSettings(settings);
}

void TFrmMainForm::MirrorSettings() {
    // The profile list is built again when custom profiles change.
    const QStringList profiles = ToQStringList(Settings.ProfileChoices());
    QStringList shown;
    for (int i = 0; i < cbbProfile->count(); ++i)
        shown << cbbProfile->itemText(i);
    if (shown != profiles && cbbProfile->count() > 0) {
        cbbProfile->clear();
        cbbProfile->addItems(profiles);
    }
    cbbOutputFiletype->setCurrentIndex(Settings.OutputType());
    cbbProfile->setCurrentIndex(Settings.Profile());
}

void TFrmMainForm::cbbOutputFiletypeChange(int index) {
    Settings.SetOutputType(index);
    Settings.ApplyProfile();
}

void TFrmMainForm::cbbProfileChange(int index) {
    Settings.SetProfile(index);
    Settings.ApplyProfile();
}

TUserSettings TFrmMainForm::UserSettings() const {
    TUserSettings settings;
    settings.OutputFolder = OutputFolderPath;
    settings.ShowOutputDirectory = chkShowOutputDirectory->isChecked();
    settings.Shutdown = chkShutdown->isChecked();
    return settings;
}

void TFrmMainForm::SetOutputFolder(const std::string& folder) {
    OutputFolderPath = folder;
    SettingOutputFolder = true;
    edtOutputFolder->setText(QString::fromStdString(folder));
    SettingOutputFolder = false;
}

void TFrmMainForm::SetUserSettings(const TUserSettings& settings) {
    SetOutputFolder(settings.OutputFolder);
    chkShowOutputDirectory->setChecked(settings.ShowOutputDirectory);
    chkShutdown->setChecked(settings.Shutdown);
}

void TFrmMainForm::SaveUserSettings() {
    UserSettingsFile.SaveUserSettings(UserSettings());
}

void TFrmMainForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FormResize();
}

void TFrmMainForm::FormResize() {
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    LayOutAnchored();
}

void TFrmMainForm::LayOutAnchored() {
    // The source list is anchored on all four sides. It follows the part of the window that
    // the background picture's outline leaves visible, so the minimum size, taller than the
    // picture, never pushes the list's lower rows out of sight.
    if (!dxTreeSourceFileInfo)
        return;
    const int visibleWidth = std::min(width(), kDesignWidth);
    const int visibleHeight = std::min(height(), kDesignHeight);
    dxTreeSourceFileInfo->setGeometry(
        kGridPlace.left(), kGridPlace.top(),
        std::max(0, visibleWidth - kGridRightMargin - kGridPlace.left()),
        std::max(0, visibleHeight - kGridBottomMargin - kGridPlace.top()));
}

void TFrmMainForm::closeEvent(QCloseEvent* event) {
    if (!Closing) {
        Closing = true;
        FormClose();
    }
    event->accept();
}

void TFrmMainForm::FormClose() {
    Ports.Commands.ReleasePreview();
    // The program ends even when the settings cannot be written; the user learns why.
    try {
        SaveUserSettings();
    } catch (const std::exception& error) {
        Ports.MessageBox.ShowMessageBox(ErrorDisplayText(error.what()), 0);
    }
    Ports.Application.EndProgram();
}

void TFrmMainForm::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), SkinBackgroundColour());
    p.drawPixmap(0, 0, Background);
}

void TFrmMainForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowTitleChange && lblTitle)
        lblTitle->setText(windowTitle());
    QWidget::changeEvent(event);
}

// --- keys ---

TShortcutAction TFrmMainForm::FormKeyDown(const TShortcutKey& key) {
    const TShortcutAction action = MatchShortcut(key);
    switch (action) {
    case TShortcutAction::None:
        break;
    case TShortcutAction::OpenFile:
        btnOpenFile->click();
        break;
    case TShortcutAction::RemoveFile:
        btnRemoveFile->click();
        break;
    case TShortcutAction::ClearFile:
        btnClearFile->click();
        break;
    case TShortcutAction::Options:
        btnOptions->click();
        break;
    case TShortcutAction::Play:
        btnPlay->click();
        break;
    case TShortcutAction::Pause:
        btnPause->click();
        break;
    case TShortcutAction::Stop:
        btnStop->click();
        break;
    case TShortcutAction::Convert:
        btnConvert->click();
        break;
    case TShortcutAction::SelectOutputFolder:
        btnSelectOutputFolder->click();
        break;
    case TShortcutAction::Help:
        ActSysHelpExecute();
        break;
    }
    return action;
}

bool TFrmMainForm::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        // Key preview: only at the key's first receiver, the focused control of this window
        // (or the window itself when nothing has the focus); the key then goes on to it.
        if (!watched->isWidgetType() || !isEnabled())
            break;
        auto* target = static_cast<QWidget*>(watched);
        QWidget* focus = QApplication::focusWidget();
        const bool first = focus && focus->window() == this ? target == focus : target == this;
        if (!first || target->window() != this)
            break;
        const auto* key = static_cast<QKeyEvent*>(event);
        TShortcutKey k;
        if (key->key() >= Qt::Key_A && key->key() <= Qt::Key_Z)
            k.Letter = static_cast<char>('A' + (key->key() - Qt::Key_A));
        k.F1 = key->key() == Qt::Key_F1;
        const Qt::KeyboardModifiers mods = key->modifiers();
        k.Ctrl = mods.testFlag(Qt::ControlModifier);
        k.Shift = mods.testFlag(Qt::ShiftModifier);
        k.Alt = mods.testFlag(Qt::AltModifier);
        k.MouseButton = QGuiApplication::mouseButtons() != Qt::NoButton;
        FormKeyDown(k);
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const bool left = mouse->buttons().testFlag(Qt::LeftButton);
        if (watched == lblTitle && left) {
            // lblTitleMouseMove: the title drags the window.
            if (!ManualDrag)
                StartWindowDrag(mouse->globalPosition());
            return event->type() == QEvent::MouseButtonPress;
        }
        break;
    }
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            break;
        if (watched == Label3 && Label3->rect().contains(mouse->position().toPoint())) {
            Label3Click();
            return true;
        }
        if (watched == Label1 && Label1->rect().contains(mouse->position().toPoint()))
            chkShutdown->toggle();
        if (watched == Label2 && Label2->rect().contains(mouse->position().toPoint()))
            chkShowOutputDirectory->toggle();
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

// --- window commands ---

void TFrmMainForm::StartWindowDrag(const QPointF& globalPosition) {
    if (QWindow* w = windowHandle(); w && w->startSystemMove())
        return;
    // No window manager to move the window: follow the pointer ourselves.
    ManualDrag = true;
    DragOffset = globalPosition.toPoint() - pos();
}

void TFrmMainForm::mousePressEvent(QMouseEvent* event) {
    // The background picture drags the window, too.
    if (event->button() == Qt::LeftButton)
        StartWindowDrag(event->globalPosition());
    QWidget::mousePressEvent(event);
}

void TFrmMainForm::mouseMoveEvent(QMouseEvent* event) {
    if (ManualDrag && event->buttons().testFlag(Qt::LeftButton))
        move(event->globalPosition().toPoint() - DragOffset);
    QWidget::mouseMoveEvent(event);
}

void TFrmMainForm::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        ManualDrag = false;
    QWidget::mouseReleaseEvent(event);
}

void TFrmMainForm::actMinimizeExecute() {
    showMinimized();
}

void TFrmMainForm::actCloseWindowExecute() {
    close();
}

// --- timers ---

void TFrmMainForm::tmrClearMemoryTimer() {
    TrimWorkingSet(Ports.Events);
}

void TFrmMainForm::tmrPaintSPTimer() {
    // Qt redraws an exposed handle by itself; the tick only has to draw a handle at a new
    // place, so still handles cost nothing while the window idles.
    QLabel* handles[] = {Splitter1, Splitter2};
    for (int i = 0; i < 2; ++i) {
        if (handles[i]->geometry() != HandleDrawnAt[i]) {
            HandleDrawnAt[i] = handles[i]->geometry();
            handles[i]->update();
        }
    }
}

// --- commands ---

void TFrmMainForm::btnOptionsClick() {
    Ports.Commands.ShowOptions();
}

void TFrmMainForm::btnConvertClick() {
    if (!Job)
        return;
    Job->State().FilesDone = 0;
    Job->RunConversionJob();
}

void TFrmMainForm::AttachSourceList(QWidget& grid, TSourceFileController& controller) {
    if (dxTreeSourceFileInfo != &grid) {
        delete dxTreeSourceFileInfo; // the place holder
        dxTreeSourceFileInfo = &grid;
    }
    grid.setObjectName("dxTreeSourceFileInfo");
    LayOutAnchored();
    SourceController = &controller;
    connect(btnOpenFile, &QAbstractButton::clicked, this, [&controller] { controller.OpenFlow(); });
    connect(btnRemoveFile, &QAbstractButton::clicked, this,
            [&controller] { controller.RemoveCommand(); });
    connect(btnClearFile, &QAbstractButton::clicked, this,
            [&controller] { controller.ClearCommand(); });
    if (Shown)
        AcceptFileDropsOn(*this, controller);
}

void TFrmMainForm::AttachConversionJob(TConversionJob& job) {
    Job = &job;
}

void TFrmMainForm::SetEnabled(bool enabled) {
    setEnabled(enabled);
}

bool TFrmMainForm::ShowOutputDirectoryChecked() const {
    return chkShowOutputDirectory->isChecked();
}

bool TFrmMainForm::ShutdownChecked() const {
    return chkShutdown->isChecked();
}

void TFrmMainForm::btnSelectOutputFolderClick() {
    SetOutputFolder(SelectOutputFolder(OutputFolderPath, Ports.FolderBrowser, Ports.MessageBox));
}

void TFrmMainForm::Label3Click() {
    OpenCodecDownload(Ports.Desktop);
}

void TFrmMainForm::actUpdateExecute() {
    const QString folder = QString::fromStdString(ProgramFolder);
    // The updater's own settings file is only written when it is there; it is not created.
    const QString settings = folder + "UpDateSettings.ini";
    if (QFileInfo::exists(settings)) {
        QSettings ini(settings, QSettings::IniFormat);
        ini.beginGroup("AutoUpdate");
        ini.setValue("UpdateModalUsr", "true");
        ini.setValue("UpdateTodayExeced", "false");
        ini.endGroup();
        ini.sync();
    }
    // The updater is looked up in the program folder first, then on the search path; when
    // it cannot be started nothing is reported.
    QString updater = folder + "AutoUpDate";
    if (!QFileInfo(updater).isExecutable())
        updater = QStandardPaths::findExecutable("AutoUpDate");
    if (!updater.isEmpty())
        QProcess::startDetached(updater, {}, folder);
}

void TFrmMainForm::ActSysHomePageExecute() {
    Ports.Commands.OpenHomePage();
}
void TFrmMainForm::ActSysEmailExecute() {
    Ports.Commands.SendSupportEmail();
}
void TFrmMainForm::ActSysHelpExecute() {
    Ports.Commands.OpenHelp();
}
void TFrmMainForm::ActSysAboutExecute() {
    Ports.Commands.ShowAbout();
}

} // namespace clavenor
