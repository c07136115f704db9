#include "engine/ui/ConvertingForm.h"

#include "shell/ui/Skin.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QShowEvent>
#include <QStatusBar>
#include <QTimer>
#include <QWindow>

namespace clavenor {

namespace {

constexpr int kWidth = 420;
constexpr int kHeight = 256;
constexpr int kCaptionHeight = 32;

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QRect place,
                  const QFont& font, QColor colour) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(place);
    label->setFont(font);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
    return label;
}

QProgressBar* MakeBar(QWidget* parent, const char* name, QRect place) {
    auto* bar = new QProgressBar(parent);
    bar->setObjectName(name);
    bar->setGeometry(place);
    bar->setTextVisible(false);
    bar->setStyleSheet(
        "QProgressBar { border: 1px solid #1E2229; border-radius: 5px; background: #2A2E36; }"
        "QProgressBar::chunk { border-radius: 4px; margin: 1px; background: qlineargradient("
        "x1:0, y1:0, x2:0, y2:1, stop:0 #6CB6FF, stop:1 #2466C6); }");
    return bar;
}

// Pieces of output may hold line breaks; the one-line panel shows them as blanks.
QString OneLine(const std::string& text) {
    QString line = QString::fromStdString(text);
    line.replace('\r', ' ');
    line.replace('\n', ' ');
    return line.trimmed();
}

} // namespace

TfrmConverting::TfrmConverting(IProgressWindowContext& context, IQuestionPort& questions,
                               QWidget* owner)
    : QDialog(nullptr, Qt::Dialog | Qt::FramelessWindowHint), Context(context),
      Questions(questions), Owner(owner), Background(SkinPicture("converting_background")) {
    setObjectName("frmConverting");
    setWindowTitle("Converting");
    setModal(false);
    setFixedSize(kWidth, kHeight);
    ApplySkinPalette(*this);
    // Cut to the picture's outline: its bottom-left pixel's colour is transparent.
    if (!Background.isNull()) {
        const QRgb transparent = Background.toImage().pixel(0, Background.height() - 1);
        setMask(Background.createMaskFromColor(QColor::fromRgba(transparent), Qt::MaskInColor));
    }

    lblCaption = MakeLabel(this, "lblCaption", windowTitle(), QRect(34, 8, 300, 17),
                           SkinFont(13, true), Qt::white);
    lblCaption->setAttribute(Qt::WA_TransparentForMouseEvents);
    btnClose = new TPictureButton("close", this);
    btnClose->setObjectName("btnClose");
    btnClose->move(kWidth - 25 - 6, 4);
    connect(btnClose, &QAbstractButton::clicked, this, [this] { close(); });

    const QColor caption(0xA9, 0xB6, 0xC8);
    lblInfo = MakeLabel(this, "lblInfo", "Please wait . . .", QRect(16, 44, 388, 24),
                        SkinFont(15, true), Qt::white);
    lblCurConvertFileL =
        MakeLabel(this, "lblCurConvertFileL", "Current Convert File:", QRect(16, 78, 388, 16),
                  SkinFont(11), caption);
    lblCurFileName = MakeLabel(this, "lblCurFileName", "", QRect(16, 94, 388, 18),
                               SkinFont(12, true), Qt::white);
    lblTotalFilr = MakeLabel(this, "lblTotalFilr", "Total File:", QRect(16, 120, 200, 16),
                             SkinFont(11), caption);
    pbTotal = MakeBar(this, "pbTotal", QRect(16, 137, 388, 12));
    lblCurprog = MakeLabel(this, "lblCurprog", "Current File:", QRect(16, 157, 200, 16),
                           SkinFont(11), caption);
    ProgressBar1 = MakeBar(this, "ProgressBar1", QRect(16, 174, 388, 12));
    lblPersent = MakeLabel(this, "lblPersent", "Current: 1, Total: ...", QRect(16, 202, 270, 18),
                           SkinFont(12, true), Qt::white);

    btnStop = new TPictureButton("stopjob", this);
    btnStop->setObjectName("btnStop");
    btnStop->move(308, 196);
    btnStop->setCursor(Qt::PointingHandCursor);
    connect(btnStop, &QAbstractButton::clicked, this, [this] { btnStop1Click(); });

    statState = new QStatusBar(this);
    statState->setObjectName("statState");
    statState->setSizeGripEnabled(false);
    statState->setGeometry(0, kHeight - 22, kWidth, 22);
    statState->setStyleSheet("QStatusBar { background: transparent; } QStatusBar::item { "
                             "border: none; }");
    StatusPanel = new QLabel(statState);
    StatusPanel->setObjectName("statStatePanel");
    StatusPanel->setFont(SkinFont(11));
    StatusPanel->setStyleSheet("color: #C9D3E0; padding-left: 4px;");
    statState->addWidget(StatusPanel, 1);

    tmrChanging = new QTimer(this);
    tmrChanging->setObjectName("tmrChanging");
    tmrChanging->setInterval(500);
    connect(tmrChanging, &QTimer::timeout, this, [this] { tmrChangingTimer(); });
    tmrChanging->start();

    actRefreshProgress = new QAction(this);
    actRefreshProgress->setObjectName("actRefreshProgress");
    connect(actRefreshProgress, &QAction::triggered, this, [this] { actRefreshProgressExecute(); });

    Mirror();
}

