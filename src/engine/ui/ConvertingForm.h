#pragma once
// TfrmConverting: the progress window of a conversion job. Modeless, centred on the main
// window; its widgets mirror a TProgressView (engine/ProgressRefresh.h), which holds the
// rules. Its Stop button and its close command ask first, then stop the job through the
// IProgressWindowContext. The job drives it through IProgressWindowPort.
//
// Like the main window it is skinned: frameless, cut to the outline of its background
// picture, with its own caption bar ("Converting") that drags it and a close button that is
// its close command. It is a window of its own, not a child of the main window: the job
// disables the main window while it runs, and the Stop button must stay usable meanwhile.

#include "engine/JobPorts.h"
#include "engine/ProgressRefresh.h"
#include "engine/ProgressWindowPorts.h"

#include <QDialog>
#include <QPixmap>
#include <QPointer>

class QAction;
class QLabel;
class QProgressBar;
class QStatusBar;
class QTimer;

namespace clavenor {

class TPictureButton;

class TfrmConverting : public QDialog, public IProgressWindowPort {
    Q_OBJECT
public:
    // The window is centred on owner (the main window) when it shows; owner may be null.
    TfrmConverting(IProgressWindowContext& context, IQuestionPort& questions,
                   QWidget* owner = nullptr);

    // The job's view of the window.
    void Show() override;                                   // resets first when it was hidden
    void Hide() override;                                   // hides without asking
    void SetCurrentFilePosition(int seconds) override;      // ProgressBar1's position
    void SetStatusText(const std::string& text) override;   // statState
    void SetCurrentFileName(const std::string& p) override; // lblCurFileName
    void RefreshProgress() override;                        // runs actRefreshProgress

    const TProgressView& View() const { return ViewState; }

    QLabel* lblInfo = nullptr;
    QLabel* lblCurConvertFileL = nullptr;
    QLabel* lblCurFileName = nullptr;
    QLabel* lblTotalFilr = nullptr;
    QProgressBar* pbTotal = nullptr;
    QLabel* lblCurprog = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* lblPersent = nullptr;
    TPictureButton* btnStop = nullptr;
    QLabel* lblCaption = nullptr;       // the caption bar's text
    TPictureButton* btnClose = nullptr; // the caption bar's close command
    QStatusBar* statState = nullptr;
    QTimer* tmrChanging = nullptr;
    QAction* actRefreshProgress = nullptr;

    // Handlers
    void FormShow();
    void tmrChangingTimer();
    void actRefreshProgressExecute();
    void btnStop1Click();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void reject() override; // Esc: the close command, with its question

private:
    void Mirror(); // the widgets follow ViewState

    void CentreOnOwner();

    IProgressWindowContext& Context;
    IQuestionPort& Questions;
    TProgressView ViewState;
    QLabel* StatusPanel = nullptr;
    QPointer<QWidget> Owner;
    QPixmap Background;
    bool ManualDrag = false; // dragging without the window manager's help
    QPoint DragOffset;
};

} // namespace clavenor
