#include "engine/ui/ConvertingForm.h"

#include "shell/ui/Skin.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QShowEvent>
#include <QStatusBar>
#include <QTimer>

namespace clavenor {

namespace {

constexpr int kWidth = 420;
constexpr int kHeight = 236;

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
                               QWidget* parent)
    : QDialog(parent), Context(context), Questions(questions) {
    setObjectName("frmConverting");
    setWindowTitle("Converting");
    setModal(false);
    setFixedSize(kWidth, kHeight);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    ApplySkinPalette(*this);

    const QColor caption(0xA9, 0xB6, 0xC8);
    lblInfo = MakeLabel(this, "lblInfo", "Please wait . . .", QRect(50, 14, 356, 24),
                        SkinFont(15, true), Qt::white);
    lblCurConvertFileL =
        MakeLabel(this, "lblCurConvertFileL", "Current Convert File:", QRect(16, 56, 388, 16),
                  SkinFont(11), caption);
    lblCurFileName = MakeLabel(this, "lblCurFileName", "", QRect(16, 72, 388, 18),
                               SkinFont(12, true), Qt::white);
    lblTotalFilr = MakeLabel(this, "lblTotalFilr", "Total File:", QRect(16, 98, 200, 16),
                             SkinFont(11), caption);
    pbTotal = MakeBar(this, "pbTotal", QRect(16, 115, 388, 12));
    lblCurprog = MakeLabel(this, "lblCurprog", "Current File:", QRect(16, 135, 200, 16),
                           SkinFont(11), caption);
    ProgressBar1 = MakeBar(this, "ProgressBar1", QRect(16, 152, 388, 12));
    lblPersent = MakeLabel(this, "lblPersent", "Current: 1, Total: ...", QRect(16, 180, 270, 18),
                           SkinFont(12, true), Qt::white);

    btnStop = new TPictureButton("stopjob", this);
    btnStop->setObjectName("btnStop");
    btnStop->move(308, 174);
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
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
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
    p.drawPixmap(0, 0, SkinPicture("converting_background"));
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