void TfrmConverting::Show() {
    show();
    raise();
}

void TfrmConverting::Hide() {
    hide();
}

void TfrmConverting::SetCurrentFilePosition(int seconds) {
    ViewState.Current.SetPosition(seconds);
    Mirror();
}

void TfrmConverting::SetStatusText(const std::string& text) {
    ViewState.Status = text;
    Mirror();
}

void TfrmConverting::SetCurrentFileName(const std::string& path) {
    ViewState.CurFileName = path;
    Mirror();
}

void TfrmConverting::RefreshProgress() {
    actRefreshProgress->trigger();
}

void TfrmConverting::FormShow() {
    ResetOnShow(ViewState, Context.InputPath(), Context.Inputs().FilesTotal);
    Mirror();
}

void TfrmConverting::tmrChangingTimer() {
    AnimateStatus(ViewState);
    lblInfo->setText(QString::fromStdString(ViewState.Info));
}

void TfrmConverting::actRefreshProgressExecute() {
    clavenor::RefreshProgress(ViewState, Context.RefreshCount(), Context.Inputs());
    Mirror();
}

void TfrmConverting::btnStop1Click() {
    if (!Questions.AskYesNo("Are you sure you want to stop the work ? "))
        return;
    hide();
    Context.EnableMainWindow();
    Context.RequestStop();
    ResetAfterStop(ViewState);
    Mirror();
}

void TfrmConverting::showEvent(QShowEvent* event) {
    // Only a show by the program (hidden -> shown) resets; restoring from the taskbar not.
    if (!event->spontaneous()) {
        FormShow();
        CentreOnOwner();
    }
    QDialog::showEvent(event);
}

void TfrmConverting::CentreOnOwner() {
    if (!Owner)
        return;
    // The owner's visible part: a shaped window shows only its mask.
    const QRect visible = Owner->mask().isEmpty() ? Owner->rect() : Owner->mask().boundingRect();
    move(Owner->mapToGlobal(visible.center()) - rect().center());
}

void TfrmConverting::closeEvent(QCloseEvent* event) {
    // Answering No keeps the window open and the job watched.
    if (!Questions.AskYesNo("Are you sure to stop processing ?")) {
        event->ignore();
        return;
    }
    event->accept();
    hide();
    Context.EnableMainWindow();
    Context.RequestClose();
}

void TfrmConverting::reject() {
    close();
}

void TfrmConverting::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(0, 0, Background);
}

void TfrmConverting::mousePressEvent(QMouseEvent* event) {
    // The caption bar drags the window.
    if (event->button() == Qt::LeftButton && event->position().y() < kCaptionHeight) {
        if (QWindow* w = windowHandle(); w && w->startSystemMove())
            return;
        ManualDrag = true;
        DragOffset = event->globalPosition().toPoint() - pos();
    }
    QDialog::mousePressEvent(event);
}

void TfrmConverting::mouseMoveEvent(QMouseEvent* event) {
    if (ManualDrag && event->buttons().testFlag(Qt::LeftButton))
        move(event->globalPosition().toPoint() - DragOffset);
    QDialog::mouseMoveEvent(event);
}

void TfrmConverting::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        ManualDrag = false;
    QDialog::mouseReleaseEvent(event);
}

void TfrmConverting::Mirror() {
    lblInfo->setText(QString::fromStdString(ViewState.Info));
    const QString path = QString::fromStdString(ViewState.CurFileName);
    lblCurFileName->setText(
        lblCurFileName->fontMetrics().elidedText(path, Qt::ElideMiddle, lblCurFileName->width()));
    lblCurFileName->setToolTip(path);
    lblPersent->setText(QString::fromStdString(ViewState.Persent));
    StatusPanel->setText(OneLine(ViewState.Status));
    ProgressBar1->setRange(ViewState.Current.Min, ViewState.Current.Max);
    ProgressBar1->setValue(ViewState.Current.Position);
    pbTotal->setRange(ViewState.Total.Min, ViewState.Total.Max);
    pbTotal->setValue(ViewState.Total.Position);
}

} // namespace clavenor
